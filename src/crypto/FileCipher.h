#pragma once
// The WinZip AES construction for one file: PBKDF2-HMAC-SHA1 key material, AES in counter
// mode with a little-endian counter, a 2-byte password verifier and HMAC-SHA1 over the
// cipher text cut to 10 bytes.

#include "crypto/AesCipher.h"
#include "crypto/HmacSha1.h"
#include "crypto/SecureWipe.h"

#include <cstdint>

inline constexpr std::uint32_t FileCipherMaxPassphrase = 128;
inline constexpr std::uint32_t FileCipherVerifierLength = 2;
inline constexpr std::uint32_t FileCipherCodeLength = 10;
inline constexpr std::uint32_t FileCipherIterations = 1000;
inline constexpr std::int32_t FileCipherBadPassphrase = -100;
inline constexpr std::int32_t FileCipherBadMode = -101;

// Key-size mode 1, 2 or 3: AES-128, -192 or -256.
constexpr std::uint32_t FileCipherSaltLength(std::int32_t mode)
{
    return 4 * static_cast<std::uint32_t>(mode) + 4;
}
constexpr std::uint32_t FileCipherKeyLength(std::int32_t mode)
{
    return 8 * static_cast<std::uint32_t>(mode) + 8;
}

// One per file operation; plain record, no heap memory.
struct FileCipherContext {
    std::uint8_t CounterBlock[AesBlockLength]; // bytes 0-7 a little-endian counter, 8-15 zero
    std::uint8_t KeystreamBlock[AesBlockLength];
    AesContext Aes;
    HmacSha1Context Hmac;
    std::uint32_t KeystreamPosition; // next unused keystream byte; 16 = a new block is needed
    std::uint32_t PassphraseLength;
    std::int32_t Mode;
};

// Derives the key material from the passphrase and the salt (FileCipherSaltLength(mode) bytes)
// and writes the 2-byte verifier. Returns 0, FileCipherBadPassphrase for a passphrase over
// 128 bytes or FileCipherBadMode for a mode outside 1 to 3; a refusal sets nothing up.
[[nodiscard]] std::int32_t FileCipherInit(std::int32_t mode, const std::uint8_t* passphrase,
                                          std::uint32_t passphraseLength, const std::uint8_t* salt,
                                          std::uint8_t* verifier, FileCipherContext& context);
// Transform `data` in place; any length and any split over calls give the same bytes.
void FileCipherEncrypt(std::uint8_t* data, std::uint32_t length, FileCipherContext& context);
void FileCipherDecrypt(std::uint8_t* data, std::uint32_t length, FileCipherContext& context);
// Writes the 10-byte authentication code, wipes the context and returns 10.
std::uint32_t FileCipherFinish(std::uint8_t* code, FileCipherContext& context);

// Wipes a context however the operation that used it ends.
class FileCipherWiper {
public:
    explicit FileCipherWiper(FileCipherContext& context)
        : Context(context)
    {
    }
    ~FileCipherWiper() { SecureWipe(Context); }
    FileCipherWiper(const FileCipherWiper&) = delete;
    FileCipherWiper& operator=(const FileCipherWiper&) = delete;

private:
    FileCipherContext& Context;
};
