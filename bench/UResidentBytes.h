#pragma once
// The resident memory of this process, for the benchmarks' memory figures.

#include <unistd.h>

#include <fstream>

inline long ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * ::sysconf(_SC_PAGESIZE);
}
