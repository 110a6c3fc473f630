#pragma once
// The salt source: a pool of 13 SHA-1 digests stirred by the compression function and fed
// by an entropy callback. Only the unpredictability of its output is relied upon.

#include <cstdint>

inline constexpr std::uint32_t RandomPoolSize = 260;

// Writes up to `wanted` bytes to `buffer` and returns how many it wrote.
using EntropySource = std::uint32_t (*)(std::uint8_t* buffer, std::uint32_t wanted);

// Plain record; no heap memory.
struct RandomPool {
    std::uint8_t RandomBuffer[RandomPoolSize];
    std::uint8_t OutputBuffer[RandomPoolSize];
    std::uint32_t ReadPosition; // next unread byte of OutputBuffer
    EntropySource Source;
};

void RandomPoolInit(EntropySource source, RandomPool& pool);
void RandomPoolRead(std::uint8_t* output, std::uint32_t count, RandomPool& pool);
// Zeroes the whole pool.
void RandomPoolClear(RandomPool& pool);

// The platform's high-resolution monotonic clock in nanoseconds, 8 bytes little-endian;
// copies min(wanted, 8) of them and returns that count.
std::uint32_t ReadTimerEntropy(std::uint8_t* buffer, std::uint32_t wanted);
