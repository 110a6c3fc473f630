#pragma once
// The AES look-up tables, generated at compile time from the FIPS-197 definitions of the
// S-box (multiplicative inverse in GF(2^8) followed by the affine transformation) and of
// MixColumns / InvMixColumns. Every table is a constant in read-only data; nothing is
// computed when the program runs.
//
// Each 32-bit word holds one column with row 0 in the most significant byte.

#include <array>
#include <cstdint>

namespace aes_tables {

using Table = std::array<std::uint32_t, 256>;

// Multiplication in GF(2^8) modulo x^8 + x^4 + x^3 + x + 1 (FIPS-197 4.2).
constexpr std::uint8_t Mul(std::uint8_t a, std::uint8_t b)
{
    std::uint8_t product = 0;
    while (b != 0) {
        if ((b & 1) != 0)
            product ^= a;
        a = static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) != 0 ? 0x1B : 0));
        b >>= 1;
    }
    return product;
}

// FIPS-197 5.1.1: inverse in GF(2^8) (0 maps to 0), then the affine transformation.
// The inverses come from log/antilog tables to the generator 03, so building the box
// takes a few thousand steps rather than a search per byte (compilers cap constexpr work).
constexpr std::array<std::uint8_t, 256> MakeSBox()
{
    std::array<std::uint8_t, 256> antilog{};
    std::array<std::uint8_t, 256> log{};
    std::uint8_t power = 1;
    for (unsigned i = 0; i < 255; ++i) {
        antilog[i] = power;
        log[power] = static_cast<std::uint8_t>(i);
        power = Mul(power, 3);
    }
    std::array<std::uint8_t, 256> box{};
    for (unsigned x = 0; x < 256; ++x) {
        const unsigned s = x == 0 ? 0 : antilog[(255 - log[x]) % 255];
        unsigned result = 0x63;
        for (unsigned shift = 0; shift < 5; ++shift)
            result ^= ((s << shift) | (s >> (8 - shift))) & 0xFF;
        box[x] = static_cast<std::uint8_t>(result);
    }
    return box;
}

inline constexpr std::array<std::uint8_t, 256> SBox = MakeSBox();

constexpr std::array<std::uint8_t, 256> MakeInverseSBox()
{
    std::array<std::uint8_t, 256> box{};
    for (unsigned x = 0; x < 256; ++x)
        box[SBox[x]] = static_cast<std::uint8_t>(x);
    return box;
}

inline constexpr std::array<std::uint8_t, 256> InverseSBox = MakeInverseSBox();

constexpr std::uint32_t Word(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, std::uint8_t b3)
{
    return (std::uint32_t{b0} << 24) | (std::uint32_t{b1} << 16) | (std::uint32_t{b2} << 8) | b3;
}

constexpr std::uint32_t RotateRight(std::uint32_t w, unsigned bits)
{
    return (w >> bits) | (w << (32 - bits));
}

// Column contribution of one byte in row 0; rows 1 to 3 are its byte rotations.
// MixColumns coefficients (02 01 01 03), InvMixColumns (0e 09 0d 0b) (FIPS-197 5.1.3, 5.3.3).
enum class Kind { Forward, ForwardFinal, Inverse, InverseFinal, InvMixColumns };

constexpr std::uint32_t Row0(Kind kind, unsigned x)
{
    const auto b = static_cast<std::uint8_t>(x);
    switch (kind) {
    case Kind::Forward: {
        const std::uint8_t s = SBox[b];
        return Word(Mul(s, 2), s, s, Mul(s, 3));
    }
    case Kind::ForwardFinal:
        return Word(SBox[b], 0, 0, 0);
    case Kind::Inverse: {
        const std::uint8_t s = InverseSBox[b];
        return Word(Mul(s, 14), Mul(s, 9), Mul(s, 13), Mul(s, 11));
    }
    case Kind::InverseFinal:
        return Word(InverseSBox[b], 0, 0, 0);
    case Kind::InvMixColumns:
        return Word(Mul(b, 14), Mul(b, 9), Mul(b, 13), Mul(b, 11));
    }
    return 0;
}

constexpr Table MakeTable(Kind kind, unsigned row)
{
    Table table{};
    for (unsigned x = 0; x < 256; ++x)
        table[x] = row == 0 ? Row0(kind, x) : RotateRight(Row0(kind, x), 8 * row);
    return table;
}

using TableSet = std::array<Table, 4>;

constexpr TableSet MakeSet(Kind kind)
{
    return {MakeTable(kind, 0), MakeTable(kind, 1), MakeTable(kind, 2), MakeTable(kind, 3)};
}

// Inner rounds: SubBytes and MixColumns of a byte in row r.
alignas(64) inline constexpr TableSet Te = MakeSet(Kind::Forward);
// Final round and SubWord: the S-box output alone, placed in row r.
alignas(64) inline constexpr TableSet Fe = MakeSet(Kind::ForwardFinal);
alignas(64) inline constexpr TableSet Td = MakeSet(Kind::Inverse);
alignas(64) inline constexpr TableSet Fd = MakeSet(Kind::InverseFinal);
// InvMixColumns of a round-key byte in row r, for the equivalent inverse cipher's schedule.
alignas(64) inline constexpr TableSet Im = MakeSet(Kind::InvMixColumns);

// Rcon[i] = x^(i) in GF(2^8), in the top byte (FIPS-197 5.2).
constexpr std::array<std::uint32_t, 10> MakeRcon()
{
    std::array<std::uint32_t, 10> rcon{};
    std::uint8_t power = 1;
    for (auto& word : rcon) {
        word = std::uint32_t{power} << 24;
        power = Mul(power, 2);
    }
    return rcon;
}

inline constexpr std::array<std::uint32_t, 10> Rcon = MakeRcon();

static_assert(SBox[0x00] == 0x63 && SBox[0x53] == 0xED && SBox[0xFF] == 0x16, "FIPS-197 Figure 7");
static_assert(InverseSBox[0x63] == 0x00 && InverseSBox[0x16] == 0xFF, "FIPS-197 Figure 14");
static_assert(Rcon[9] == 0x36000000u, "FIPS-197 Appendix A");

} // namespace aes_tables
