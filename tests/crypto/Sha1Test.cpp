#include "crypto/Sha1.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

namespace {

std::string Digest(const Bytes& data)
{
    std::uint8_t digest[Sha1DigestLength];
    Sha1(data.data(), data.size(), digest);
    return ToHex(digest, sizeof digest);
}

Bytes Pattern(std::size_t length)
{
    Bytes data(length);
    for (std::size_t i = 0; i < length; ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return data;
}

} // namespace

// FIPS 180 examples (SHA-1 "abc", the two-block message, a million times "a"), and the empty message.
TEST(Sha1, GivesThePublishedDigests)
{
    EXPECT_EQ(Digest(FromText("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(Digest(FromText("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(Digest(FromText("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    EXPECT_EQ(Digest(FromText("abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmno"
                              "ijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu")),
              "a49b2446a02c645bf419f995b67091253a04a259");
    EXPECT_EQ(Digest(Bytes(1000000, 'a')), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

TEST(Sha1, IncrementalEqualsOneShotAtEverySplit)
{
    for (std::size_t length : {55u, 56u, 63u, 64u, 65u, 130u}) {
        const Bytes data = Pattern(length);
        const std::string whole = Digest(data);
        for (std::size_t first = 0; first <= length; ++first) {
            for (std::size_t second = first; second <= length; second += 9) {
                Sha1Context context;
                Sha1Start(context);
                Sha1Add(context, data.data(), first);
                Sha1Add(context, data.data() + first, second - first);
                Sha1Add(context, data.data() + second, length - second);
                std::uint8_t digest[Sha1DigestLength];
                Sha1Finish(context, digest);
                ASSERT_EQ(ToHex(digest, sizeof digest), whole) << length << " split " << first << "/" << second;
            }
        }
    }
}
