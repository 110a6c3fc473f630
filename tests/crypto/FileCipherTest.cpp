// FileCipherInit's refusals, and that the container streams write nothing when it refuses.
#include "crypto/FileCipher.h"
#include "crypto/Encryption.h"

#include "TestBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

namespace {

// A context filled with a marker, to show that a refusal sets nothing up.
FileCipherContext MarkedContext()
{
    FileCipherContext context;
    std::memset(&context, 0x5A, sizeof context);
    return context;
}

bool StillMarked(const FileCipherContext& context)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&context);
    return std::all_of(bytes, bytes + sizeof context, [](std::uint8_t b) { return b == 0x5A; });
}

} // namespace

TEST(FileCipherInit, RefusesModesOutsideOneToThreeAndSetsNothingUp)
{
    const Bytes passphrase(10, 'p');
    const Bytes salt(16, 0x11);
    EXPECT_EQ(FileCipherBadMode, -101);
    for (std::int32_t mode : {0, 4, -1, 255}) {
        FileCipherContext context = MarkedContext();
        std::uint8_t verifier[2] = {0xEE, 0xEE};
        EXPECT_EQ(FileCipherInit(mode, passphrase.data(), 10, salt.data(), verifier, context), FileCipherBadMode)
            << mode;
        EXPECT_EQ(verifier[0], 0xEE);
        EXPECT_EQ(verifier[1], 0xEE);
        EXPECT_TRUE(StillMarked(context)) << mode;
    }
}

TEST(FileCipherInit, RefusesPassphrasesOver128BytesAndAcceptsExactly128)
{
    const Bytes passphrase(200, 'p');
    const Bytes salt(16, 0x11);
    std::uint8_t verifier[2] = {0xEE, 0xEE};
    FileCipherContext context = MarkedContext();
    EXPECT_EQ(FileCipherInit(3, passphrase.data(), 129, salt.data(), verifier, context), FileCipherBadPassphrase);
    EXPECT_EQ(FileCipherBadPassphrase, -100);
    EXPECT_EQ(verifier[0], 0xEE);
    EXPECT_TRUE(StillMarked(context));

    EXPECT_EQ(FileCipherInit(3, passphrase.data(), 128, salt.data(), verifier, context), 0);
    const FileCipherWiper wipe(context);
}

TEST(FileCipherInit, RefusalLeavesTheStreamsUnwritten)
{
    for (std::size_t length : {129u, 300u}) {
        TEncryption encryption(std::string(length, 'x'), 64);
        std::istringstream source("secret plain text");
        std::ostringstream destination;
        EXPECT_FALSE(encryption.EncryptStream(source, destination)) << length;
        EXPECT_TRUE(destination.str().empty()) << length;

        // 30 bytes is enough to hold an AES-256 salt, verifier and code.
        std::istringstream stored(std::string(30, 'c'));
        std::ostringstream plain;
        EXPECT_FALSE(encryption.DecryptStream(stored, &plain, 30)) << length;
        EXPECT_TRUE(plain.str().empty()) << length;
    }
}
