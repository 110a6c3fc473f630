#include "crypto/UUtilsCrypt.h"

#include "TTempFolder.h"
#include "crypto/FileCipher.h"

#include <gtest/gtest.h>

#include <system_error>

namespace {

std::string Sample(std::size_t length)
{
    std::string text(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(i * 11 + 1);
    return text;
}

std::uint8_t* Data(std::string& text)
{
    return reinterpret_cast<std::uint8_t*>(text.data());
}

// A mode-1 container made with a fixed salt through the file cipher itself.
std::string MakeContainer(std::string passphrase, const std::string& salt, std::string plain)
{
    FileCipherContext context;
    std::string verifier(2, '\0');
    std::string saltCopy = salt;
    EXPECT_EQ(FileCipherInit(1, Data(passphrase), static_cast<std::uint32_t>(passphrase.size()), Data(saltCopy),
                             Data(verifier), context),
              0);
    FileCipherEncrypt(Data(plain), static_cast<std::uint32_t>(plain.size()), context);
    std::string code(10, '\0');
    FileCipherFinish(Data(code), context);
    return salt + verifier + plain + code;
}

class SettingsFile : public testing::Test {
protected:
    TTempFolder Folder;
    const std::string Dat = Folder.File("dbsettings.dat");
    const std::string Sim = Folder.File("dbsettings.sim");
};

} // namespace

TEST_F(SettingsFile, EncryptThenDecryptGivesThePlainTextBack)
{
    // Around the 256 KB transfer buffer, where a read of 0 bytes ends the source.
    for (std::size_t length : {0u, 1u, 262143u, 262144u, 262145u, 524288u}) {
        const std::string text = Sample(length);
        WriteWhole(Sim, text);
        EXPECT_TRUE(EncryptFile(Sim, Dat));
        EXPECT_EQ(ReadWhole(Dat).size(), length + 20);
        WriteWhole(Sim, "stale content that must be replaced");
        EXPECT_TRUE(DecryptFile(Dat, Sim));
        EXPECT_EQ(ReadWhole(Sim), text) << length;
    }
}

TEST_F(SettingsFile, ReadsContainersOfTheSettingsPassphraseMadeElsewhere)
{
    const std::string text = "<%%ApplicationName%%>Doza Varazaz<%%/ApplicationName%%>\r\n";
    WriteWhole(Dat, MakeContainer("ruzaravore", "8bytesal", text));
    EXPECT_TRUE(DecryptFile(Dat, Sim));
    EXPECT_EQ(ReadWhole(Sim), text);
}

TEST_F(SettingsFile, WrongPassphraseLeavesAnEmptyPlainFile)
{
    std::string settings = "ruzaravore", other = "publisher", salt = "saltsalt";
    std::uint8_t mine[2], theirs[2];
    FileCipherContext context;
    ASSERT_EQ(FileCipherInit(1, Data(settings), 10, Data(salt), mine, context), 0);
    ASSERT_EQ(FileCipherInit(1, Data(other), 9, Data(salt), theirs, context), 0);
    ASSERT_TRUE(mine[0] != theirs[0] || mine[1] != theirs[1]) << "pick another salt";

    WriteWhole(Dat, MakeContainer(other, salt, "secret"));
    WriteWhole(Sim, "old");
    EXPECT_FALSE(DecryptFile(Dat, Sim));
    EXPECT_EQ(ReadWhole(Sim), "");
}

TEST_F(SettingsFile, DamagedFileFailsButKeepsTheDecryptedBytes)
{
    std::string container = MakeContainer("ruzaravore", "12345678", "LastNewsId");
    container[10] ^= 0x01;
    WriteWhole(Dat, container);
    EXPECT_FALSE(DecryptFile(Dat, Sim));
    EXPECT_EQ(ReadWhole(Sim), "MastNewsId");
}

TEST_F(SettingsFile, FileShorterThanAnyContainerGivesAnEmptyPlainFile)
{
    WriteWhole(Dat, Sample(19));
    EXPECT_FALSE(DecryptFile(Dat, Sim));
    EXPECT_TRUE(std::filesystem::exists(Sim));
    EXPECT_EQ(ReadWhole(Sim), "");
}

TEST_F(SettingsFile, MissingSourceThrowsAndCreatesNothing)
{
    EXPECT_THROW(static_cast<void>(DecryptFile(Dat, Sim)), std::system_error);
    EXPECT_THROW(static_cast<void>(EncryptFile(Sim, Dat)), std::system_error);
    EXPECT_FALSE(std::filesystem::exists(Sim));
    EXPECT_FALSE(std::filesystem::exists(Dat));
}

TEST_F(SettingsFile, UncreatableDestinationThrows)
{
    WriteWhole(Sim, "text");
    EXPECT_THROW(static_cast<void>(EncryptFile(Sim, Folder.File("no-such-folder/dbsettings.dat"))), std::system_error);
}
