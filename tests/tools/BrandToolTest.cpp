// The publisher's branding tool, run as a separate process.
#include "TTempFolder.h"
#include "brand/UBrandRules.h"
#include "brand/UBrandSettingsReader.h"
#include "crypto/USettingsContainer.h"

#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>
#include <sys/wait.h>

namespace {

class BrandTool : public testing::Test {
protected:
    // Runs the tool with `arguments` (already quoted for the shell); returns its exit status.
    // `prefix` runs in the same shell first (e.g. to set a resource limit).
    int Run(const std::string& arguments, const std::string& prefix = "")
    {
        const std::string command = prefix + "'" TASKWREN_BRAND "' " + arguments + " >'" + Folder.File("stdout") +
            "' 2>'" + Folder.File("stderr") + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Quoted(const std::string& name) { return "'" + Folder.File(name) + "'"; }
    std::string Err() { return ReadWhole(Folder.File("stderr")); }
    std::set<std::string> Names()
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder.Path()))
            names.insert(entry.path().filename().string());
        return names;
    }
    std::string Out() { return ReadWhole(Folder.File("stdout")); }

    TTempFolder Folder;
    const std::string Text = "<%%ApplicationName%%>Doza Varazaz<%%/ApplicationName%%>\r\n";
};

} // namespace

TEST_F(BrandTool, RoundTripWithTheSettingsPassphrase)
{
    WriteWhole(Folder.File("plain.txt"), Text);
    ASSERT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("dbsettings.dat")), 0) << Err();
    EXPECT_EQ(ReadWhole(Folder.File("dbsettings.dat")).size(), Text.size() + 20);
    ASSERT_EQ(Run("decrypt " + Quoted("dbsettings.dat") + " " + Quoted("back.txt")), 0) << Err();
    EXPECT_EQ(ReadWhole(Folder.File("back.txt")), Text);
    EXPECT_EQ(Err(), "");
}

TEST_F(BrandTool, OtherPassphraseMakesTheLargerKeySizes)
{
    const std::string passphrase(48, 'k');
    WriteWhole(Folder.File("plain.txt"), Text);
    ASSERT_EQ(Run("--passphrase " + passphrase + " encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 0);
    EXPECT_EQ(ReadWhole(Folder.File("c.dat")).size(), Text.size() + 28);
    ASSERT_EQ(Run("decrypt --passphrase " + passphrase + " " + Quoted("c.dat") + " " + Quoted("back.txt")), 0);
    EXPECT_EQ(ReadWhole(Folder.File("back.txt")), Text);
}

TEST_F(BrandTool, WrongPassphraseOrDamagedFileExitsOneAndWritesNothing)
{
    WriteWhole(Folder.File("plain.txt"), Text);
    ASSERT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 0);
    EXPECT_EQ(Run("--passphrase nottheone decrypt " + Quoted("c.dat") + " " + Quoted("out.txt")), 1);
    EXPECT_NE(Err().find("nothing written"), std::string::npos) << Err();

    std::string damaged = ReadWhole(Folder.File("c.dat"));
    damaged[15] ^= 0x04;
    WriteWhole(Folder.File("c.dat"), damaged);
    EXPECT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("out.txt")), 1);
    EXPECT_EQ(Names(), (std::set<std::string>{"c.dat", "plain.txt", "stderr", "stdout"}));
}

TEST_F(BrandTool, AUserFileNamedLikeATemporaryIsLeftAlone)
{
    WriteWhole(Folder.File("plain.txt"), Text);
    WriteWhole(Folder.File("c.dat.partial"), "mine");
    WriteWhole(Folder.File("out.txt.partial"), "mine too");
    ASSERT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 0) << Err();
    ASSERT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("out.txt")), 0) << Err();
    EXPECT_EQ(ReadWhole(Folder.File("out.txt")), Text);
    WriteWhole(Folder.File("bad.dat"), std::string(40, 'x'));
    EXPECT_EQ(Run("decrypt " + Quoted("bad.dat") + " " + Quoted("out.txt")), 1);
    EXPECT_EQ(ReadWhole(Folder.File("c.dat.partial")), "mine");
    EXPECT_EQ(ReadWhole(Folder.File("out.txt.partial")), "mine too");
    EXPECT_EQ(Names().size(), 8u) << "no temporary left behind";
}

