// Table-driven block operations (FIPS-197 5.1 and 5.3.5), unrolled over 14 rounds; the
// context's round count picks the entry point, so 12 rounds skip the first two and 10 the first four.
#include "crypto/AesCipher.h"
#include "crypto/AesTables.h"
#include "crypto/ByteOrder.h"

namespace {

using namespace aes_tables;

struct Columns {
    std::uint32_t c0, c1, c2, c3;
};

inline std::uint32_t B0(std::uint32_t w)
{
    return w >> 24;
}
inline std::uint32_t B1(std::uint32_t w)
{
    return (w >> 16) & 0xFF;
}
inline std::uint32_t B2(std::uint32_t w)
{
    return (w >> 8) & 0xFF;
}
inline std::uint32_t B3(std::uint32_t w)
{
    return w & 0xFF;
}

// SubBytes, ShiftRows and MixColumns by table, then AddRoundKey; bytes taken along the diagonal.
inline Columns EncryptRound(const Columns& s, const std::uint32_t* k)
{
    return {Te[0][B0(s.c0)] ^ Te[1][B1(s.c1)] ^ Te[2][B2(s.c2)] ^ Te[3][B3(s.c3)] ^ k[0],
            Te[0][B0(s.c1)] ^ Te[1][B1(s.c2)] ^ Te[2][B2(s.c3)] ^ Te[3][B3(s.c0)] ^ k[1],
            Te[0][B0(s.c2)] ^ Te[1][B1(s.c3)] ^ Te[2][B2(s.c0)] ^ Te[3][B3(s.c1)] ^ k[2],
            Te[0][B0(s.c3)] ^ Te[1][B1(s.c0)] ^ Te[2][B2(s.c1)] ^ Te[3][B3(s.c2)] ^ k[3]};
}

inline Columns EncryptFinalRound(const Columns& s, const std::uint32_t* k)
{
    return {Fe[0][B0(s.c0)] ^ Fe[1][B1(s.c1)] ^ Fe[2][B2(s.c2)] ^ Fe[3][B3(s.c3)] ^ k[0],
            Fe[0][B0(s.c1)] ^ Fe[1][B1(s.c2)] ^ Fe[2][B2(s.c3)] ^ Fe[3][B3(s.c0)] ^ k[1],
            Fe[0][B0(s.c2)] ^ Fe[1][B1(s.c3)] ^ Fe[2][B2(s.c0)] ^ Fe[3][B3(s.c1)] ^ k[2],
            Fe[0][B0(s.c3)] ^ Fe[1][B1(s.c0)] ^ Fe[2][B2(s.c1)] ^ Fe[3][B3(s.c2)] ^ k[3]};
}

// InvShiftRows takes the diagonal the other way round.
inline Columns DecryptRound(const Columns& s, const std::uint32_t* k)
{
    return {Td[0][B0(s.c0)] ^ Td[1][B1(s.c3)] ^ Td[2][B2(s.c2)] ^ Td[3][B3(s.c1)] ^ k[0],
            Td[0][B0(s.c1)] ^ Td[1][B1(s.c0)] ^ Td[2][B2(s.c3)] ^ Td[3][B3(s.c2)] ^ k[1],
            Td[0][B0(s.c2)] ^ Td[1][B1(s.c1)] ^ Td[2][B2(s.c0)] ^ Td[3][B3(s.c3)] ^ k[2],
            Td[0][B0(s.c3)] ^ Td[1][B1(s.c2)] ^ Td[2][B2(s.c1)] ^ Td[3][B3(s.c0)] ^ k[3]};
}

inline Columns DecryptFinalRound(const Columns& s, const std::uint32_t* k)
{
    return {Fd[0][B0(s.c0)] ^ Fd[1][B1(s.c3)] ^ Fd[2][B2(s.c2)] ^ Fd[3][B3(s.c1)] ^ k[0],
            Fd[0][B0(s.c1)] ^ Fd[1][B1(s.c0)] ^ Fd[2][B2(s.c3)] ^ Fd[3][B3(s.c2)] ^ k[1],
            Fd[0][B0(s.c2)] ^ Fd[1][B1(s.c1)] ^ Fd[2][B2(s.c0)] ^ Fd[3][B3(s.c3)] ^ k[2],
            Fd[0][B0(s.c3)] ^ Fd[1][B1(s.c2)] ^ Fd[2][B2(s.c1)] ^ Fd[3][B3(s.c0)] ^ k[3]};
}

inline Columns Load(const std::uint8_t* in, const std::uint32_t* k)
{
    return {LoadBigEndian32(in) ^ k[0], LoadBigEndian32(in + 4) ^ k[1], LoadBigEndian32(in + 8) ^ k[2],
            LoadBigEndian32(in + 12) ^ k[3]};
}

inline void Store(std::uint8_t* out, const Columns& s)
{
    StoreBigEndian32(out, s.c0);
    StoreBigEndian32(out + 4, s.c1);
    StoreBigEndian32(out + 8, s.c2);
    StoreBigEndian32(out + 12, s.c3);
}

// The whole input is loaded before anything is stored, so `in` and `out` may alias.
template <Columns (*Round)(const Columns&, const std::uint32_t*),
          Columns (*FinalRound)(const Columns&, const std::uint32_t*)>
inline void Cipher(const std::uint8_t* in, std::uint8_t* out, const AesContext& context)
{
    const std::uint32_t* k = context.RoundKeys;
    Columns s = Load(in, k);
    switch (context.Rounds) {
    case 14:
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        [[fallthrough]];
    case 12:
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        [[fallthrough]];
    default:
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = Round(s, k += 4);
        s = FinalRound(s, k + 4);
    }
    Store(out, s);
}

} // namespace

std::int32_t AesEncryptBlock(const std::uint8_t* in, std::uint8_t* out, const AesContext& context)
{
    if ((context.State & AesEncryptFlag) == 0)
        return 0;
    Cipher<EncryptRound, EncryptFinalRound>(in, out, context);
    return 1;
}

std::int32_t AesDecryptBlock(const std::uint8_t* in, std::uint8_t* out, const AesContext& context)
{
    if ((context.State & AesDecryptFlag) == 0)
        return 0;
    Cipher<DecryptRound, DecryptFinalRound>(in, out, context);
    return 1;
}
