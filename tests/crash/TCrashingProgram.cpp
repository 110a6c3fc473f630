// Crashes on purpose, in the way its second argument names, once the crash handler is
// installed for the folder its first argument names.

#include "crash/UCrashHandler.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cfenv>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

// Outside any namespace, so that the stack names it.
int Recurse(volatile int& depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    depth = depth + 1;
    if (depth < 0) // never: only so that the recursion does not look endless to the compiler
        return 0;
    return Recurse(depth) + frame[0];
}

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    InstallCrashHandler(argv[1]);
    const std::string_view how = argv[2];
    if (how == "overflow") {
        volatile int depth = 0;
        return Recurse(depth);
    }
    if (how == "bus") {
        // Reading a mapped page that lies past the end of its (empty) file.
        const int file = ::memfd_create("empty", 0);
        const auto* page = static_cast<volatile const char*>(::mmap(nullptr, 4096, PROT_READ, MAP_SHARED, file, 0));
        return page[0];
    }
    if (how == "fpe") {
        ::feenableexcept(FE_DIVBYZERO);
        volatile double zero = 0;
        return static_cast<int>(1.0 / zero);
    }
    if (how == "ill")
        __builtin_trap();
    if (how == "abort")
        std::abort();
    if (how == "exception")
        throw std::runtime_error("the disk is on fire\nand more");
    return 2;
}
