#pragma once
// AES block cipher (FIPS-197): key set-up and single-block operations, no chaining mode.

#include <cstdint>

// Expanded key for one direction. Plain record owned by the caller; the cipher allocates nothing.
struct AesContext {
    // Schedule words, first schedule byte in the most significant position; 44, 52 or 60 in use.
    std::uint32_t RoundKeys[64];
    // 10, 12 or 14 after a successful key set-up, 0 after a refused one.
    std::uint32_t Rounds;
    // The block length 16 plus direction flags: 17 keyed for encryption, 18 for decryption.
    std::uint32_t State;
};

inline constexpr std::uint32_t AesBlockLength = 16;
inline constexpr std::uint32_t AesEncryptFlag = 1;
inline constexpr std::uint32_t AesDecryptFlag = 2;

// Each returns 1 on success and 0 on refusal. Key lengths are accepted in bytes (16, 24, 32)
// or in bits (128, 192, 256); any other length leaves the context unkeyed (rounds 0).
[[nodiscard]] std::int32_t AesSetEncryptKey(const std::uint8_t* key, std::uint32_t keyLength, AesContext& context);
[[nodiscard]] std::int32_t AesSetDecryptKey(const std::uint8_t* key, std::uint32_t keyLength, AesContext& context);

// One 16-byte block; `in` and `out` may be the same buffer. Refused (0, output untouched)
// unless the context is keyed for that direction.
[[nodiscard]] std::int32_t AesEncryptBlock(const std::uint8_t* in, std::uint8_t* out, const AesContext& context);
[[nodiscard]] std::int32_t AesDecryptBlock(const std::uint8_t* in, std::uint8_t* out, const AesContext& context);
