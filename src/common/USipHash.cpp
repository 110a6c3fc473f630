#include "common/USipHash.h"

#include <sys/random.h>

#include <cerrno>
#include <random>

namespace {

constexpr std::uint64_t RotateLeft(std::uint64_t x, int bits)
{
    return (x << bits) | (x >> (64 - bits));
}

// One SipRound (section 2 of the paper).
inline void SipRound(std::uint64_t& v0, std::uint64_t& v1, std::uint64_t& v2, std::uint64_t& v3)
{
    v0 += v1;
    v1 = RotateLeft(v1, 13);
    v1 ^= v0;
    v0 = RotateLeft(v0, 32);
    v2 += v3;
    v3 = RotateLeft(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = RotateLeft(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = RotateLeft(v1, 17);
    v1 ^= v2;
    v2 = RotateLeft(v2, 32);
}

TSipKey DrawKey()
{
    TSipKey key;
    unsigned char bytes[16];
    std::size_t filled = 0;
    while (filled < sizeof bytes) {
        const ssize_t count = ::getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (count > 0)
            filled += static_cast<std::size_t>(count);
        else if (errno != EINTR)
            break;
    }
    if (filled < sizeof bytes) { // a kernel without getrandom
        std::random_device device;
        for (auto& byte : bytes)
            byte = static_cast<unsigned char>(device());
    }
    for (int i = 7; i >= 0; --i) {
        key.K0 = (key.K0 << 8) | bytes[i];
        key.K1 = (key.K1 << 8) | bytes[8 + i];
    }
    return key;
}

} // namespace

TSipHash24::TSipHash24(const TSipKey& key)
    // Initialisation: the key XORed with the constants "somepseudorandomlygeneratedbytes".
    : V0(key.K0 ^ 0x736f6d6570736575ULL)
    , V1(key.K1 ^ 0x646f72616e646f6dULL)
    , V2(key.K0 ^ 0x6c7967656e657261ULL)
    , V3(key.K1 ^ 0x7465646279746573ULL)
{
}

void TSipHash24::Compress(std::uint64_t word)
{
    // Compression: two SipRounds per 8-byte word.
    V3 ^= word;
    SipRound(V0, V1, V2, V3);
    SipRound(V0, V1, V2, V3);
    V0 ^= word;
}

void TSipHash24::Add(const unsigned char* data, std::size_t size)
{
    Length += size;
    std::size_t i = 0;
    if (PendingCount == 0) // whole words straight from the input
        for (; i + 8 <= size; i += 8) {
            std::uint64_t word = 0;
            for (int b = 7; b >= 0; --b)
                word = (word << 8) | data[i + static_cast<std::size_t>(b)];
            Compress(word);
        }
    for (; i < size; ++i) {
        Pending |= static_cast<std::uint64_t>(data[i]) << (8 * PendingCount);
        if (++PendingCount == 8) {
            Compress(Pending);
            Pending = 0;
            PendingCount = 0;
        }
    }
}

std::uint64_t TSipHash24::Finish()
{
    // The last word holds the remaining bytes and, in its top byte, the length mod 256.
    Compress(Pending | (static_cast<std::uint64_t>(Length & 0xFF) << 56));
    // Finalisation: 0xff into v2, then four SipRounds.
    V2 ^= 0xFF;
    for (int round = 0; round < 4; ++round)
        SipRound(V0, V1, V2, V3);
    return V0 ^ V1 ^ V2 ^ V3;
}

std::uint64_t SipHash24(const TSipKey& key, std::string_view bytes)
{
    TSipHash24 hash(key);
    hash.Add(bytes);
    return hash.Finish();
}

const TSipKey& ProcessSipKey()
{
    static const TSipKey key = DrawKey();
    return key;
}
