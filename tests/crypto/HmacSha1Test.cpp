#include "crypto/HmacSha1.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Rfc2202Case {
    Bytes Key;
    Bytes Data;
    const char* Code;
};

std::string Mac(const Bytes& key, const Bytes& data)
{
    std::uint8_t mac[Sha1DigestLength];
    HmacSha1(key.data(), static_cast<std::uint32_t>(key.size()), data.data(), data.size(), mac);
    return ToHex(mac, sizeof mac);
}

// Adds the key and the data in pieces of the given sizes, cycling through them.
std::string MacInPieces(const Bytes& key, std::size_t keyPiece, const Bytes& data, std::size_t dataPiece,
                        std::uint32_t macLength = Sha1DigestLength)
{
    HmacSha1Context context;
    HmacSha1Start(context);
    for (std::size_t at = 0; at < key.size(); at += keyPiece)
        HmacSha1AddKey(context, key.data() + at, static_cast<std::uint32_t>(std::min(keyPiece, key.size() - at)));
    for (std::size_t at = 0; at < data.size(); at += dataPiece)
        HmacSha1AddData(context, data.data() + at, std::min(dataPiece, data.size() - at));
    std::uint8_t mac[Sha1DigestLength] = {};
    HmacSha1Finish(context, mac, macLength);
    return ToHex(mac, macLength);
}

} // namespace

// RFC 2202 section 3, test cases 1 to 7.
TEST(HmacSha1, GivesTheRfc2202Codes)
{
    const Rfc2202Case cases[] = {
        {Bytes(20, 0x0b), FromText("Hi There"), "b617318655057264e28bc0b6fb378c8ef146be00"},
        {FromText("Jefe"), FromText("what do ya want for nothing?"), "effcdf6ae5eb2fa2d27416d5f184df9c259a7c79"},
        {Bytes(20, 0xaa), Bytes(50, 0xdd), "125d7342b9ac11cd91a39af48aa17b4f63f175d3"},
        {FromHex("0102030405060708090a0b0c0d0e0f10111213141516171819"), Bytes(50, 0xcd),
         "4c9007f4026250c6bc8414f9bf50c86c2d7235da"},
        {Bytes(20, 0x0c), FromText("Test With Truncation"), "4c1a03424b55e07fe7f27be1d58bb9324a9a5a04"},
        {Bytes(80, 0xaa), FromText("Test Using Larger Than Block-Size Key - Hash Key First"),
         "aa4ae5e15272d00e95705637ce8a3b55ed402112"},
        {Bytes(80, 0xaa), FromText("Test Using Larger Than Block-Size Key and Larger Than One Block-Size Data"),
         "e8e99d0f45237d786d6bbaa7965c7808bbff1a91"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Mac(c.Key, c.Data), c.Code);
    // Test case 5 also gives the code truncated to 96 bits.
    EXPECT_EQ(MacInPieces(cases[4].Key, 20, cases[4].Data, 20, 12), "4c1a03424b55e07fe7f27be1");
}

TEST(HmacSha1, KeyAndDataInPiecesEqualOneCall)
{
    Bytes data(150);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i);
    for (std::size_t keyLength : {0u, 1u, 20u, 63u, 64u, 65u, 100u, 200u}) {
        const Bytes key(keyLength, 0x6B);
        const std::string whole = Mac(key, data);
        for (std::size_t keyPiece : {1u, 7u, 64u}) {
            for (std::size_t dataPiece : {1u, 13u, 64u, 150u})
                EXPECT_EQ(MacInPieces(key, keyPiece, data, dataPiece), whole) << keyLength << "/" << keyPiece;
        }
    }
}

TEST(HmacSha1, KeyLongerThanABlockActsAsItsDigest)
{
    const Bytes data = FromText("some data");
    for (std::size_t keyLength : {65u, 128u, 1000u}) {
        Bytes key(keyLength);
        for (std::size_t i = 0; i < keyLength; ++i)
            key[i] = static_cast<std::uint8_t>(i * 31);
        Bytes digest(Sha1DigestLength);
        Sha1(key.data(), key.size(), digest.data());
        EXPECT_EQ(Mac(key, data), Mac(digest, data)) << keyLength;
    }
}
