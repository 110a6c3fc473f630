#include "common/UProgramFolder.h"

#include "TFillingFolder.h"
#include "TTempFolder.h"
#include "common/UErrors.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

TEST(TProgramFolder, ExactNameWinsOverOtherLetterCases)
{
    TTempFolder temp;
    temp.Write("HOURS.dat", "upper");
    temp.Write("hours.DAT", "mixed");
    TProgramFolder folder(temp.Path());
    EXPECT_EQ(folder.ExistingName("Hours.dat"), "HOURS.dat"); // the first by byte order
    temp.Write("Hours.dat", "exact");
    EXPECT_EQ(folder.ReadFile("Hours.dat"), "exact");
    EXPECT_EQ(folder.ReadFile("nothing.dat"), std::nullopt);
}

TEST(TProgramFolder, TheWrittenNameWinsOverOtherLetterCases)
{
    TTempFolder temp;
    temp.Write("PROJECTS.DAT", "stale copy");
    temp.Write("Projects.dat", "ours");
    TProgramFolder folder(temp.Path());
    EXPECT_EQ(folder.ReadFile("projects.dat", "Projects.dat"), "ours");
    EXPECT_EQ(folder.NameToWrite("projects.dat", "Projects.dat"), "Projects.dat");
}

TEST(TProgramFolder, FileThatCannotBeReadRaisesAnError)
{
    TTempFolder temp;
    std::filesystem::create_directory(temp.Path() / "categories.dat");
    TProgramFolder folder(temp.Path());
    TProjects projects;
    try {
        projects.LoadCategories(folder);
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot read \"categories.dat\": Not a regular file");
    }
}

TEST(TProgramFolder, WriteReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    TTempFolder temp;
    temp.Write("a.dat", std::string(10000, 'o'));
    TProgramFolder folder(temp.Path());
    folder.WriteFile("a.dat", "new");
    EXPECT_EQ(temp.Read("a.dat"), "new");
    EXPECT_EQ(temp.EntryCount(), 1u);
}