TEST_F(BrandTool, FailedWriteDuringDecryptIsAFileErrorNotABadContainer)
{
    // Larger than the tool's buffer, so the failure shows while the stream is still written.
    std::string large(300000, 'q');
    WriteWhole(Folder.File("plain.txt"), large);
    ASSERT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 0) << Err();
    // A file-size limit of one 512-byte block with SIGXFSZ ignored: writes past it fail with EFBIG.
    EXPECT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("out.txt"), "trap '' XFSZ; ulimit -f 1; "), 2);
    EXPECT_NE(Err().find("cannot write"), std::string::npos) << Err();
    EXPECT_EQ(Err().find("damaged"), std::string::npos) << Err();
    EXPECT_FALSE(std::filesystem::exists(Folder.File("out.txt")));
}

TEST_F(BrandTool, FailedDecryptKeepsAnExistingPlainFile)
{
    WriteWhole(Folder.File("c.dat"), std::string(40, 'x'));
    WriteWhole(Folder.File("out.txt"), "keep me");
    EXPECT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("out.txt")), 1);
    EXPECT_EQ(ReadWhole(Folder.File("out.txt")), "keep me");
}

TEST_F(BrandTool, UsageAndFileErrorsExitTwo)
{
    EXPECT_EQ(Run(""), 2);
    EXPECT_NE(Err().find("--help"), std::string::npos);
    EXPECT_EQ(Run("encrypt onlyone"), 2);
    EXPECT_EQ(Run("scramble a b"), 2);
    EXPECT_EQ(Run("--verbose encrypt a b"), 2);
    EXPECT_EQ(Run("encrypt a b --passphrase"), 2);
    EXPECT_EQ(Run("--passphrase " + std::string(129, 'p') + " encrypt a b"), 2);
    EXPECT_EQ(Run("decrypt " + Quoted("missing.dat") + " " + Quoted("out.txt")), 2);
    EXPECT_NE(Err().find("missing.dat"), std::string::npos);
    EXPECT_EQ(Run("encrypt /dev/zero " + Quoted("c.dat")), 2); // read without end, once
    WriteWhole(Folder.File("plain.txt"), Text);
    EXPECT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("no-folder/c.dat")), 2);
}

TEST_F(BrandTool, HelpDescribesCommandsOptionAndExitCodes)
{
    ASSERT_EQ(Run("--help"), 0);
    for (const char* word : {"encrypt PLAIN CONTAINER", "decrypt CONTAINER PLAIN", "--passphrase TEXT", "0 success",
                             "1 the container", "2 wrong usage"})
        EXPECT_NE(Out().find(word), std::string::npos) << word;
}

TEST_F(BrandTool, AUtf8FileIsSealedInWindows1252AndTheCaptionReadsRight)
{
    // As a Linux editor saves it: UTF-8, here with a byte order mark.
    const std::string utf8 = "<%%ApplicationName%%>Caf\xC3\xA9 \xE2\x82\xAC<%%/ApplicationName%%>\r\n";
    WriteWhole(Folder.File("plain.txt"), "\xEF\xBB\xBF" + utf8);
    ASSERT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 0) << Err();
    std::string sealed;
    ASSERT_EQ(DecryptSettings(ReadWhole(Folder.File("c.dat")), sealed), TCryptFailure::None);
    EXPECT_EQ(sealed, "<%%ApplicationName%%>Caf\xE9 \x80<%%/ApplicationName%%>\r\n");
    EXPECT_EQ(WindowCaption(ParseBrandSettings(sealed)), "Caf\xE9 \x80 v2.0");

    ASSERT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("back.txt")), 0) << Err();
    EXPECT_EQ(ReadWhole(Folder.File("back.txt")), utf8);
    ASSERT_EQ(Run("--raw decrypt " + Quoted("c.dat") + " " + Quoted("raw.txt")), 0) << Err();
    EXPECT_EQ(ReadWhole(Folder.File("raw.txt")), sealed);
    // A Windows-1252 file is no UTF-8 and is sealed as it is, like anything with --raw.
    ASSERT_EQ(Run("encrypt " + Quoted("raw.txt") + " " + Quoted("again.dat")), 0) << Err();
    ASSERT_EQ(DecryptSettings(ReadWhole(Folder.File("again.dat")), sealed), TCryptFailure::None);
    EXPECT_EQ(sealed, ReadWhole(Folder.File("raw.txt")));
    ASSERT_EQ(Run("--raw encrypt " + Quoted("back.txt") + " " + Quoted("utf8.dat")), 0) << Err();
    ASSERT_EQ(DecryptSettings(ReadWhole(Folder.File("utf8.dat")), sealed), TCryptFailure::None);
    EXPECT_EQ(sealed, utf8);
}

