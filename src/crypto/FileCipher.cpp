#include "crypto/FileCipher.h"

#include "crypto/DeriveKey.h"
#include "crypto/SecureWipe.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint32_t MaxMaterialLength = 2 * 32 + 2;

// Counter mode: the counter is incremented before each keystream block, so the first
// block enciphers the value 1; the carry runs from byte 0 up to byte 7 and stops there.
void ApplyKeystream(std::uint8_t* data, std::uint32_t length, FileCipherContext& context)
{
    while (length != 0) {
        if (context.KeystreamPosition == AesBlockLength) {
            for (unsigned b = 0; b < 8 && ++context.CounterBlock[b] == 0; ++b) { }
            // Cannot fail: the context was keyed for encryption in FileCipherInit.
            static_cast<void>(AesEncryptBlock(context.CounterBlock, context.KeystreamBlock, context.Aes));
            context.KeystreamPosition = 0;
        }
        const std::uint32_t take = std::min(length, AesBlockLength - context.KeystreamPosition);
        const std::uint8_t* keystream = context.KeystreamBlock + context.KeystreamPosition;
        for (std::uint32_t i = 0; i < take; ++i)
            data[i] ^= keystream[i];
        context.KeystreamPosition += take;
        data += take;
        length -= take;
    }
}

} // namespace

std::int32_t FileCipherInit(std::int32_t mode, const std::uint8_t* passphrase, std::uint32_t passphraseLength,
                            const std::uint8_t* salt, std::uint8_t* verifier, FileCipherContext& context)
{
    if (passphraseLength > FileCipherMaxPassphrase)
        return FileCipherBadPassphrase;
    if (mode < 1 || mode > 3)
        return FileCipherBadMode;
    context.Mode = mode;
    context.PassphraseLength = passphraseLength;

    // Material: AES key (K bytes), HMAC key (K bytes), verifier (2 bytes).
    const std::uint32_t keyLength = FileCipherKeyLength(mode);
    std::uint8_t material[MaxMaterialLength];
    DeriveKey(passphrase, passphraseLength, salt, FileCipherSaltLength(mode), FileCipherIterations, material,
              2 * keyLength + FileCipherVerifierLength);

    context.KeystreamPosition = AesBlockLength;
    std::memset(context.CounterBlock, 0, sizeof context.CounterBlock);
    // Cannot fail: the key length is 16, 24 or 32.
    static_cast<void>(AesSetEncryptKey(material, keyLength, context.Aes));
    HmacSha1Start(context.Hmac);
    HmacSha1AddKey(context.Hmac, material + keyLength, keyLength);
    std::memcpy(verifier, material + 2 * keyLength, FileCipherVerifierLength);
    SecureWipe(material);
    return 0;
}

void FileCipherEncrypt(std::uint8_t* data, std::uint32_t length, FileCipherContext& context)
{
    ApplyKeystream(data, length, context);
    HmacSha1AddData(context.Hmac, data, length);
}

void FileCipherDecrypt(std::uint8_t* data, std::uint32_t length, FileCipherContext& context)
{
    HmacSha1AddData(context.Hmac, data, length);
    ApplyKeystream(data, length, context);
}

std::uint32_t FileCipherFinish(std::uint8_t* code, FileCipherContext& context)
{
    HmacSha1Finish(context.Hmac, code, FileCipherCodeLength);
    SecureWipe(context);
    return FileCipherCodeLength;
}
