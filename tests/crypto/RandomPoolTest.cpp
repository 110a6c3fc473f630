// SHA1_Transform is deprecated in OpenSSL 3 but is the bare compression function the model needs.
#define OPENSSL_SUPPRESS_DEPRECATED
#include "crypto/RandomPool.h"

#include "TestBytes.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <algorithm>
#include <cstring>

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

// A second pool built from the published description with OpenSSL's SHA-1 compression,
// to pin the mixing offsets, the XOR with the complement and the order of the steps.
struct ModelPool {
    std::uint8_t Random[260] = {};
    std::uint8_t Output[260] = {};
    std::uint32_t Position = 0;
    EntropySource Source = nullptr;
};

void ModelMix(std::uint8_t* buffer)
{
    for (std::size_t i = 0; i < 260; i += 20) {
        const std::uint8_t* state = buffer + (i == 0 ? 240 : i - 20);
        SHA_CTX context{};
        SHA_LONG* words[5] = {&context.h0, &context.h1, &context.h2, &context.h3, &context.h4};
        for (std::size_t w = 0; w < 5; ++w)
            *words[w] = (std::uint32_t{state[4 * w]} << 24) | (std::uint32_t{state[4 * w + 1]} << 16) |
                (std::uint32_t{state[4 * w + 2]} << 8) | std::uint32_t{state[4 * w + 3]};
        std::uint8_t block[64];
        for (std::size_t j = 0; j < 64; ++j)
            block[j] = buffer[(i + j) % 260];
        SHA1_Transform(&context, block);
        for (std::size_t w = 0; w < 5; ++w)
            for (std::size_t b = 0; b < 4; ++b)
                buffer[i + 4 * w + b] = static_cast<std::uint8_t>(*words[w] >> (24 - 8 * b));
    }
}

void ModelUpdate(ModelPool& pool)
{
    std::memcpy(pool.Output, pool.Random, 260);
    for (std::uint32_t filled = 0; filled < 260;)
        filled += pool.Source(pool.Random + filled, 260 - filled);
    for (std::size_t i = 0; i < 260; ++i)
        pool.Random[i] = static_cast<std::uint8_t>(pool.Random[i] ^ (0xFF ^ pool.Output[i]));
    ModelMix(pool.Random);
    ModelMix(pool.Output);
}

void ModelInit(EntropySource source, ModelPool& pool)
{
    pool = ModelPool{};
    pool.Source = source;
    ModelUpdate(pool);
    for (int i = 0; i < 20; ++i)
        ModelMix(pool.Random);
    ModelUpdate(pool);
}

void ModelRead(std::uint8_t* output, std::size_t count, ModelPool& pool)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (pool.Position == 260) {
            ModelUpdate(pool);
            pool.Position = 0;
        }
        output[i] = pool.Output[pool.Position++];
    }
}

// A deterministic source that writes 1 to 8 bytes a call; the bytes depend on the count
// asked for, so asking for anything but the remaining count changes the pool.
std::uint32_t State = 0;

std::uint32_t ScriptedSource(std::uint8_t* buffer, std::uint32_t wanted)
{
    State = State * 1664525u + 1013904223u;
    const std::uint32_t count = std::min(wanted, 1 + (State >> 29));
    for (std::uint32_t i = 0; i < count; ++i)
        buffer[i] = static_cast<std::uint8_t>((State >> (8 * (i % 3))) ^ wanted ^ (i * 37));
    return count;
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

TEST(RandomPool, MatchesAModelBuiltFromTheDescriptionOverManyReads)
{
    const std::uint32_t sizes[] = {8, 1, 0, 19, 260, 7, 251, 300, 64, 520, 3, 259, 2, 1000, 16, 12};
    for (std::uint32_t seed : {1u, 0xC0FFEEu}) {
        State = seed;
        RandomPool pool;
        RandomPoolInit(ScriptedSource, pool);
        Bytes actual;
        for (std::uint32_t size : sizes) {
            Bytes piece(size);
            RandomPoolRead(piece.data(), size, pool);
            actual.insert(actual.end(), piece.begin(), piece.end());
        }

        State = seed;
        ModelPool model;
        ModelInit(ScriptedSource, model);
        Bytes expected;
        for (std::uint32_t size : sizes) {
            Bytes piece(size);
            ModelRead(piece.data(), size, model);
            expected.insert(expected.end(), piece.begin(), piece.end());
        }
        EXPECT_EQ(ToHex(actual), ToHex(expected)) << seed;
    }
}

TEST(RandomPool, EightBytesAfterInitAreTheFirstEightOfTheOutputBuffer)
{
    State = 7;
    RandomPool pool;
    RandomPoolInit(ScriptedSource, pool);
    const Bytes front(pool.OutputBuffer, pool.OutputBuffer + 8);
    Bytes salt(8);
    RandomPoolRead(salt.data(), 8, pool);
    EXPECT_EQ(salt, front);
    EXPECT_EQ(pool.ReadPosition, 8u);

    State = 7;
    ModelPool model;
    ModelInit(ScriptedSource, model);
    EXPECT_EQ(ToHex(salt), ToHex(model.Output, 8));
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
