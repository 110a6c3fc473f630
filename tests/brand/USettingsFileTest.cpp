// The settings file in the program folder: loading the branding, and the read marker
// written back into it.
#include "brand/USettingsFile.h"
#include "brand/ULastNewsId.h"

#include "TFillingFolder.h"
#include "TScriptedRandom.h"
#include "TTempFolder.h"
#include "common/UProgramFolder.h"
#include "crypto/USettingsContainer.h"
#include "crypto/UUtilsCrypt.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const std::string Branded = "<%%ApplicationName%%>Doza Varazaz<%%/ApplicationName%%>\r\n"
                            "<%%BranderType%%>Gold<%%/BranderType%%>\r\n"
                            "<%%GoldNewsBaseURL%%>http://news.example/<%%/GoldNewsBaseURL%%>\r\n"
                            "<%%GoldPublID%%>77<%%/GoldPublID%%>\r\n"
                            "<%%Welcome1%%><p>Hello</p><%%/Welcome1%%>\r\n"
                            "<%%Banner1%%>one.jpg^http://one.example/<%%/Banner1%%>\r\n"
                            "<%%Banner2%%>two.gif^http://two.example/<%%/Banner2%%>\r\n";

class SettingsFile : public testing::Test {
protected:
    // Seals `plain` into "dbsettings.dat" the way the publisher's tool does.
    void Seal(const std::string& plain)
    {
        Folder.Write("plain.tmp", plain);
        ASSERT_TRUE(EncryptFile(Folder.File("plain.tmp"), Folder.File("dbsettings.dat")));
        std::filesystem::remove(Folder.File("plain.tmp"));
    }
    std::string Plain()
    {
        std::string plain;
        EXPECT_EQ(DecryptSettings(Folder.Read("dbsettings.dat"), plain), TCryptFailure::None);
        return plain;
    }
    void TearDown() override { EXPECT_FALSE(Folder.Has("dbsettings.sim")); }

    TTempFolder Folder;
    TProgramFolder Program{Folder.Path()};
};

} // namespace

TEST_F(SettingsFile, WithoutAFileNothingIsReadAndNothingWritten)
{
    TScriptedRandom random;
    EXPECT_FALSE(LoadBrandSettings(Program, random).Loaded);
    EXPECT_EQ(LoadLastNewsId(Program), "");
    EXPECT_FALSE(SaveLastNewsId(Program, "57"));
    EXPECT_EQ(Folder.EntryCount(), 0u);
}

TEST_F(SettingsFile, LoadsTheBrandingAndChoosesTheEntries)
{
    Seal(Branded);
    Folder.Write("dbsettings.sim", "a plain copy left by a crash");
    TScriptedRandom random({0, 1});
    const TBrandSettings settings = LoadBrandSettings(Program, random);
    EXPECT_TRUE(settings.Loaded);
    EXPECT_EQ(settings.ApplicationName, "Doza Varazaz");
    EXPECT_EQ(settings.GoldPublID, "77");
    EXPECT_EQ(settings.WelcomeText, "<p>Hello</p>");
    EXPECT_EQ(settings.BannerImage, "two.gif");
    EXPECT_EQ(settings.BannerNumber, 2);
}

TEST_F(SettingsFile, AFileThatFailsItsVerifierGivesNoValues)
{
    Folder.Write("dbsettings.dat", std::string(8, 'x') + "\x01\x02" + Branded + std::string(10, 'c'));
    TScriptedRandom random;
    const TBrandSettings settings = LoadBrandSettings(Program, random);
    EXPECT_TRUE(settings.Loaded);
    EXPECT_EQ(settings.ApplicationName, "");
    EXPECT_EQ(LoadLastNewsId(Program), "");
}

TEST_F(SettingsFile, SavingAppendsTheMarkerThenReplacesIt)
{
    Seal(Branded);
    ASSERT_TRUE(SaveLastNewsId(Program, "57"));
    EXPECT_EQ(Plain(), Branded + "<%%LastNewsId%%>57<%%/LastNewsId%%>\r\n");
    EXPECT_EQ(LoadLastNewsId(Program), "57");
    ASSERT_TRUE(SaveLastNewsId(Program, "58"));
    EXPECT_EQ(Plain(), Branded + "<%%LastNewsId%%>58<%%/LastNewsId%%>\r\n");
    EXPECT_EQ(LoadLastNewsId(Program), "58");
}

TEST_F(SettingsFile, AnIdThatCouldRewriteTheSettingsIsNeverStored)
{
    Seal(Branded);
    for (const char* id : {"5<%%/LastNewsId%%><%%ApplicationName%%>Other", "5\r\n<%%ApplicationName%%>", "5>"})
        EXPECT_FALSE(SaveLastNewsId(Program, id)) << id;
    EXPECT_EQ(Plain(), Branded);
}

