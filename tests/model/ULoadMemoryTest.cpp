// Loading keeps memory linear in the file: a line of nothing but separators must not turn
// into millions of fields. Every heap allocation of this program is counted, so the peak of
// what a load holds at once can be compared with the file's size.

#include "TTempFolder.h"
#include "common/UProgramFolder.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> LiveBytes{0};
std::atomic<std::size_t> PeakBytes{0};

// Each block carries its size in front of it, so that an unsized delete can count it too.
constexpr std::size_t HeaderSize = alignof(std::max_align_t);

void* Allocate(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + HeaderSize));
    if (block == nullptr)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t live = LiveBytes += size;
    for (std::size_t peak = PeakBytes; live > peak && !PeakBytes.compare_exchange_weak(peak, live);) { }
    return block + HeaderSize;
}

void Release(void* pointer) noexcept
{
    if (pointer == nullptr)
        return;
    auto* block = static_cast<unsigned char*>(pointer) - HeaderSize;
    LiveBytes -= *reinterpret_cast<std::size_t*>(block);
    std::free(block);
}

// The most the heap held at once while `run` ran, above what it held before.
template <class Run>
std::size_t PeakDuring(Run&& run)
{
    const std::size_t before = LiveBytes;
    PeakBytes = before;
    run();
    return PeakBytes - before;
}

} // namespace

void* operator new(std::size_t size)
{
    return Allocate(size);
}
void* operator new[](std::size_t size)
{
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void* pointer) noexcept
{
    Release(pointer);
}
void operator delete[](void* pointer) noexcept
{
    Release(pointer);
}
void operator delete(void* pointer, std::size_t) noexcept
{
    Release(pointer);
}
void operator delete[](void* pointer, std::size_t) noexcept
{
    Release(pointer);
}

namespace {

constexpr std::size_t LineSize = 10'000'000;

struct TSeparatorLine {
    const char* Name;
    const char* File;
    std::string Text;
};

void PrintTo(const TSeparatorLine& line, std::ostream* out)
{
    *out << line.Name;
}

class LoadingALineOfSeparators : public testing::TestWithParam<TSeparatorLine> { };

} // namespace

TEST_P(LoadingALineOfSeparators, HoldsAtMostThreeTimesTheFile)
{
    const TSeparatorLine& line = GetParam();
    TTempFolder temp;
    temp.Write(line.File, line.Text);
    const TProgramFolder folder(temp.Path());
    TProjects projects;
    THours hours;
    const std::size_t peak = PeakDuring([&] {
        hours.LoadHours(folder);
        projects.LoadProjects(folder);
    });
    EXPECT_LE(peak, 3 * line.Text.size()) << "peak " << peak << " for a file of " << line.Text.size();
    EXPECT_EQ(projects.Count() + hours.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    DataFiles, LoadingALineOfSeparators,
    testing::Values(TSeparatorLine{"HourLine", "Hours.dat", std::string(LineSize, '^')},
                    TSeparatorLine{"HeaderLine", "Projects.dat",
                                   "Header^" + std::string(LineSize, '^') + "\r\nEndProject"},
                    TSeparatorLine{"TaskLineOfCommas", "Projects.dat",
                                   "Header^P^^^^\r\n" + std::string(LineSize, ',') + "\r\nEndProject"},
                    TSeparatorLine{"TaskLineOfQuotes", "Projects.dat",
                                   "Header^P^^^^\r\n" + std::string(LineSize, '^') + "\r\nEndProject"}),
    [](const testing::TestParamInfo<TSeparatorLine>& param) { return std::string(param.param.Name); });
