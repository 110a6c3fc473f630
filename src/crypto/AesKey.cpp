// Key expansion of FIPS-197 5.2, unrolled per key size, and the schedule of the equivalent
// inverse cipher of FIPS-197 5.3.5.
#include "crypto/AesCipher.h"
#include "crypto/AesTables.h"
#include "crypto/ByteOrder.h"

#include <utility>

namespace {

using namespace aes_tables;

// SubWord(RotWord(w)) through the final-round tables.
inline std::uint32_t SubRotWord(std::uint32_t w)
{
    return Fe[0][(w >> 16) & 0xFF] ^ Fe[1][(w >> 8) & 0xFF] ^ Fe[2][w & 0xFF] ^ Fe[3][w >> 24];
}

inline std::uint32_t SubWord(std::uint32_t w)
{
    return Fe[0][w >> 24] ^ Fe[1][(w >> 16) & 0xFF] ^ Fe[2][(w >> 8) & 0xFF] ^ Fe[3][w & 0xFF];
}

// One step of the expansion: Nk new words from the Nk previous ones (the last step may be cut).
template <unsigned Nk, unsigned Step, unsigned Words>
inline void ExpandStep(std::uint32_t* w)
{
    constexpr unsigned base = Nk * (Step + 1);
    w[base] = w[base - Nk] ^ SubRotWord(w[base - 1]) ^ Rcon[Step];
    [&]<unsigned... J>(std::integer_sequence<unsigned, J...>)
    {
        (([&] {
             constexpr unsigned i = base + 1 + J;
             if constexpr (i < Words) {
                 const std::uint32_t previous = (Nk == 8 && i % 8 == 4) ? SubWord(w[i - 1]) : w[i - 1];
                 w[i] = w[i - Nk] ^ previous;
             }
         }()),
         ...);
    }
    (std::make_integer_sequence<unsigned, Nk - 1>{});
}

template <unsigned Nk, unsigned Rounds>
void Expand(const std::uint8_t* key, std::uint32_t* w)
{
    constexpr unsigned words = 4 * (Rounds + 1);
    [&]<unsigned... I>(std::integer_sequence<unsigned, I...>)
    {
        ((w[I] = LoadBigEndian32(key + 4 * I)), ...);
    }
    (std::make_integer_sequence<unsigned, Nk>{});
    [&]<unsigned... S>(std::integer_sequence<unsigned, S...>)
    {
        (ExpandStep<Nk, S, words>(w), ...);
    }
    (std::make_integer_sequence<unsigned, (words - 1) / Nk>{});
}

// Key length in bytes for a valid length given in bytes or bits, else 0.
std::uint32_t KeyBytes(std::uint32_t keyLength)
{
    switch (keyLength) {
    case 16:
    case 24:
    case 32:
        return keyLength;
    case 128:
    case 192:
    case 256:
        return keyLength / 8;
    default:
        return 0;
    }
}

bool ExpandEncryptKey(const std::uint8_t* key, std::uint32_t keyLength, AesContext& context)
{
    context.State = AesBlockLength;
    switch (KeyBytes(keyLength)) {
    case 16:
        Expand<4, 10>(key, context.RoundKeys);
        context.Rounds = 10;
        return true;
    case 24:
        Expand<6, 12>(key, context.RoundKeys);
        context.Rounds = 12;
        return true;
    case 32:
        Expand<8, 14>(key, context.RoundKeys);
        context.Rounds = 14;
        return true;
    default:
        context.Rounds = 0;
        return false;
    }
}

inline std::uint32_t InvMixColumn(std::uint32_t w)
{
    return Im[0][w >> 24] ^ Im[1][(w >> 16) & 0xFF] ^ Im[2][(w >> 8) & 0xFF] ^ Im[3][w & 0xFF];
}

} // namespace

std::int32_t AesSetEncryptKey(const std::uint8_t* key, std::uint32_t keyLength, AesContext& context)
{
    if (!ExpandEncryptKey(key, keyLength, context))
        return 0;
    context.State |= AesEncryptFlag;
    return 1;
}

std::int32_t AesSetDecryptKey(const std::uint8_t* key, std::uint32_t keyLength, AesContext& context)
{
    if (!ExpandEncryptKey(key, keyLength, context))
        return 0;
    // FIPS-197 5.3.5: round keys in reverse order, InvMixColumns applied to all but the outer two.
    std::uint32_t* w = context.RoundKeys;
    const unsigned rounds = context.Rounds;
    for (unsigned low = 0, high = 4 * rounds; low < high; low += 4, high -= 4) {
        for (unsigned j = 0; j < 4; ++j)
            std::swap(w[low + j], w[high + j]);
    }
    for (unsigned i = 4; i < 4 * rounds; ++i)
        w[i] = InvMixColumn(w[i]);
    context.State |= AesDecryptFlag;
    return 1;
}
