#include "crypto/RandomPool.h"

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"
#include "crypto/Sha1.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

// Every 20-byte slot is replaced by the compression of the 64 bytes from its start
// (wrapping round), chained from the 20 bytes just before it (wrapping round for slot 0).
void Mix(std::uint8_t* buffer)
{
    for (std::uint32_t i = 0; i < RandomPoolSize; i += Sha1DigestLength) {
        const std::uint32_t previous = (i == 0 ? RandomPoolSize : i) - Sha1DigestLength;
        std::uint32_t chaining[5];
        for (unsigned j = 0; j < 5; ++j)
            chaining[j] = LoadBigEndian32(buffer + previous + 4 * j);
        std::uint8_t block[Sha1BlockLength];
        for (std::uint32_t j = 0; j < Sha1BlockLength; ++j)
            block[j] = buffer[(i + j) % RandomPoolSize];
        Sha1Compress(chaining, block);
        for (unsigned j = 0; j < 5; ++j)
            StoreBigEndian32(buffer + i + 4 * j, chaining[j]);
    }
}

void Update(RandomPool& pool)
{
    std::memcpy(pool.OutputBuffer, pool.RandomBuffer, RandomPoolSize);
    for (std::uint32_t filled = 0; filled < RandomPoolSize;) {
        const std::uint32_t wanted = RandomPoolSize - filled;
        const std::uint32_t got = std::min(pool.Source(pool.RandomBuffer + filled, wanted), wanted);
        // A source that has run dry leaves the rest as it was rather than spinning for ever.
        if (got == 0)
            break;
        filled += got;
    }
    for (std::uint32_t i = 0; i < RandomPoolSize; ++i)
        pool.RandomBuffer[i] ^= static_cast<std::uint8_t>(~pool.OutputBuffer[i]);
    Mix(pool.RandomBuffer);
    Mix(pool.OutputBuffer);
}

} // namespace

void RandomPoolInit(EntropySource source, RandomPool& pool)
{
    RandomPoolClear(pool);
    pool.Source = source;
    Update(pool);
    for (int i = 0; i < 20; ++i)
        Mix(pool.RandomBuffer);
    Update(pool);
}

void RandomPoolRead(std::uint8_t* output, std::uint32_t count, RandomPool& pool)
{
    while (count != 0) {
        if (pool.ReadPosition == RandomPoolSize) {
            Update(pool);
            pool.ReadPosition = 0;
        }
        const std::uint32_t take = std::min(count, RandomPoolSize - pool.ReadPosition);
        std::memcpy(output, pool.OutputBuffer + pool.ReadPosition, take);
        pool.ReadPosition += take;
        output += take;
        count -= take;
    }
}

void RandomPoolClear(RandomPool& pool)
{
    SecureWipe(pool);
}

std::uint32_t ReadTimerEntropy(std::uint8_t* buffer, std::uint32_t wanted)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ticks = static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
    const std::uint32_t count = std::min<std::uint32_t>(wanted, 8);
    for (std::uint32_t i = 0; i < count; ++i)
        buffer[i] = static_cast<std::uint8_t>(ticks >> (8 * i));
    return count;
}
