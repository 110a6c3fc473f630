#include "crypto/AesCipher.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct KnownAnswer {
    const char* Key;
    const char* Cipher;
};

// FIPS-197 Appendix C: plaintext 00112233445566778899aabbccddeeff under the keys 000102...
const char* const Plain = "00112233445566778899aabbccddeeff";
const KnownAnswer Appendix[] = {
    {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
};

class AesKnownAnswer : public testing::TestWithParam<KnownAnswer> { };

} // namespace

TEST_P(AesKnownAnswer, EnciphersAndDeciphersTheFips197AppendixCVectors)
{
    const Bytes key = FromHex(GetParam().Key);
    const Bytes plain = FromHex(Plain);
    AesContext context{};
    ASSERT_EQ(AesSetEncryptKey(key.data(), static_cast<std::uint32_t>(key.size()), context), 1);
    EXPECT_EQ(context.State, 17u);
    EXPECT_EQ(context.Rounds, 6 + key.size() / 4);
    Bytes out(16);
    ASSERT_EQ(AesEncryptBlock(plain.data(), out.data(), context), 1);
    EXPECT_EQ(ToHex(out), GetParam().Cipher);

    ASSERT_EQ(AesSetDecryptKey(key.data(), static_cast<std::uint32_t>(key.size()), context), 1);
    EXPECT_EQ(context.State, 18u);
    ASSERT_EQ(AesDecryptBlock(out.data(), out.data(), context), 1);
    EXPECT_EQ(ToHex(out), Plain);
}

INSTANTIATE_TEST_SUITE_P(ThreeKeySizes, AesKnownAnswer, testing::ValuesIn(Appendix));

TEST(AesCipher, KeyLengthInBitsGivesTheSameContextAsInBytes)
{
    const Bytes key = FromHex("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f");
    for (std::uint32_t bytes : {16u, 24u, 32u}) {
        for (auto set : {AesSetEncryptKey, AesSetDecryptKey}) {
            AesContext byByte{}, byBit{};
            ASSERT_EQ(set(key.data(), bytes, byByte), 1);
            ASSERT_EQ(set(key.data(), bytes * 8, byBit), 1);
            EXPECT_EQ(std::memcmp(&byByte, &byBit, sizeof byByte), 0) << bytes;
        }
    }
}

TEST(AesCipher, RefusedKeyLengthLeavesAnUnkeyedContextThatRefusesBlocks)
{
    const Bytes key(64, 0x5A);
    for (std::uint32_t length : {0u, 8u, 15u, 17u, 20u, 40u, 64u, 127u, 129u, 512u}) {
        for (auto set : {AesSetEncryptKey, AesSetDecryptKey}) {
            AesContext context{};
            ASSERT_EQ(AesSetEncryptKey(key.data(), 16, context), 1);
            const AesContext before = context;
            EXPECT_EQ(set(key.data(), length, context), 0) << length;
            EXPECT_EQ(context.Rounds, 0u);
            EXPECT_EQ(context.State, 16u);
            EXPECT_EQ(std::memcmp(context.RoundKeys, before.RoundKeys, sizeof before.RoundKeys), 0);
            Bytes out(16, 0xEE);
            EXPECT_EQ(AesEncryptBlock(key.data(), out.data(), context), 0);
            EXPECT_EQ(AesDecryptBlock(key.data(), out.data(), context), 0);
            EXPECT_EQ(out, Bytes(16, 0xEE));
        }
    }
}

TEST(AesCipher, BlockOperationRefusesTheOtherDirection)
{
    const Bytes key(16, 1), in(16, 2);
    Bytes out(16, 0xEE);
    AesContext context{};
    EXPECT_EQ(AesEncryptBlock(in.data(), out.data(), context), 0) << "zero-filled context";
    ASSERT_EQ(AesSetEncryptKey(key.data(), 16, context), 1);
    EXPECT_EQ(AesDecryptBlock(in.data(), out.data(), context), 0);
    ASSERT_EQ(AesSetDecryptKey(key.data(), 16, context), 1);
    EXPECT_EQ(AesEncryptBlock(in.data(), out.data(), context), 0);
    EXPECT_EQ(out, Bytes(16, 0xEE));
}

TEST(AesCipher, RekeyingReplacesTheOldKeyCompletely)
{
    const Bytes first(32, 0xA1), second(16, 0x3C), block(16, 0x77);
    AesContext reused{}, fresh{};
    ASSERT_EQ(AesSetEncryptKey(first.data(), 32, reused), 1);
    ASSERT_EQ(AesSetEncryptKey(second.data(), 16, reused), 1);
    ASSERT_EQ(AesSetEncryptKey(second.data(), 16, fresh), 1);
    Bytes a(16), b(16);
    ASSERT_EQ(AesEncryptBlock(block.data(), a.data(), reused), 1);
    ASSERT_EQ(AesEncryptBlock(block.data(), b.data(), fresh), 1);
    EXPECT_EQ(a, b);
}

TEST(AesCipher, InPlaceBlockEqualsSeparateBuffers)
{
    const Bytes key = FromHex("2b7e151628aed2a6abf7158809cf4f3c2b7e151628aed2a6");
    const Bytes plain = FromHex("6bc1bee22e409f96e93d7e117393172a");
    for (std::uint32_t length : {16u, 24u}) {
        AesContext enc{}, dec{};
        ASSERT_EQ(AesSetEncryptKey(key.data(), length, enc), 1);
        ASSERT_EQ(AesSetDecryptKey(key.data(), length, dec), 1);
        Bytes separate(16), inPlace = plain;
        ASSERT_EQ(AesEncryptBlock(plain.data(), separate.data(), enc), 1);
        ASSERT_EQ(AesEncryptBlock(inPlace.data(), inPlace.data(), enc), 1);
        EXPECT_EQ(inPlace, separate);
        ASSERT_EQ(AesDecryptBlock(inPlace.data(), inPlace.data(), dec), 1);
        EXPECT_EQ(inPlace, plain);
    }
}
