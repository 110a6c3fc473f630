#pragma once
// PBKDF2 of PKCS #5 v2.0 (RFC 2898 5.2) with HMAC-SHA1 as the pseudo-random function.

#include <cstdint>

// Writes `outputLength` bytes of key material: T1 || T2 || ... cut to length. An iteration
// count of 0 is taken as 1.
void DeriveKey(const std::uint8_t* password, std::uint32_t passwordLength, const std::uint8_t* salt,
               std::uint32_t saltLength, std::uint32_t iterations, std::uint8_t* output, std::uint32_t outputLength);
