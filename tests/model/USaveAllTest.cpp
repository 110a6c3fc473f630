#include "model/USaveAll.h"

#include "TFaultyFolder.h"
#include "TFillingFolder.h"
#include "TTempFolder.h"
#include "common/UErrors.h"
#include "model/UDataFiles.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <map>

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
        SaveAll(projects, hours, folder, TUnreadDataFiles{});
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
    EXPECT_THROW(SaveAll(projects, hours, full, TUnreadDataFiles{}), EFileError);
    EXPECT_EQ(temp.Read("categories.dat"), "Work\r\nHome\r\n");
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^P^^^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.Read("Hours.dat"), "");
}

namespace {

// What stands under a name, for checking that a save left it alone.
std::string Describe(const std::filesystem::path& path)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0)
        return "absent";
    if (S_ISLNK(info.st_mode))
        return "link to " + std::filesystem::read_symlink(path).string();
    if (S_ISFIFO(info.st_mode))
        return "fifo";
    return "file: " + ReadWhole(path.string());
}

struct TLoaded {
    TProjects Projects;
    THours Hours;
    TUnreadDataFiles Unread;
    std::vector<std::string> Errors;
};

// The start-up order of the main window, each step on its own.
void LoadAll(const TProgramFolder& folder, TLoaded& loaded)
{
    const auto step = [&](TDataFile file, const std::function<void()>& load) {
        try {
            loaded.Unread.Load(file, load);
        } catch (const EFileError& error) {
            loaded.Errors.push_back(error.what());
        }
    };
    step(TDataFile::Hours, [&] { loaded.Hours.LoadHours(folder); });
    step(TDataFile::Categories, [&] { loaded.Projects.LoadCategories(folder); });
    step(TDataFile::Projects, [&] { loaded.Projects.LoadProjects(folder); });
}

struct THostileFile {
    const char* Kind;
    TDataFile File;
    std::function<void(const TTempFolder&, TFaultyFolder&)> Make;
    std::string Reason;
};

void PrintTo(const THostileFile& file, std::ostream* out)
{
    *out << file.Kind;
}

class SaveAllKeeps : public testing::TestWithParam<THostileFile> { };

} // namespace

TEST_P(SaveAllKeeps, AFileThatCouldNotBeReadAndSavesTheOthers)
{
    const THostileFile& hostile = GetParam();
    TTempFolder temp;
    temp.Write("categories.dat", "Work\r\n");
    temp.Write("Projects.dat", "Header^P^Work^^^\r\nEndProject\r\n");
    temp.Write("Hours.dat", "d^1:00 AM^a^\r\n");
    TFaultyFolder folder(temp.Path());
    hostile.Make(temp, folder);
    const std::string name = DataFileName(hostile.File);
    const std::string before = Describe(temp.Path() / name);

    TLoaded loaded;
    LoadAll(folder, loaded); // returns, also for a FIFO
    EXPECT_EQ(loaded.Errors, std::vector<std::string>{hostile.Reason});
    for (const TDataFile file : {TDataFile::Categories, TDataFile::Projects, TDataFile::Hours})
        EXPECT_EQ(loaded.Unread.IsUnread(file), file == hostile.File) << DataFileName(file);

    loaded.Projects.Categories.Append("Home");
    SaveAll(loaded.Projects, loaded.Hours, folder, loaded.Unread);
    EXPECT_EQ(Describe(temp.Path() / name), before);
    if (hostile.File != TDataFile::Categories) {
        EXPECT_EQ(temp.Read("categories.dat"), "Work\r\nHome\r\n");
    }
    if (hostile.File != TDataFile::Hours) {
        EXPECT_EQ(temp.Read("Hours.dat"), "d^1:00 AM^a^\r\n");
    }
    EXPECT_EQ(loaded.Unread.KeptNotice(),
              "\"" + name +
                  "\" was not saved and was left as it is, because it could not be read "
                  "when the program started:\n" +
                  hostile.Reason);
}

