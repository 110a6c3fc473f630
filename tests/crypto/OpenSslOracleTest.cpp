// OpenSSL's libcrypto as an independent oracle on random keys, lengths and data.
#include "crypto/AesCipher.h"
#include "crypto/DeriveKey.h"
#include "crypto/HmacSha1.h"
#include "crypto/Sha1.h"

#include "TestBytes.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/sha.h>

#include <random>

namespace {

class Oracle : public testing::Test {
protected:
    Bytes Random(std::size_t length)
    {
        Bytes bytes(length);
        for (auto& b : bytes)
            b = static_cast<std::uint8_t>(Engine());
        return bytes;
    }
    std::size_t Below(std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(Engine); }

    std::mt19937 Engine{20261209};
};

const EVP_CIPHER* EcbFor(std::size_t keyLength)
{
    return keyLength == 16 ? EVP_aes_128_ecb() : keyLength == 24 ? EVP_aes_192_ecb() : EVP_aes_256_ecb();
}

Bytes OpenSslAes(bool encrypt, const Bytes& key, const Bytes& block)
{
    EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
    Bytes out(32);
    int length = 0;
    EVP_CipherInit_ex(context, EcbFor(key.size()), nullptr, key.data(), nullptr, encrypt ? 1 : 0);
    EVP_CIPHER_CTX_set_padding(context, 0);
    EVP_CipherUpdate(context, out.data(), &length, block.data(), static_cast<int>(block.size()));
    EVP_CIPHER_CTX_free(context);
    out.resize(static_cast<std::size_t>(length));
    return out;
}

} // namespace

TEST_F(Oracle, AesAgreesOnRandomKeysAndBlocksInBothDirections)
{
    for (int i = 0; i < 3000; ++i) {
        const std::uint32_t keyLength = 16 + 8 * static_cast<std::uint32_t>(Below(3));
        const Bytes key = Random(keyLength);
        const Bytes block = Random(16);
        AesContext context{};
        Bytes ours(16);
        ASSERT_EQ(AesSetEncryptKey(key.data(), keyLength, context), 1);
        ASSERT_EQ(AesEncryptBlock(block.data(), ours.data(), context), 1);
        ASSERT_EQ(ours, OpenSslAes(true, key, block)) << ToHex(key);
        ASSERT_EQ(AesSetDecryptKey(key.data(), keyLength, context), 1);
        ASSERT_EQ(AesDecryptBlock(block.data(), ours.data(), context), 1);
        ASSERT_EQ(ours, OpenSslAes(false, key, block)) << ToHex(key);
    }
}

TEST_F(Oracle, Sha1AgreesOnRandomLengthsAndData)
{
    for (int i = 0; i < 2000; ++i) {
        const Bytes data = Random(i < 300 ? static_cast<std::size_t>(i) : Below(5000));
        std::uint8_t ours[20], theirs[20];
        Sha1(data.data(), data.size(), ours);
        SHA1(data.data(), data.size(), theirs);
        ASSERT_EQ(ToHex(ours, 20), ToHex(theirs, 20)) << data.size();
    }
}

TEST_F(Oracle, HmacSha1AgreesOnRandomKeysAndData)
{
    for (int i = 0; i < 2000; ++i) {
        const Bytes key = Random(Below(200));
        const Bytes data = Random(Below(300));
        std::uint8_t ours[20], theirs[20];
        unsigned length = 0;
        HmacSha1(key.data(), static_cast<std::uint32_t>(key.size()), data.data(), data.size(), ours);
        HMAC(EVP_sha1(), key.data(), static_cast<int>(key.size()), data.data(), data.size(), theirs, &length);
        ASSERT_EQ(ToHex(ours, 20), ToHex(theirs, 20)) << key.size() << "/" << data.size();
    }
}

TEST_F(Oracle, DeriveKeyAgreesOnRandomPasswordsSaltsCountsAndLengths)
{
    for (int i = 0; i < 1000; ++i) {
        const Bytes password = Random(Below(150));
        const Bytes salt = Random(Below(40));
        const auto iterations = static_cast<std::uint32_t>(1 + Below(20));
        const std::size_t length = 1 + Below(90);
        Bytes ours(length), theirs(length);
        DeriveKey(password.data(), static_cast<std::uint32_t>(password.size()), salt.data(),
                  static_cast<std::uint32_t>(salt.size()), iterations, ours.data(), static_cast<std::uint32_t>(length));
        PKCS5_PBKDF2_HMAC_SHA1(reinterpret_cast<const char*>(password.data()), static_cast<int>(password.size()),
                               salt.data(), static_cast<int>(salt.size()), static_cast<int>(iterations),
                               static_cast<int>(length), theirs.data());
        ASSERT_EQ(ours, theirs) << password.size() << "/" << salt.size() << "/" << iterations << "/" << length;
    }
}
