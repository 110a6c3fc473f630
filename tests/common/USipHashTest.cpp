#include "common/USipHash.h"

#include <gtest/gtest.h>
#include <openssl/core_names.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <memory>
#include <random>
#include <string>

namespace {

TSipKey KeyFrom(const unsigned char (&bytes)[16])
{
    TSipKey key;
    for (int i = 7; i >= 0; --i) {
        key.K0 = (key.K0 << 8) | bytes[i];
        key.K1 = (key.K1 << 8) | bytes[8 + i];
    }
    return key;
}

// OpenSSL's SipHash-2-4 with an 8-byte result, as the independent oracle.
std::uint64_t OpenSslSipHash(const unsigned char (&key)[16], const std::string& message)
{
    std::unique_ptr<EVP_MAC, decltype(&EVP_MAC_free)> mac(EVP_MAC_fetch(nullptr, "SIPHASH", nullptr), &EVP_MAC_free);
    std::unique_ptr<EVP_MAC_CTX, decltype(&EVP_MAC_CTX_free)> context(EVP_MAC_CTX_new(mac.get()), &EVP_MAC_CTX_free);
    unsigned int size = 8;
    const OSSL_PARAM params[] = {OSSL_PARAM_construct_uint(OSSL_MAC_PARAM_SIZE, &size), OSSL_PARAM_construct_end()};
    unsigned char out[8];
    std::size_t outSize = 0;
    if (!context || EVP_MAC_init(context.get(), key, sizeof key, params) != 1 ||
        EVP_MAC_update(context.get(), reinterpret_cast<const unsigned char*>(message.data()), message.size()) != 1 ||
        EVP_MAC_final(context.get(), out, &outSize, sizeof out) != 1 || outSize != 8)
        throw std::runtime_error("OpenSSL SipHash failed");
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | out[i];
    return value;
}

} // namespace

// Appendix A of the SipHash paper: key 00..0f, message 00..0e.
TEST(SipHash24, PaperVector)
{
    unsigned char key[16];
    for (int i = 0; i < 16; ++i)
        key[i] = static_cast<unsigned char>(i);
    std::string message;
    for (int i = 0; i < 15; ++i)
        message.push_back(static_cast<char>(i));
    EXPECT_EQ(SipHash24(KeyFrom(key), message), 0xa129ca6149be45e5ULL);
}

TEST(SipHash24, AgreesWithOpenSslAtEveryLengthAndEverySplit)
{
    std::mt19937 random(2026);
    for (std::size_t length = 0; length <= 70; ++length) {
        unsigned char key[16];
        for (auto& byte : key)
            byte = static_cast<unsigned char>(random());
        std::string message(length, '\0');
        for (char& c : message)
            c = static_cast<char>(random());
        const std::uint64_t expected = OpenSslSipHash(key, message);
        EXPECT_EQ(SipHash24(KeyFrom(key), message), expected) << "length " << length;
        for (std::size_t split = 0; split <= length; ++split) {
            TSipHash24 hash(KeyFrom(key));
            hash.Add(std::string_view(message).substr(0, split));
            hash.Add(std::string_view(message).substr(split));
            EXPECT_EQ(hash.Finish(), expected) << "length " << length << " split at " << split;
        }
    }
}
