#pragma once
// Incremental HMAC-SHA1 (RFC 2104): key bytes in any number of calls, then data in any number.

#include "crypto/Sha1.h"

#include <cstdint>

// Plain record; no heap memory.
struct HmacSha1Context {
    // The key gathered so far, zero-filled; once the key phase closes, the effective key
    // (the SHA-1 digest of a key longer than 64 bytes).
    std::uint8_t KeyBlock[Sha1BlockLength];
    // Hashes a key longer than 64 bytes during the key phase, then the inner hash.
    Sha1Context Sha1;
    // Key bytes gathered, with HmacDataPhase set once the first data byte has arrived.
    std::uint32_t KeyPhase;
};

inline constexpr std::uint32_t HmacDataPhase = 0x80000000u;

void HmacSha1Start(HmacSha1Context& context);
// Only before the first data byte; later calls are ignored.
void HmacSha1AddKey(HmacSha1Context& context, const std::uint8_t* key, std::uint32_t length);
void HmacSha1AddData(HmacSha1Context& context, const std::uint8_t* data, std::uint64_t length);
// Writes the first `macLength` (at most 20) bytes of the code and wipes the context.
void HmacSha1Finish(HmacSha1Context& context, std::uint8_t* mac, std::uint32_t macLength);

// One-shot over the four calls above, with the full 20-byte code.
void HmacSha1(const std::uint8_t* key, std::uint32_t keyLength, const std::uint8_t* data, std::uint64_t length,
              std::uint8_t* mac);
