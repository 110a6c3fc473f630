// Our containers against an independent reader and writer of the WinZip AE encrypted-data layout.
#include "ContainerTestSupport.h"

#include <gtest/gtest.h>

namespace {

const std::string Passphrases[] = {"ruzaravore", std::string(40, 'm'), std::string(60, 'L')};

Bytes Sample(std::size_t length, std::uint8_t seed)
{
    Bytes data(length);
    for (std::size_t i = 0; i < length; ++i)
        data[i] = static_cast<std::uint8_t>(i * 29 + seed);
    return data;
}

} // namespace

// 5000 bytes run past 256 counter blocks, so the carry into counter byte 1 is covered.
TEST(WinZipLayout, ForeignReaderReadsOurContainers)
{
    for (int mode = 1; mode <= 3; ++mode) {
        for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 4096u, 5000u}) {
            const Bytes text = Sample(length, static_cast<std::uint8_t>(mode));
            const ForeignResult foreign =
                ForeignRead(Passphrases[mode - 1], mode, EncryptBytes(Passphrases[mode - 1], text));
            EXPECT_TRUE(foreign.VerifierMatched) << mode << "/" << length;
            EXPECT_TRUE(foreign.CodeMatched) << mode << "/" << length;
            EXPECT_EQ(foreign.Plain, text) << mode << "/" << length;
        }
    }
}

TEST(WinZipLayout, WeReadTheForeignWritersContainers)
{
    for (int mode = 1; mode <= 3; ++mode) {
        const Bytes salt = Sample(4 * mode + 4, 0x90);
        for (std::size_t length : {0u, 1u, 15u, 16u, 17u, 4096u, 5000u}) {
            const Bytes text = Sample(length, 0x21);
            Bytes plain;
            EXPECT_TRUE(
                DecryptBytes(Passphrases[mode - 1], ForeignWrite(Passphrases[mode - 1], mode, salt, text), plain, 1000))
                << mode << "/" << length;
            EXPECT_EQ(plain, text) << mode << "/" << length;
        }
    }
}
