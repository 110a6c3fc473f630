#include "common/UHugePageHeap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

// The "VmFlags" line /proc/self/smaps gives the mapping that holds `address`.
std::string FlagsOfMappingAt(const void* address)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool holds = false;
    for (std::string line; std::getline(smaps, line);) {
        unsigned long start = 0;
        unsigned long end = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &start, &end) == 2)
            holds = start <= at && at < end;
        else if (holds && line.rfind("VmFlags:", 0) == 0)
            return line + ' ';
    }
    return {};
}

bool HugePagesOff()
{
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string mode;
    std::getline(setting, mode);
    return mode.empty() || mode.find("[never]") != std::string::npos;
}

} // namespace

TEST(HugePageHeap, WhatIsAllocatedAfterwardsLiesInMemoryAdvisedForHugePages)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizers' allocators never grow the heap";
#endif
    if (HugePagesOff())
        GTEST_SKIP() << "this machine has no transparent huge pages";
    GrowHeapInHugePages();
    // A megabyte of small blocks, more than the freed ones the heap holds from before.
    std::vector<std::unique_ptr<char[]>> blocks;
    for (int i = 0; i < 1000; ++i)
        blocks.push_back(std::make_unique<char[]>(1000));
    blocks.back()[999] = 1;
    EXPECT_NE(FlagsOfMappingAt(blocks.back().get()).find(" hg "), std::string::npos);
}