TEST_F(BrandTool, ACharacterWindows1252LacksIsRefusedWithItsPlace)
{
    WriteWhole(Folder.File("plain.txt"), "\xC3\xA9\r\n\r\nab\xCE\xA9\n");
    EXPECT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("c.dat")), 1);
    EXPECT_NE(Err().find("line 3, column 3: \"\xCE\xA9\" (U+03A9)"), std::string::npos) << Err();
    EXPECT_EQ(Names(), (std::set<std::string>{"plain.txt", "stderr", "stdout"}));
}

namespace {

std::string Element(const std::string& name, const std::string& value)
{
    return "<%%" + name + "%%>" + value + "<%%/" + name + "%%>\r\n";
}

class BrandCheck : public BrandTool {
protected:
    // Seals `plain` as "dbsettings.dat" and checks it; returns the exit status.
    int Check(const std::string& plain, const std::string& folder = "")
    {
        WriteWhole(Folder.File("plain.txt"), plain);
        EXPECT_EQ(Run("encrypt " + Quoted("plain.txt") + " " + Quoted("dbsettings.dat")), 0) << Err();
        return Run("check " + Quoted("dbsettings.dat") + (folder.empty() ? "" : " " + Quoted(folder)));
    }
    bool Says(const std::string& words) { return Out().find(words) != std::string::npos; }

    const std::string Gold = Element("ApplicationName", "Doza Varazaz") + Element("BranderType", "Gold") +
        Element("GoldNewsBaseURL", "http://news.example/") + Element("GoldPublID", "77");
};

} // namespace

TEST_F(BrandCheck, ASoundFileReportsItsValuesInReadingOrderAndExitsZero)
{
    const std::string plain = Gold + Element("AboutText", "About\r\nus") + Element("Banner1", "a.jpg^http://a/") +
        Element("Link1", "One^http://one/") + Element("LastNewsId", "12");
    WriteWhole(Folder.File("banner1.dat"), "picture");
    ASSERT_EQ(Check(plain, "."), 0) << Out();
    const std::string out = Out();
    EXPECT_LT(out.find("ApplicationName: \"Doza Varazaz\""), out.find("GoldPublID: \"77\""));
    EXPECT_LT(out.find("GoldPublID: \"77\""), out.find("AboutText: \"About\\r\\nus\""));
    EXPECT_TRUE(Says("BranderCode: not found"));
    EXPECT_TRUE(Says("caption: \"Doza Varazaz v2.0\""));
    EXPECT_TRUE(Says("news button: shown"));
    EXPECT_TRUE(Says("every element in the file is read"));
    EXPECT_FALSE(Says("warning:"));
}

TEST_F(BrandCheck, AnElementTheProgramNeverReadsExitsOne)
{
    const struct {
        std::string Plain;
        std::string Report;
    } cases[] = {
        {Element("AboutText", "a") + Element("ApplicationName", "n"), "<%%AboutText%%> (line 1) is never read"},
        {Element("Welcome1", "1") + Element("Welcome2", "2") + Element("Welcome4", "4"),
         "<%%Welcome4%%> (line 3) is never read: it follows a gap, the list ends at Welcome3"},
        {"<%%ApplicationName%%>n\r\n", "<%%ApplicationName%%> (line 1) has no close tag"},
        {Element("ApplicationName", "n") + Element("ApplicationName", "m"),
         "<%%ApplicationName%%> (line 2) is never read: it repeats <%%ApplicationName%%> (line 1)"},
        {Element("ApplicatonName", "n"),
         "<%%ApplicatonName%%> (line 1) is never read: it is not a setting of the program"},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(Check(test.Plain), 1) << test.Plain;
        EXPECT_TRUE(Says("error: " + test.Report)) << Out();
    }
    std::string banners;
    for (int n = 1; n <= 17; ++n)
        banners += Element("Banner" + std::to_string(n), "b.jpg^http://b/");
    EXPECT_EQ(Check(banners), 1);
    EXPECT_TRUE(Says("<%%Banner17%%> (line 17) is never read: lists hold at most sixteen entries")) << Out();
}