INSTANTIATE_TEST_SUITE_P(
    FileKinds, SaveAllKeeps,
    testing::Values(THostileFile{"Unreadable", TDataFile::Projects,
                                 [](const TTempFolder&, TFaultyFolder& folder) {
                                     folder.Denied.insert("Projects.dat");
                                 },
                                 "Cannot open \"Projects.dat\": Permission denied"},
                    THostileFile{"Fifo", TDataFile::Hours,
                                 [](const TTempFolder& temp, TFaultyFolder&) {
                                     std::filesystem::remove(temp.Path() / "Hours.dat");
                                     ASSERT_EQ(::mkfifo(temp.File("Hours.dat").c_str(), 0600), 0);
                                 },
                                 "Cannot read \"Hours.dat\": Not a regular file"},
                    THostileFile{"LinkToADevice", TDataFile::Categories,
                                 [](const TTempFolder& temp, TFaultyFolder&) {
                                     std::filesystem::remove(temp.Path() / "categories.dat");
                                     std::filesystem::create_symlink("/dev/zero", temp.Path() / "categories.dat");
                                 },
                                 "Cannot read \"categories.dat\": Not a regular file"},
                    THostileFile{"LinkLoop", TDataFile::Projects,
                                 [](const TTempFolder& temp, TFaultyFolder&) {
                                     std::filesystem::remove(temp.Path() / "Projects.dat");
                                     std::filesystem::create_symlink("Projects.dat", temp.Path() / "Projects.dat");
                                 },
                                 "Cannot open \"Projects.dat\": Too many levels of symbolic links"}),
    [](const testing::TestParamInfo<THostileFile>& param) { return std::string(param.param.Kind); });

TEST(SaveAll, DiskErrorWhileReadingKeepsEveryFileItHit)
{
    TTempFolder temp;
    temp.Write("Projects.dat", "Header^P^Work^^^\r\nEndProject\r\n");
    TFaultyFolder folder(temp.Path());
    folder.DiskFails = true;
    TLoaded loaded;
    LoadAll(folder, loaded);
    EXPECT_EQ(loaded.Errors, std::vector<std::string>{"Cannot read \"Projects.dat\": Input/output error"});
    EXPECT_TRUE(loaded.Unread.IsUnread(TDataFile::Projects));
    SaveAll(loaded.Projects, loaded.Hours, folder, loaded.Unread);
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^P^Work^^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.Read("Hours.dat"), ""); // absent at start, so nothing was lost by writing it
}

TEST(SaveAll, FolderThatCannotBeListedLeavesEveryFileUnreadAndUnwritten)
{
    TTempFolder temp;
    TFaultyFolder folder(temp.Path());
    folder.Denied.insert(""); // without the listing, "HOURS.DAT" and the like cannot be ruled out
    TLoaded loaded;
    LoadAll(folder, loaded);
    ASSERT_EQ(loaded.Errors.size(), 3u);
    EXPECT_EQ(loaded.Errors[0], "Cannot list the program folder \"" + temp.Path().string() + "\": Permission denied");
    SaveAll(loaded.Projects, loaded.Hours, folder, loaded.Unread);
    EXPECT_EQ(temp.EntryCount(), 0u);
    EXPECT_NE(loaded.Unread.KeptNotice().find("\"categories.dat\" was not saved"), std::string::npos);
    EXPECT_NE(loaded.Unread.KeptNotice().find("\n\n\"Hours.dat\" was not saved"), std::string::npos);
}

TEST(SaveAll, ASuccessfulReadLiftsTheMark)
{
    TTempFolder temp;
    TFaultyFolder folder(temp.Path());
    temp.Write("Hours.dat", "d^1:00 AM^a^\r\n");
    TUnreadDataFiles unread;
    THours hours;
    folder.DiskFails = true;
    EXPECT_THROW(unread.Load(TDataFile::Hours, [&] { hours.LoadHours(folder); }), EFileError);
    EXPECT_TRUE(unread.Any());
    folder.DiskFails = false;
    unread.Load(TDataFile::Hours, [&] { hours.LoadHours(folder); });
    EXPECT_FALSE(unread.Any());
    EXPECT_EQ(unread.KeptNotice(), "");
}

TEST(SaveAll, AnyFailureOfALoadKeepsTheFile)
{
    TUnreadDataFiles unread;
    EXPECT_THROW(unread.Load(TDataFile::Projects, [] { throw std::bad_alloc(); }), std::bad_alloc);
    EXPECT_TRUE(unread.IsUnread(TDataFile::Projects));
}
