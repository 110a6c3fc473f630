#include "common/UProgramFolder.h"

#include "common/UErrors.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/USaveAll.h"
#include "TTempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace {

// A disk that fills up after a number of bytes, counted over all writes.
class TFillingFolder : public TProgramFolder {
public:
    TFillingFolder(const std::filesystem::path& path, std::size_t room) : TProgramFolder(path), Room(room) {}

protected:
    ssize_t WriteSome(int fd, const char* data, std::size_t size) override
    {
        if (Room == 0) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t count = std::min(size, Room);
        Room -= count;
        return TProgramFolder::WriteSome(fd, data, count);
    }

private:
    std::size_t Room;
};

} // namespace

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
        EXPECT_STREQ(error.what(), "Cannot read \"categories.dat\": Is a directory");
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

TEST(SaveAll, WritesTheThreeFilesInOrderAndStopsAtTheFirstFailure)
{
    TTempFolder temp;
    TProjects projects;
    projects.Categories.Append("Work");
    auto project = std::make_unique<TProject>();
    project->Name = "P";
    projects.Append("P", std::move(project));
    THours hours;

    {
        TProgramFolder folder(temp.Path());
        SaveAll(projects, hours, folder);
    }
    EXPECT_EQ(temp.Read("categories.dat"), "Work\r\n");
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^P^^^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.Read("Hours.dat"), "");

    projects.Categories.Append("Home");
    projects[0].Name = "Q";
    auto entry = std::make_unique<TToDoHour>();
    entry->Date = "d";
    hours.Append("d-", std::move(entry));
    TFillingFolder full(temp.Path(), std::string("Work\r\nHome\r\n").size()); // room for the first file only
    EXPECT_THROW(SaveAll(projects, hours, full), EFileError);
    EXPECT_EQ(temp.Read("categories.dat"), "Work\r\nHome\r\n");
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^P^^^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.Read("Hours.dat"), "");
}

TEST(EAppError, KeepsTheStackOfWhereItWasRaised)
{
    const EFileError error("boom");
    EXPECT_STREQ(error.what(), "boom");
    EXPECT_NE(error.StackTrace(), "");
}