TEST_F(BrandCheck, AMisspeltNameWithABlankOrAHyphenIsNeverReadToo)
{
    // The program matches "<%%" name "%%>" as written: any misspelling loses the value.
    for (const std::string name : {"Application Name", "ApplicationName ", " ApplicationName", "Application-Name",
                                   "Welcome 1", "Link1.", "Banner#1"}) {
        EXPECT_EQ(Check(Element(name, "n")), 1) << name;
        EXPECT_TRUE(Says("error: <%%" + name + "%%> (line 1) is never read: it is not a setting of the program"))
            << Out();
        EXPECT_FALSE(Says("every element in the file is read")) << Out();
    }
    // Close tags, and "<%%" that runs into a line break or another tag, are no elements.
    ASSERT_EQ(Check(Element("ApplicationName", "a <%% b") + "<%%/Stray%%>\r\n<%% x\r\ny %%>\r\n<%%a<%%%%>\r\n"), 0)
        << Out();
}

TEST_F(BrandCheck, ManyElementsNeverReadAreEachReportedWithTheirLine)
{
    // 60,000 messages, each with its line number: counted from the start of the text for
    // every message, this took minutes.
    std::string plain;
    for (int n = 0; n < 60000; ++n)
        plain += "<%%x%%>\r\n";
    EXPECT_EQ(Check(plain), 1);
    EXPECT_TRUE(Says("error: <%%x%%> (line 60000) is never read")) << Out().substr(0, 500);
}

TEST_F(BrandCheck, WarningsThatLoseNothingKeepExitZero)
{
    const std::string plain = Element("BranderType", "gold") + Element("GoldNewsBaseURL", "http://news.example/") +
        Element("GoldPublID", "77") + Element("Banner1", "a.jpg") + Element("Link1", "Dead^") +
        Element("Link2", "Local^file:///etc/passwd");
    ASSERT_EQ(Check(plain, "."), 0) << Out();
    EXPECT_TRUE(Says("warning: BranderType \"gold\" is not one of")) << Out();
    EXPECT_TRUE(Says("news button: hidden"));
    EXPECT_TRUE(Says("warning: Banner1 has no address"));
    EXPECT_TRUE(Says("warning: banner1.dat is missing"));
    EXPECT_TRUE(Says("warning: Link1 has no address"));
    EXPECT_TRUE(Says("warning: Link2 is no web address"));
}

TEST_F(BrandCheck, ABannerFileIsFoundAsTheProgramFindsIt)
{
    // The program finds "banner1.dat" in another letter case too, but reads regular files only.
    const std::string plain = Element("Banner1", "a.jpg^http://a/") + Element("Banner2", "b.jpg^http://b/");
    WriteWhole(Folder.File("BANNER1.DAT"), "picture");
    std::filesystem::create_directory(Folder.File("banner2.dat"));
    ASSERT_EQ(Check(plain, "."), 0) << Out();
    EXPECT_FALSE(Says("banner1.dat is missing")) << Out();
    EXPECT_TRUE(Says("warning: banner2.dat is missing")) << Out();
}

TEST_F(BrandCheck, AMissingOrFailingContainerExitsOneWithItsReason)
{
    EXPECT_EQ(Run("check " + Quoted("dbsettings.dat")), 1);
    EXPECT_TRUE(Says("no settings file"));

    ASSERT_EQ(Check(Gold), 0);
    std::string damaged = ReadWhole(Folder.File("dbsettings.dat"));
    damaged[20] ^= 0x01;
    WriteWhole(Folder.File("dbsettings.dat"), damaged);
    EXPECT_EQ(Run("check " + Quoted("dbsettings.dat")), 1);
    EXPECT_TRUE(Says("the authentication code does not match")) << Out();
    EXPECT_TRUE(Says("the program still reads the decrypted text"));

    WriteWhole(Folder.File("dbsettings.dat"), "short");
    EXPECT_EQ(Run("check " + Quoted("dbsettings.dat")), 1);
    EXPECT_TRUE(Says("too short")) << Out();
}

