#include "common/UHugePageHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::uintptr_t HugePage = std::uintptr_t{2} << 20;
// How far the heap grows at a time from now on: room for the start-up with the large planner's
// tree, and what stays with the process when blocks are freed at its top.
constexpr std::size_t HeapStep = std::size_t{8} << 20;
// Below glibc's threshold for blocks mapped on their own, so each comes from the heap's top.
constexpr std::size_t FillBlock = std::size_t{64} << 10;
constexpr std::size_t MaxFillBlocks = HeapStep / FillBlock;

std::uintptr_t Address(const void* block)
{
    return reinterpret_cast<std::uintptr_t>(block);
}

std::uintptr_t HeapEnd()
{
    return Address(::sbrk(0));
}

} // namespace

void GrowHeapInHugePages()
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    // Their allocators never grow the heap.
#else
    if (::mallopt(M_TOP_PAD, HeapStep) == 0)
        return;
    // Kept for the run: the filling below the first huge page is never touched beyond its
    // headers, so it costs address space, not memory.
    static std::array<void*, MaxFillBlocks> blocks{};
    std::size_t count = 0;
    const auto take = [&count] { return count < MaxFillBlocks && (blocks[count] = std::malloc(FillBlock)) != nullptr; };

    // Blocks from the heap's top until the heap grows, which it now does by a whole step.
    const std::uintptr_t start = HeapEnd();
    while (HeapEnd() == start && take())
        ++count;
    const std::uintptr_t first = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = HeapEnd() & ~(HugePage - 1);
    // Advised before anything touches it: a range with a small page in it keeps small pages.
    const bool advised = first < last && ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE) == 0;
    if (advised) {
        // The heap below the first huge page is filled, so the next blocks lie inside it.
        while (count > 0 && Address(blocks[count - 1]) + 2 * FillBlock <= first && take())
            ++count;
    }
    // Blocks reaching into the huge pages are given back, the last first, so that each joins
    // the heap's top again.
    while (count > 0 && (!advised || Address(blocks[count - 1]) + FillBlock > first))
        std::free(blocks[--count]);
#endif
}
