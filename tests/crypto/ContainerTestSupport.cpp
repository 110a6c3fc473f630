#include "ContainerTestSupport.h"

#include "crypto/Encryption.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <sstream>

namespace {

std::string AsString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

Bytes AsBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Pbkdf2(const std::string& passphrase, const Bytes& salt, std::size_t length)
{
    Bytes material(length);
    PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), static_cast<int>(passphrase.size()), salt.data(),
                           static_cast<int>(salt.size()), 1000, static_cast<int>(length), material.data());
    return material;
}

// Counter blocks 1, 2, 3, ... as 64-bit little-endian integers in bytes 0-7, zeros after,
// enciphered in ECB mode and XORed onto the data.
void CounterMode(const Bytes& key, Bytes& data)
{
    const EVP_CIPHER* cipher = key.size() == 16 ? EVP_aes_128_ecb()
        : key.size() == 24                      ? EVP_aes_192_ecb()
                                                : EVP_aes_256_ecb();
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    EVP_EncryptInit_ex(context, cipher, nullptr, key.data(), nullptr);
    EVP_CIPHER_CTX_set_padding(context, 0);
    std::uint64_t counter = 0;
    for (std::size_t at = 0; at < data.size(); at += 16) {
        ++counter;
        std::uint8_t block[16] = {};
        for (int i = 0; i < 8; ++i)
            block[i] = static_cast<std::uint8_t>(counter >> (8 * i));
        std::uint8_t keystream[16];
        int length = 0;
        EVP_EncryptUpdate(context, keystream, &length, block, 16);
        for (std::size_t i = 0; i < 16 && at + i < data.size(); ++i)
            data[at + i] ^= keystream[i];
    }
    EVP_CIPHER_CTX_free(context);
}

Bytes Code(const Bytes& key, const Bytes& cipherText)
{
    std::uint8_t mac[20];
    unsigned length = 0;
    HMAC(EVP_sha1(), key.data(), static_cast<int>(key.size()), cipherText.data(), cipherText.size(), mac, &length);
    return Bytes(mac, mac + 10);
}

} // namespace

Bytes EncryptBytes(const std::string& passphrase, const Bytes& plain, std::uint32_t bufferSize)
{
    std::istringstream source(AsString(plain));
    std::ostringstream destination;
    TEncryption encryption(passphrase, bufferSize);
    EXPECT_TRUE(encryption.EncryptStream(source, destination));
    return AsBytes(destination.str());
}

bool DecryptBytes(const std::string& passphrase, const Bytes& container, Bytes& plain, std::uint32_t bufferSize)
{
    std::istringstream source(AsString(container));
    std::ostringstream destination;
    TEncryption encryption(passphrase, bufferSize);
    const bool matched = encryption.DecryptStream(source, &destination, static_cast<std::int64_t>(container.size()));
    plain = AsBytes(destination.str());
    return matched;
}

ForeignResult ForeignRead(const std::string& passphrase, int mode, const Bytes& container)
{
    const std::size_t saltLength = 4 * mode + 4, keyLength = 8 * mode + 8;
    ForeignResult result;
    if (container.size() < saltLength + 12)
        return result;
    const Bytes salt(container.begin(), container.begin() + static_cast<long>(saltLength));
    const Bytes material = Pbkdf2(passphrase, salt, 2 * keyLength + 2);
    result.VerifierMatched = std::equal(material.end() - 2, material.end(), container.begin() + saltLength);
    const Bytes cipherText(container.begin() + static_cast<long>(saltLength) + 2, container.end() - 10);
    result.CodeMatched = Code(Bytes(material.begin() + keyLength, material.begin() + 2 * keyLength), cipherText) ==
        Bytes(container.end() - 10, container.end());
    result.Plain = cipherText;
    CounterMode(Bytes(material.begin(), material.begin() + keyLength), result.Plain);
    return result;
}

Bytes ForeignWrite(const std::string& passphrase, int mode, const Bytes& salt, const Bytes& plain)
{
    const std::size_t keyLength = 8 * mode + 8;
    const Bytes material = Pbkdf2(passphrase, salt, 2 * keyLength + 2);
    Bytes cipherText = plain;
    CounterMode(Bytes(material.begin(), material.begin() + keyLength), cipherText);
    Bytes container = salt;
    container.insert(container.end(), material.end() - 2, material.end());
    container.insert(container.end(), cipherText.begin(), cipherText.end());
    const Bytes code = Code(Bytes(material.begin() + keyLength, material.begin() + 2 * keyLength), cipherText);
    container.insert(container.end(), code.begin(), code.end());
    return container;
}