TEST_F(BrandCheck, ASettingsFileThatCannotBeReadExitsOneAsTheHelpSays)
{
    // The program takes such a file for one without elements: nothing of it is read.
    ASSERT_EQ(::mkfifo(Folder.File("dbsettings.dat").c_str(), 0600), 0);
    EXPECT_EQ(Run("check " + Quoted("dbsettings.dat")), 1);
    EXPECT_TRUE(Says("Not a regular file")) << Out();
    ASSERT_EQ(Run("--help"), 0);
    EXPECT_TRUE(Says("(check) the settings file is missing, cannot be read")) << Out();
}

TEST_F(BrandCheck, UsageErrorsExitTwo)
{
    EXPECT_EQ(Run("check"), 2);
    EXPECT_EQ(Run("check a b c"), 2);
    EXPECT_EQ(Run("--passphrase other check " + Quoted("dbsettings.dat")), 2);
}

TEST_F(BrandTool, DecryptTellsWhyTheContainerFails)
{
    WriteWhole(Folder.File("c.dat"), "short");
    EXPECT_EQ(Run("decrypt " + Quoted("c.dat") + " " + Quoted("out.txt")), 1);
    EXPECT_NE(Err().find("too short to be a container"), std::string::npos) << Err();
}

TEST_F(BrandCheck, ValuesAreShownInUtf8WithTheEncodingRead)
{
    ASSERT_EQ(Check(Element("ApplicationName", "Caf\xC3\xA9")), 0) << Out();
    EXPECT_TRUE(Says("encoding: Windows-1252")) << Out();
    EXPECT_TRUE(Says("caption: \"Caf\xC3\xA9 v2.0\"")) << Out();

    // Sealed byte for byte from UTF-8, the caption reads as the program shows it.
    ASSERT_EQ(Run("--raw encrypt " + Quoted("plain.txt") + " " + Quoted("dbsettings.dat")), 0) << Err();
    ASSERT_EQ(Run("check " + Quoted("dbsettings.dat")), 0) << Out();
    EXPECT_TRUE(Says("warning: the text was sealed in UTF-8")) << Out();
    EXPECT_TRUE(Says("caption: \"Caf\xC3\x83\xC2\xA9 v2.0\"")) << Out();
}

TEST_F(BrandCheck, WarnsOfWhatFailsLaterAndExitsOneWhereNewsCertainlyFail)
{
    const std::string master = Element("BranderType", "Master") +
        Element("MasterNewsBaseURL", "https://news.example/") + Element("GoldNewsBaseURL", "https://news.example/") +
        Element("MasterPublID", "P1");
    EXPECT_EQ(Check(master), 1) << Out();
    EXPECT_TRUE(Says("error: MasterNewsBaseURL \"https://news.example/\" is no http:// address")) << Out();
    EXPECT_TRUE(Says("warning: GoldNewsBaseURL")) << Out();

    const std::string free = Element("BranderType", "Free") + Element("MasterNewsBaseURL", "http://news.example/") +
        Element("MasterPublID", "P1") +
        Element("Welcome1", "<p><IMG alt=x SRC = 'logo.gif'><a href=\"http://a/\">a</a><a href=#top>t</a>") +
        Element("Welcome2", "<body background=\"file:///c:/b.jpg\"><div style=\"background:url(http://a/b.gif)\">") +
        Element("Welcome3", "<a href=\"https://a/\">a</a> <a href=\"mailto:a@b\">b</a>") +
        Element("Banner1", "spring.png^http://a/") + Element("Banner2", "summer.JPEG^http://a/");
    EXPECT_EQ(Check(free), 0) << Out();
    EXPECT_TRUE(Says("warning: the Free edition shows the news button but never asks")) << Out();
    EXPECT_TRUE(Says("warning: Welcome1 refers to the local file \"logo.gif\": ")) << Out();
    EXPECT_TRUE(Says("warning: Welcome2 refers to the local file \"file:///c:/b.jpg\": ")) << Out();
    EXPECT_FALSE(Says("Welcome3 refers")) << Out();
    EXPECT_TRUE(Says("warning: Banner1 \"spring.png\" is in no format the program shows")) << Out();
    EXPECT_FALSE(Says("Banner2 \"summer")) << Out();
}