TEST_F(SettingsFile, SavingReplacesOnlyTheElementWhateverItsCase)
{
    const struct {
        std::string Before;
        std::string After;
    } cases[] = {
        // Settings sharing the element's line stay.
        {"<%%ApplicationName%%>A<%%/ApplicationName%%><%%LastNewsId%%>3<%%/LastNewsId%%><%%BranderCode%%>B"
         "<%%/BranderCode%%>\r\n",
         "<%%ApplicationName%%>A<%%/ApplicationName%%><%%LastNewsId%%>9<%%/LastNewsId%%><%%BranderCode%%>B"
         "<%%/BranderCode%%>\r\n"},
        // Found in any letter case, so no second element appears.
        {"<%%lastnewsid%%>3<%%/LASTNEWSID%%>\n<%%BranderCode%%>B<%%/BranderCode%%>\n",
         "<%%LastNewsId%%>9<%%/LastNewsId%%>\n<%%BranderCode%%>B<%%/BranderCode%%>\n"},
        // Without its close tag the element runs to the end of its line.
        {"x<%%LastNewsId%%>3\r\ny\r\n", "x<%%LastNewsId%%>9<%%/LastNewsId%%>\r\ny\r\n"},
        // A close tag further down is not the element's: the settings between stay.
        {"<%%LastNewsId%%>3\r\n<%%ApplicationName%%>A<%%/ApplicationName%%>\r\n<%%/LastNewsId%%>\r\n",
         "<%%LastNewsId%%>9<%%/LastNewsId%%>\r\n<%%ApplicationName%%>A<%%/ApplicationName%%>\r\n"
         "<%%/LastNewsId%%>\r\n"},
        {"<%%LastNewsId%%>3\r\n<%%BranderCode%%>B<%%/BranderCode%%>\r\n<%%LastNewsId%%>4<%%/LastNewsId%%>\r\n",
         "<%%LastNewsId%%>9<%%/LastNewsId%%>\r\n<%%BranderCode%%>B<%%/BranderCode%%>\r\n"
         "<%%LastNewsId%%>4<%%/LastNewsId%%>\r\n"},
        // A last line without a break gets one before the new line.
        {"<%%BranderCode%%>B<%%/BranderCode%%>",
         "<%%BranderCode%%>B<%%/BranderCode%%>\r\n"
         "<%%LastNewsId%%>9<%%/LastNewsId%%>\r\n"},
        // What follows a NUL byte is never read, and kept behind the readable text.
        {std::string("a\r\n") + '\0' + "<%%LastNewsId%%>3<%%/LastNewsId%%>",
         std::string("a\r\n<%%LastNewsId%%>9<%%/LastNewsId%%>\r\n") + '\0' + "<%%LastNewsId%%>3<%%/LastNewsId%%>"},
    };
    for (const auto& test : cases) {
        Seal(test.Before);
        ASSERT_TRUE(SaveLastNewsId(Program, "9"));
        EXPECT_EQ(Plain(), test.After) << test.Before;
        EXPECT_EQ(LoadLastNewsId(Program), "9") << test.Before;
    }
}

TEST_F(SettingsFile, AFileThatFailsItsChecksIsNeverRewritten)
{
    Seal(Branded);
    std::string damaged = Folder.Read("dbsettings.dat");
    damaged[30] ^= 0x01;
    const std::string otherKey = std::string(8, 'x') + "\x01\x02" + Branded + std::string(10, 'c');
    for (const std::string& container : {damaged, otherKey, std::string("short")}) {
        Folder.Write("dbsettings.dat", container);
        EXPECT_FALSE(SaveLastNewsId(Program, "58"));
        EXPECT_EQ(Folder.Read("dbsettings.dat"), container);
    }
}

TEST_F(SettingsFile, AWriteThatFailsLeavesTheOldFileWhole)
{
    Seal(Branded);
    const std::string before = Folder.Read("dbsettings.dat");
    TFillingFolder full(Folder.Path(), 40);
    EXPECT_FALSE(SaveLastNewsId(full, "58"));
    EXPECT_EQ(Folder.Read("dbsettings.dat"), before);
    EXPECT_EQ(Folder.EntryCount(), 1u) << "no temporary file left";
}

TEST_F(SettingsFile, TheFileKeepsItsNameItsPermissionsAndStaysTheOnlyCopy)
{
    Seal(Branded);
    std::filesystem::rename(Folder.File("dbsettings.dat"), Folder.File("DBSettings.dat"));
    ::chmod(Folder.File("DBSettings.dat").c_str(), 0640);
    ASSERT_TRUE(SaveLastNewsId(Program, "5"));
    EXPECT_EQ(Folder.EntryCount(), 1u);
    struct stat info { };
    ASSERT_EQ(::stat(Folder.File("DBSettings.dat").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(LoadLastNewsId(Program), "5");
}

TEST_F(SettingsFile, ASettingsFileThatIsNoRegularFileIsNotRead)
{
    std::filesystem::create_directory(Folder.File("dbsettings.dat"));
    TScriptedRandom random;
    const TBrandSettings settings = LoadBrandSettings(Program, random);
    EXPECT_TRUE(settings.Loaded);
    EXPECT_EQ(settings.ApplicationName, "");
    EXPECT_EQ(LoadLastNewsId(Program), "");
    EXPECT_FALSE(SaveLastNewsId(Program, "1"));
    EXPECT_TRUE(std::filesystem::is_directory(Folder.File("dbsettings.dat")));
}
