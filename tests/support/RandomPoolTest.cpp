#include "support/RandomPool.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

namespace {

// A repeatable source that hands out at most 3 bytes a call and counts its calls.
std::uint32_t Calls = 0;
std::uint8_t NextByte = 0;

std::uint32_t CountingSource(std::uint8_t* buffer, std::uint32_t wanted)
{
    ++Calls;
    const std::uint32_t count = wanted < 3 ? wanted : 3;
    for (std::uint32_t i = 0; i < count; ++i)
        buffer[i] = NextByte++;
    return count;
}

std::uint32_t SilentSource(std::uint8_t*, std::uint32_t)
{
    return 0;
}

Bytes ReadInPieces(std::size_t total, std::size_t piece)
{
    RandomPool pool;
    NextByte = 0;
    RandomPoolInit(CountingSource, pool);
    Bytes out(total);
    for (std::size_t at = 0; at < total; at += piece)
        RandomPoolRead(out.data() + at, static_cast<std::uint32_t>(std::min(piece, total - at)), pool);
    return out;
}

} // namespace

TEST(RandomPool, ReadsAcrossTheEndOfTheOutputBufferWithoutRepeating)
{
    const Bytes whole = ReadInPieces(800, 800);
    EXPECT_EQ(ReadInPieces(800, 7), whole);
    EXPECT_EQ(ReadInPieces(800, 260), whole);
    // Each refill of 260 bytes gives fresh output, not the first 260 again.
    EXPECT_NE(Bytes(whole.begin(), whole.begin() + 260), Bytes(whole.begin() + 260, whole.begin() + 520));
    EXPECT_NE(Bytes(whole.begin() + 260, whole.begin() + 520), Bytes(whole.begin() + 520, whole.begin() + 780));
}

TEST(RandomPool, InitialisationDrawsTwoFullBuffersFromTheSource)
{
    RandomPool pool;
    Calls = 0;
    RandomPoolInit(CountingSource, pool);
    EXPECT_EQ(Calls, 2 * ((RandomPoolSize + 2) / 3));
    std::uint8_t salt[8];
    RandomPoolRead(salt, 8, pool);
    EXPECT_EQ(Calls, 2 * ((RandomPoolSize + 2) / 3)) << "no refill before position 260";
}

TEST(RandomPool, DifferentEntropyGivesDifferentSalts)
{
    RandomPool first, second;
    NextByte = 0;
    RandomPoolInit(CountingSource, first);
    NextByte = 1;
    RandomPoolInit(CountingSource, second);
    Bytes a(16), b(16);
    RandomPoolRead(a.data(), 16, first);
    RandomPoolRead(b.data(), 16, second);
    EXPECT_NE(a, b);
}

TEST(RandomPool, SourceThatRunsDryDoesNotHang)
{
    RandomPool pool;
    RandomPoolInit(SilentSource, pool);
    Bytes out(600);
    RandomPoolRead(out.data(), 600, pool);
    SUCCEED();
}


TEST(ReadTimerEntropy, WritesAtMostEightBytes)
{
    Bytes buffer(20, 0xEE);
    EXPECT_EQ(ReadTimerEntropy(buffer.data(), 3), 3u);
    EXPECT_EQ(Bytes(buffer.begin() + 3, buffer.end()), Bytes(17, 0xEE));
    EXPECT_EQ(ReadTimerEntropy(buffer.data(), 20), 8u);
    EXPECT_EQ(Bytes(buffer.begin() + 8, buffer.end()), Bytes(12, 0xEE));
}

TEST(ReadTimerEntropy, IsANanosecondClockThatMoves)
{
    std::uint8_t first[8], second[8];
    ASSERT_EQ(ReadTimerEntropy(first, 8), 8u);
    RandomPool pool;
    RandomPoolInit(ReadTimerEntropy, pool);
    ASSERT_EQ(ReadTimerEntropy(second, 8), 8u);
    EXPECT_NE(Bytes(first, first + 8), Bytes(second, second + 8));
}
