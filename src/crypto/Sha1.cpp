#include "crypto/Sha1.h"

#include "crypto/ByteOrder.h"
#include "crypto/SecureWipe.h"

#include <cstring>

namespace {

inline std::uint32_t Rotl(std::uint32_t x, unsigned bits)
{
    return (x << bits) | (x >> (32 - bits));
}

// FIPS 180-4 4.1.1 functions with the constants of 4.2.1, one per group of 20 steps.
struct Choose {
    static constexpr std::uint32_t K = 0x5A827999;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return d ^ (b & (c ^ d)); }
};
struct Parity1 {
    static constexpr std::uint32_t K = 0x6ED9EBA1;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
};
struct Majority {
    static constexpr std::uint32_t K = 0x8F1BBCDC;
    // The two terms never share a set bit, so they may be added instead of ORed.
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return (b & c) + (d & (b ^ c)); }
};
struct Parity2 {
    static constexpr std::uint32_t K = 0xCA62C1D6;
    static std::uint32_t F(std::uint32_t b, std::uint32_t c, std::uint32_t d) { return b ^ c ^ d; }
};

// One step of 6.1.2 step 3 with the variables renamed instead of shifted:
// T = ROTL5(a) + f(b, c, d) + e + K + W, then e is the new a and b becomes ROTL30(b).
template <typename Group>
inline void Step(std::uint32_t a, std::uint32_t& b, std::uint32_t c, std::uint32_t d, std::uint32_t& e, std::uint32_t w)
{
    e += w + Group::K;
    e += Rotl(a, 5) + Group::F(b, c, d);
    b = Rotl(b, 30);
}

// Message schedule of 6.1.2 step 1 kept in a 16-word ring.
inline std::uint32_t Schedule(std::uint32_t* w, unsigned t)
{
    const std::uint32_t next = Rotl(w[(t + 13) & 15] ^ w[(t + 8) & 15] ^ w[(t + 2) & 15] ^ w[t & 15], 1);
    w[t & 15] = next;
    return next;
}

template <typename Group, bool Load>
inline void Twenty(std::uint32_t* w, unsigned first, const std::uint8_t* block, std::uint32_t& a, std::uint32_t& b,
                   std::uint32_t& c, std::uint32_t& d, std::uint32_t& e)
{
    auto word = [&](unsigned t) {
        if constexpr (Load) {
            if (t < 16)
                return w[t] = LoadBigEndian32(block + 4 * t);
        }
        return Schedule(w, t);
    };
#pragma GCC unroll 4
    for (unsigned t = first; t < first + 20; t += 5) {
        Step<Group>(a, b, c, d, e, word(t));
        Step<Group>(e, a, b, c, d, word(t + 1));
        Step<Group>(d, e, a, b, c, word(t + 2));
        Step<Group>(c, d, e, a, b, word(t + 3));
        Step<Group>(b, c, d, e, a, word(t + 4));
    }
}

const std::uint8_t Padding[Sha1BlockLength] = {0x80};

} // namespace

void Sha1Compress(std::uint32_t chaining[5], const std::uint8_t* block)
{
    std::uint32_t w[16];
    std::uint32_t a = chaining[0], b = chaining[1], c = chaining[2], d = chaining[3], e = chaining[4];
    Twenty<Choose, true>(w, 0, block, a, b, c, d, e);
    Twenty<Parity1, false>(w, 20, block, a, b, c, d, e);
    Twenty<Majority, false>(w, 40, block, a, b, c, d, e);
    Twenty<Parity2, false>(w, 60, block, a, b, c, d, e);
    chaining[0] += a;
    chaining[1] += b;
    chaining[2] += c;
    chaining[3] += d;
    chaining[4] += e;
}

void Sha1Start(Sha1Context& context)
{
    // FIPS 180-4 5.3.1
    context.ByteCount = 0;
    context.Chaining[0] = 0x67452301;
    context.Chaining[1] = 0xEFCDAB89;
    context.Chaining[2] = 0x98BADCFE;
    context.Chaining[3] = 0x10325476;
    context.Chaining[4] = 0xC3D2E1F0;
}

void Sha1Add(Sha1Context& context, const std::uint8_t* data, std::uint64_t length)
{
    if (length == 0)
        return;
    auto used = static_cast<std::uint32_t>(context.ByteCount % Sha1BlockLength);
    context.ByteCount += length;
    if (used != 0) {
        const std::uint32_t room = Sha1BlockLength - used;
        if (length < room) {
            std::memcpy(context.Block + used, data, static_cast<std::size_t>(length));
            return;
        }
        std::memcpy(context.Block + used, data, room);
        Sha1Compress(context.Chaining, context.Block);
        data += room;
        length -= room;
    }
    for (; length >= Sha1BlockLength; data += Sha1BlockLength, length -= Sha1BlockLength)
        Sha1Compress(context.Chaining, data);
    if (length != 0)
        std::memcpy(context.Block, data, static_cast<std::size_t>(length));
}

void Sha1Finish(Sha1Context& context, std::uint8_t* digest)
{
    // FIPS 180-4 5.1.1: a one bit, zeros up to 56 bytes mod 64, the bit length big-endian.
    const std::uint64_t bits = context.ByteCount * 8;
    const auto used = static_cast<std::uint32_t>(context.ByteCount % Sha1BlockLength);
    const std::uint32_t padLength = used < 56 ? 56 - used : 120 - used;
    Sha1Add(context, Padding, padLength);
    std::uint8_t length[8];
    StoreBigEndian32(length, static_cast<std::uint32_t>(bits >> 32));
    StoreBigEndian32(length + 4, static_cast<std::uint32_t>(bits));
    Sha1Add(context, length, sizeof length);
    for (unsigned i = 0; i < 5; ++i)
        StoreBigEndian32(digest + 4 * i, context.Chaining[i]);
    SecureWipe(context);
}

void Sha1(const std::uint8_t* data, std::uint64_t length, std::uint8_t* digest)
{
    Sha1Context context;
    Sha1Start(context);
    Sha1Add(context, data, length);
    Sha1Finish(context, digest);
}