TEST(TProgramFolder, WriteKeepsThePermissionsOfTheOldFile)
{
    TTempFolder temp;
    temp.Write("a.dat", "old");
    std::filesystem::permissions(temp.Path() / "a.dat",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    TProgramFolder folder(temp.Path());
    folder.WriteFile("a.dat", "new");
    EXPECT_EQ(std::filesystem::status(temp.Path() / "a.dat").permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST(TProgramFolder, WriteThroughALinkReplacesTheFileItNames)
{
    TTempFolder temp;
    std::filesystem::create_directory(temp.Path() / "real");
    temp.Write("real/Hours.dat", "old");
    std::filesystem::create_symlink(temp.Path() / "real" / "Hours.dat", temp.Path() / "Hours.dat");
    TProgramFolder folder(temp.Path());
    folder.WriteFile("Hours.dat", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(temp.Path() / "Hours.dat"));
    EXPECT_EQ(temp.Read("real/Hours.dat"), "new");
}

TEST(TProgramFolder, WriteThatFailsMidwayLeavesTheOldFileWhole)
{
    TTempFolder temp;
    temp.Write("a.dat", "old contents");
    TFillingFolder folder(temp.Path(), 5);
    try {
        folder.WriteFile("a.dat", "new contents, longer than the room on the disk");
        FAIL() << "no error";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot write \"a.dat\": No space left on device");
    }
    EXPECT_EQ(temp.Read("a.dat"), "old contents");
    EXPECT_EQ(temp.EntryCount(), 1u);
}

TEST(TProgramFolder, FailedReplaceLeavesWhatWasThere)
{
    TTempFolder temp;
    std::filesystem::create_directory(temp.Path() / "a.dat");
    temp.Write("a.dat/inside", "x");
    TProgramFolder folder(temp.Path());
    EXPECT_THROW(folder.WriteFile("a.dat", "data"), EFileError);
    EXPECT_EQ(temp.Read("a.dat/inside"), "x");
    EXPECT_EQ(temp.EntryCount(), 1u);
}

TEST(TProgramFolder, WriteRefusesAFifoOrADeviceAndLeavesTheNodeAsItIs)
{
    TTempFolder temp;
    ASSERT_EQ(::mkfifo(temp.File("Hours.dat").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", temp.Path() / "categories.dat");
    TProgramFolder folder(temp.Path());
    for (const char* name : {"Hours.dat", "categories.dat"}) {
        try {
            folder.WriteFile(name, "data");
            ADD_FAILURE() << name << " replaced";
        } catch (const EFileError& error) {
            EXPECT_EQ(error.what(), "Cannot replace \"" + std::string(name) + "\": Not a regular file");
        }
    }
    EXPECT_TRUE(std::filesystem::is_fifo(temp.Path() / "Hours.dat"));
    EXPECT_EQ(std::filesystem::read_symlink(temp.Path() / "categories.dat"), "/dev/null");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(temp.EntryCount(), 2u);
}

TEST(TProgramFolder, LinkToARegularFileIsReadThroughAndALinkToNothingIsNoFile)
{
    TTempFolder temp;
    temp.Write("real.txt", "held elsewhere");
    std::filesystem::create_symlink("real.txt", temp.Path() / "Hours.dat");
    std::filesystem::create_symlink("missing.txt", temp.Path() / "categories.dat");
    TProgramFolder folder(temp.Path());
    EXPECT_EQ(folder.ReadFile("Hours.dat"), "held elsewhere");
    EXPECT_EQ(folder.ReadFile("categories.dat"), std::nullopt);
}

// A pid that surely ran no process at the time the test looks: a child that has ended.
static pid_t EndedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(TProgramFolder, StaleTemporaryFilesOfOurNamesGoWhileLiveOnesAndOthersStay)
{
    TTempFolder temp;
    const std::string dead = std::to_string(EndedProcess());
    const std::string live = std::to_string(::getppid());
    const std::vector<std::string> gone{".Hours.dat." + dead + ".3.tmp", ".projects.DAT." + dead + ".0.tmp"};
    const std::vector<std::string> kept{
        ".Hours.dat." + live + ".0.tmp",  // another copy may be saving right now
        ".notes.txt." + dead + ".1.tmp",  // not a file of ours
        ".Hours.dat." + dead + ".x.tmp",  // not the pattern
        ".Hours.dat." + dead + ".01.tmp", // likewise
        "Hours.dat." + dead + ".1.tmp",   // likewise
        ".Hours.dat.0" + dead + ".1.tmp", // likewise
        "Hours.dat"};
    for (const auto& name : gone)
        temp.Write(name, "partial");
    for (const auto& name : kept)
        temp.Write(name, "keep");
    std::filesystem::create_directory(temp.Path() / (".Hours.dat." + dead + ".9.tmp"));

    const std::string_view names[] = {"Hours.dat", "Projects.dat"};
    EXPECT_EQ(TProgramFolder(temp.Path()).RemoveStaleTemporaryFiles(names), 2);
    for (const auto& name : gone)
        EXPECT_FALSE(temp.Has(name)) << name;
    for (const auto& name : kept)
        EXPECT_TRUE(temp.Has(name)) << name;
    EXPECT_TRUE(temp.Has(".Hours.dat." + dead + ".9.tmp"));
}

TEST(TProgramFolder, AFileLargerThanTheBoundIsRefusedUnread)
{
    TTempFolder temp;
    temp.Write("banner1.dat", std::string(1001, 'b'));
    const TProgramFolder folder(temp.Path());
    EXPECT_EQ(folder.ReadFile("banner1.dat", {}, 1001), std::string(1001, 'b'));
    EXPECT_THROW(static_cast<void>(folder.ReadFile("banner1.dat", {}, 1000)), EFileError);
}
