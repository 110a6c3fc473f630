// The container streams of TCrypt and TEncryption.
#include "crypto/Encryption.h"

#include "ContainerTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <streambuf>

namespace {

const std::string Settings = "ruzaravore";

Bytes Sample(std::size_t length)
{
    Bytes data(length);
    for (std::size_t i = 0; i < length; ++i)
        data[i] = static_cast<std::uint8_t>(i * 13 + 5);
    return data;
}

// A stream buffer that accepts `limit` bytes and then fails every write.
class FullDisk : public std::streambuf {
public:
    explicit FullDisk(std::size_t limit)
        : Limit(limit)
    {
    }
    std::size_t Written = 0;

protected:
    int_type overflow(int_type c) override
    {
        if (Written == Limit || traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::eof();
        ++Written;
        return c;
    }

private:
    std::size_t Limit;
};

std::string AsString(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

TEST(Container, EmptyPlainTextGivesTwentyBytesThatDecrypt)
{
    const Bytes container = EncryptBytes(Settings, {});
    EXPECT_EQ(container.size(), 20u);
    Bytes plain{1};
    EXPECT_TRUE(DecryptBytes(Settings, container, plain));
    EXPECT_TRUE(plain.empty());
}

TEST(Container, EveryEncryptionHasItsOwnSaltAndBothDecrypt)
{
    const Bytes text = Sample(100);
    const Bytes first = EncryptBytes(Settings, text);
    const Bytes second = EncryptBytes(Settings, text);
    EXPECT_NE(Bytes(first.begin(), first.begin() + 8), Bytes(second.begin(), second.begin() + 8));
    EXPECT_NE(first, second);
    Bytes plain;
    EXPECT_TRUE(DecryptBytes(Settings, first, plain));
    EXPECT_EQ(plain, text);
    EXPECT_TRUE(DecryptBytes(Settings, second, plain));
    EXPECT_EQ(plain, text);
}

TEST(Container, AnyBufferSizeReadsWhatAnyOtherWrote)
{
    // A buffer size of 0 is taken as 1 rather than spinning on empty reads.
    const std::uint32_t sizes[] = {0, 1, 7, 16, 64, 262144};
    for (std::size_t length : {0u, 1u, 15u, 17u, 63u, 64u, 65u, 127u, 128u, 129u, 192u, 1000u}) {
        const Bytes text = Sample(length);
        for (std::uint32_t writeSize : sizes) {
            const Bytes container = EncryptBytes(Settings, text, writeSize);
            ASSERT_EQ(container.size(), length + 20);
            for (std::uint32_t readSize : sizes) {
                Bytes plain;
                ASSERT_TRUE(DecryptBytes(Settings, container, plain, readSize)) << length << " " << writeSize;
                ASSERT_EQ(plain, text) << length << " " << writeSize << " " << readSize;
            }
        }
    }
}

TEST(Container, PassphraseLengthChoosesTheKeySize)
{
    const struct {
        std::size_t Length;
        std::int32_t Mode;
        std::size_t Salt;
    } cases[] = {{0, 1, 8}, {31, 1, 8}, {32, 2, 12}, {47, 2, 12}, {48, 3, 16}, {128, 3, 16}};
    const Bytes text = Sample(40);
    for (const auto& c : cases) {
        const std::string passphrase(c.Length, 'p');
        EXPECT_EQ(TCrypt(passphrase, 16).Mode(), c.Mode);
        const Bytes container = EncryptBytes(passphrase, text);
        EXPECT_EQ(container.size(), text.size() + c.Salt + 12) << c.Length;
        const ForeignResult foreign = ForeignRead(passphrase, c.Mode, container);
        EXPECT_TRUE(foreign.VerifierMatched && foreign.CodeMatched) << c.Length;
        Bytes plain;
        EXPECT_TRUE(DecryptBytes(passphrase, container, plain));
        EXPECT_EQ(plain, text);
    }
}

TEST(Container, FlippedCipherBitFailsButWritesThePlainTextWithThatBitFlipped)
{
    const Bytes text = Sample(300);
    Bytes container = EncryptBytes(Settings, text);
    container[8 + 2 + 123] ^= 0x10;
    Bytes plain;
    EXPECT_FALSE(DecryptBytes(Settings, container, plain, 64));
    Bytes expected = text;
    expected[123] ^= 0x10;
    EXPECT_EQ(plain, expected);
}

TEST(Container, FlippedCodeBitFailsWithTheWholePlainTextWritten)
{
    const Bytes text = Sample(300);
    Bytes container = EncryptBytes(Settings, text);
    container.back() ^= 0x01;
    Bytes plain;
    EXPECT_FALSE(DecryptBytes(Settings, container, plain));
    EXPECT_EQ(plain, text);
}

TEST(Container, WrongPassphraseFailsBeforeWritingAnything)
{
    // Fixed salts whose verifiers differ under the two passphrases, so the test cannot hit the
    // one-in-65536 verifier collision.
    for (const Bytes& salt : {FromHex("0001020304050607"), FromHex("a5a5a5a5a5a5a5a5")}) {
        const Bytes container = ForeignWrite(Settings, 1, salt, Sample(50));
        ASSERT_FALSE(ForeignRead("ruzaravorE", 1, container).VerifierMatched);
        Bytes plain{1};
        EXPECT_FALSE(DecryptBytes("ruzaravorE", container, plain));
        EXPECT_TRUE(plain.empty());
    }
}

TEST(Container, ContainerShorterThanSaltAndTwelveIsRefusedUnread)
{
    const Bytes container = EncryptBytes(Settings, {});
    for (std::size_t length = 0; length < 20; ++length) {
        std::istringstream source(AsString(Bytes(container.begin(), container.begin() + static_cast<long>(length))));
        std::ostringstream destination;
        TCrypt crypt(Settings, 64);
        EXPECT_FALSE(crypt.DecryptStream(source, &destination, static_cast<std::int64_t>(length)));
        EXPECT_TRUE(destination.str().empty());
        EXPECT_EQ(source.tellg(), 0);
    }
}

TEST(Container, NoDestinationChecksWithTheSameResult)
{
    const Bytes good = EncryptBytes(Settings, Sample(77));
    Bytes bad = good;
    bad[20] ^= 1;
    for (const Bytes& container : {good, bad}) {
        std::istringstream source(AsString(container));
        TCrypt crypt(Settings, 16);
        Bytes plain;
        EXPECT_EQ(crypt.DecryptStream(source, nullptr, static_cast<std::int64_t>(container.size())),
                  DecryptBytes(Settings, container, plain));
    }
}

TEST(Container, ReadsExactlyTheAnnouncedLengthAndFailsWhenTheSourceEndsEarly)
{
    const Bytes first = EncryptBytes(Settings, Sample(33));
    const Bytes second = EncryptBytes(Settings, Sample(70));
    std::istringstream both(AsString(first) + AsString(second));
    TCrypt crypt(Settings, 1000);
    std::ostringstream out;
    EXPECT_TRUE(crypt.DecryptStream(both, &out, static_cast<std::int64_t>(first.size())));
    EXPECT_EQ(both.tellg(), static_cast<std::streamoff>(first.size()));
    EXPECT_TRUE(crypt.DecryptStream(both, &out, static_cast<std::int64_t>(second.size())));
    EXPECT_EQ(out.str(), AsString(Sample(33)) + AsString(Sample(70)));

    std::istringstream truncated(AsString(first));
    EXPECT_FALSE(crypt.DecryptStream(truncated, nullptr, static_cast<std::int64_t>(first.size()) + 1));
}

TEST(Container, RefusedPassphraseWritesNothingAtAll)
{
    const std::string tooLong(129, 'x');
    std::istringstream source("secret plain text");
    std::ostringstream destination;
    TEncryption encryption(tooLong, 64);
    EXPECT_FALSE(encryption.EncryptStream(source, destination));
    EXPECT_TRUE(destination.str().empty());

    const Bytes container = EncryptBytes(std::string(128, 'x'), Sample(10));
    std::istringstream stored(AsString(container));
    EXPECT_FALSE(encryption.DecryptStream(stored, &destination, static_cast<std::int64_t>(container.size())));
    EXPECT_TRUE(destination.str().empty());
}

TEST(Container, FailingDestinationFailsTheOperation)
{
    const Bytes text = Sample(500);
    const Bytes container = EncryptBytes(Settings, text);
    for (std::size_t limit : {0u, 5u, 10u, 200u, 519u}) {
        FullDisk disk(limit);
        std::ostream destination(&disk);
        std::istringstream source(AsString(text));
        TEncryption encryption(Settings, 64);
        EXPECT_FALSE(encryption.EncryptStream(source, destination)) << limit;

        FullDisk plainDisk(limit);
        std::ostream plain(&plainDisk);
        std::istringstream stored(AsString(container));
        EXPECT_EQ(encryption.DecryptStream(stored, &plain, static_cast<std::int64_t>(container.size())),
                  limit >= text.size())
            << limit;
    }
}

TEST(Container, StreamExceptionsBecomeFalse)
{
    FullDisk disk(3);
    std::ostream destination(&disk);
    destination.exceptions(std::ios::badbit | std::ios::failbit);
    std::istringstream source("plain");
    TEncryption encryption(Settings, 64);
    bool result = true;
    EXPECT_NO_THROW(result = encryption.EncryptStream(source, destination));
    EXPECT_FALSE(result);
}

namespace {

// A source whose reads fail as a failing disk's would.
class FailingSource : public std::streambuf {
protected:
    int_type underflow() override { throw std::ios_base::failure("read error"); }
};

struct DecryptCase {
    const char* Name;
    Bytes Container;
    std::int64_t Announced;
    TCryptFailure Expected;
};

} // namespace

TEST(Container, EachDecryptFailureTellsItsReasonAndSuccessClearsIt)
{
    const Bytes good = EncryptBytes(Settings, Sample(100));
    const auto length = static_cast<std::int64_t>(good.size());
    Bytes flippedCipher = good, flippedCode = good;
    flippedCipher[8 + 2 + 40] ^= 1;
    flippedCode.back() ^= 1;
    // A salt whose verifier differs under the other passphrase, as in the test above.
    const Bytes otherKey = ForeignWrite("ruzaravorE", 1, FromHex("0001020304050607"), Sample(100));
    const DecryptCase cases[] = {
        {"too short", Bytes(good.begin(), good.begin() + 19), 19, TCryptFailure::TooShort},
        {"other passphrase", otherKey, length, TCryptFailure::Verifier},
        {"flipped cipher bit", flippedCipher, length, TCryptFailure::Code},
        {"flipped code bit", flippedCode, length, TCryptFailure::Code},
        {"source ends early", good, length + 1, TCryptFailure::Read},
        {"sound", good, length, TCryptFailure::None},
    };
    TCrypt crypt(Settings, 64);
    for (const DecryptCase& test : cases) {
        std::istringstream source(AsString(test.Container));
        std::ostringstream destination;
        EXPECT_EQ(crypt.DecryptStream(source, &destination, test.Announced), test.Expected == TCryptFailure::None)
            << test.Name;
        EXPECT_EQ(crypt.Failure(), test.Expected) << test.Name;
    }

    FullDisk disk(10);
    std::ostream full(&disk);
    std::istringstream source(AsString(good));
    EXPECT_FALSE(crypt.DecryptStream(source, &full, length));
    EXPECT_EQ(crypt.Failure(), TCryptFailure::Write);
}

TEST(Container, EachEncryptFailureTellsItsReason)
{
    TEncryption refused(std::string(129, 'x'), 64);
    std::istringstream text("plain");
    std::ostringstream out;
    EXPECT_FALSE(refused.EncryptStream(text, out));
    EXPECT_EQ(refused.Failure(), TCryptFailure::Refused);

    TEncryption encryption(Settings, 64);
    FailingSource failing;
    std::istream unreadable(&failing);
    EXPECT_FALSE(encryption.EncryptStream(unreadable, out));
    EXPECT_EQ(encryption.Failure(), TCryptFailure::Read);

    for (std::size_t limit : {0u, 12u, 18u}) { // in the header, the cipher text, the code
        FullDisk disk(limit);
        std::ostream full(&disk);
        std::istringstream source("plain");
        EXPECT_FALSE(encryption.EncryptStream(source, full));
        EXPECT_EQ(encryption.Failure(), TCryptFailure::Write) << limit;
    }
}
