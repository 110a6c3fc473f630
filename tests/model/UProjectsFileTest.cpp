#include "model/UProjectsFile.h"

#include "TTempFolder.h"
#include "common/UProgramFolder.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

namespace {

TProject& AddProject(TProjects& projects, const std::string& name, const std::string& category,
                     const std::string& start = "", const std::string& end = "")
{
    auto project = std::make_unique<TProject>();
    project->Name = name;
    project->Category = category;
    project->StartDate = start;
    project->EndDate = end;
    return projects.Append(name, std::move(project));
}

void AddTask(TProject& project, bool done, const std::string& description, const std::string& notes = "",
             const std::string& start = "", const std::string& end = "")
{
    project.Tasks.Append(description, std::make_unique<TTask>(done, description, notes, start, end));
}

TProjects Parsed(std::string_view text)
{
    TProjects projects;
    ParseProjects(text, projects);
    return projects;
}

std::vector<std::string> Names(const TProjects& projects)
{
    std::vector<std::string> names;
    for (int i = 0; i < projects.Count(); ++i)
        names.emplace_back(projects[i].Name);
    return names;
}

} // namespace

TEST(ProjectsFile, LayoutIsHeaderTasksAndEndLineWithCrLf)
{
    TProjects projects;
    TProject& web = AddProject(projects, "Web site", "Work", " 7/ 5/2008", " 7/31/2008");
    AddTask(web, true, "Buy domain", "two\r\nlines", " 7/ 5/2008", " 7/ 6/2008");
    AddTask(web, false, " padded ");
    AddProject(projects, "Empty", "");

    EXPECT_EQ(FormatProjects(projects),
              "Header^Web site^Work^ 7/ 5/2008^ 7/31/2008^\r\n"
              "^True^,^Buy domain^,^two\xA5\xA5\xA7\xA7lines^,^ 7/ 5/2008^,^ 7/ 6/2008^\r\n"
              "^False^,^ padded ^,^^,^^,^^\r\n"
              "EndProject\r\n"
              "Header^Empty^^^^\r\n"
              "EndProject\r\n");
}

TEST(ProjectsFile, EmptyCollectionsWriteEmptyFiles)
{
    EXPECT_EQ(FormatProjects(TProjects()), "");
    EXPECT_EQ(FormatCategories(TTextList()), "");
}

TEST(ProjectsFile, SavedTextReadsBackToTheSameModelAndTheSameBytes)
{
    TProjects projects;
    TProject& a = AddProject(projects, " Spaced name ", "Caf\xE9", "1/2/2009", "");
    AddTask(a, true, "Desc, with comma", "notes\r\nover\r\nlines\n", " 1/ 2/2009", "12/31/2009");
    AddTask(a, false, "", "", "", "");
    AddTask(a, false, "Header& EndProject words");
    AddProject(projects, "No tasks", "Caf\xE9");
    TProject& defaults = AddProject(projects, "Launch", "Work");
    defaults.CreateDefaultTasks();

    const std::string text = FormatProjects(projects);
    const TProjects read = Parsed(text);
    ASSERT_EQ(read.Count(), 3);
    for (int p = 0; p < projects.Count(); ++p) {
        EXPECT_EQ(read.Label(p), projects[p].Name);
        EXPECT_EQ(read[p].Name, projects[p].Name);
        EXPECT_EQ(read[p].Category, projects[p].Category);
        EXPECT_EQ(read[p].StartDate, projects[p].StartDate);
        ASSERT_EQ(read[p].Tasks.Count(), projects[p].Tasks.Count());
        for (int t = 0; t < projects[p].Tasks.Count(); ++t) {
            const TTask& want = projects[p].Tasks[t];
            const TTask& got = read[p].Tasks[t];
            EXPECT_EQ(got.Done, want.Done);
            EXPECT_EQ(got.Description, want.Description);
            EXPECT_EQ(got.Notes, want.Notes);
            EXPECT_EQ(got.StartDate, want.StartDate);
            EXPECT_EQ(got.EndDate, want.EndDate);
            EXPECT_EQ(read[p].Tasks.Label(t), want.Description);
        }
    }
    EXPECT_EQ(FormatProjects(read), text);
}

TEST(ProjectsFile, DefaultTasksAreStoredAsNotDoneWithThreeEmptyFields)
{
    TProjects projects;
    AddProject(projects, "P", "C").CreateDefaultTasks();
    EXPECT_NE(FormatProjects(projects).find("\r\n^False^,^Purchase Domain Name^,^^,^^,^^\r\n"), std::string::npos);
}

TEST(ProjectsFile, HeaderFieldsMayBeMissingOrExtra)
{
    const TProjects read = Parsed("Header^OnlyName\r\nEndProject\r\nHeader^a^b^c^d^e^f\r\nEndProject\r\n");
    ASSERT_EQ(read.Count(), 2);
    EXPECT_EQ(read[0].Name, "OnlyName");
    EXPECT_EQ(read[0].Category + read[0].StartDate + read[0].EndDate, "");
    EXPECT_EQ(read[1].EndDate, "d");
}

TEST(ProjectsFile, DoneOnlyForExactlyTrue)
{
    const TProjects read = Parsed("Header^P^^^^\r\n^true^,^a^\r\n^TRUE^,^b^\r\n^True^,^c^\r\nEndProject\r\n");
    ASSERT_EQ(read[0].Tasks.Count(), 3);
    EXPECT_FALSE(read[0].Tasks[0].Done);
    EXPECT_FALSE(read[0].Tasks[1].Done);
    EXPECT_TRUE(read[0].Tasks[2].Done);
    EXPECT_EQ(read[0].Tasks[0].Notes, "");
}

TEST(ProjectsFile, BlankLinesAreSkippedAndAnyLineBreakEndsALine)
{
    const TProjects read = Parsed(" \t\r\nHeader^P^^^^\r\r\n^True^,^a^\n  \n^False^,^b^\rEndProject");
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read[0].Tasks.Count(), 2);
}

TEST(ProjectsFile, ProjectWithoutEndLineIsKeptOnce)
{
    const TProjects cutOff = Parsed("Header^A^^^^\r\n^False^,^a1^\r\nHeader^B^^^^\r\n^False^,^b1^\r\n^Fal");
    EXPECT_EQ(Names(cutOff), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(cutOff[0].Tasks.Count(), 1);
    EXPECT_EQ(cutOff[1].Tasks.Count(), 2);

    const TProjects doubled = Parsed("Header^A^^^^\r\nEndProject\r\nEndProject\r\n");
    EXPECT_EQ(doubled.Count(), 1);
}

TEST(ProjectsFile, TasksAfterAnEndLineGoToTheProjectThatEnded)
{
    const TProjects read = Parsed("Header^A^^^^\r\nEndProject\r\n^True^,^late^\r\nHeader^B^^^^\r\nEndProject\r\n");
    ASSERT_EQ(read.Count(), 2);
    ASSERT_EQ(read[0].Tasks.Count(), 1);
    EXPECT_EQ(read[0].Tasks[0].Description, "late");
}

TEST(ProjectsFile, MarkersCountOnlyAtLineStartOrAsTheWholeLine)
{
    const TProjects read = Parsed("^False^,^x^\r\nEndProject\r\n" // before any header: skipped
                                  "Header^A^^^^\r\n"
                                  "^False^,^Header^^ stuff^,^^\r\n"
                                  "^False^,^EndProject^\r\n"
                                  "EndProject\r\n");
    ASSERT_EQ(read.Count(), 1);
    ASSERT_EQ(read[0].Tasks.Count(), 2);
    EXPECT_EQ(read[0].Tasks[0].Description, "Header^ stuff");
    EXPECT_EQ(read[0].Tasks[1].Description, "EndProject");
}

TEST(ProjectsFile, LineBreakInAProjectNameSurvivesSaveAndLoad)
{
    TProjects projects;
    AddTask(AddProject(projects, "two\r\nlines", "C\r"), false, "task");
    const std::string text = FormatProjects(projects);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Header^two\xA5\xA5\xA7\xA7lines^C\xA5\xA5^^^");
    const TProjects read = Parsed(text);
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read[0].Name, "two\r\nlines");
    EXPECT_EQ(read[0].Tasks.Count(), 1);
}

TEST(ProjectsFile, CaretInStoredTextShiftsFieldsAsTheFormatImplies)
{
    TProjects projects;
    AddProject(projects, "a^b", "Cat");
    const TProjects read = Parsed(FormatProjects(projects));
    EXPECT_EQ(read[0].Name, "a");
    EXPECT_EQ(read[0].Category, "b");
}

TEST(ProjectsFile, AnyBytesLoadWithoutFailing)
{
    std::string hostile = std::string("Header^\0^\0^\r\n", 14) + std::string(3'000'000, '^') + "\r" +
        std::string(2'000'000, ',') + "\n\xA5\xA5\xA7" + std::string(1'000'000, '\0');
    EXPECT_NO_THROW(Parsed(hostile));
    EXPECT_NO_THROW(Parsed(std::string(100000, '\r')));
    EXPECT_NO_THROW(Parsed("Header^"));
}

TEST(CategoriesFile, EveryLineIsANameBlankOnesIncluded)
{
    TTextList categories;
    categories.Append("stale");
    ParseCategories("Work\r\n\r\n  \r\nHome\nLast", categories);
    EXPECT_EQ(categories.All(), (std::vector<std::string>{"Work", "", "  ", "Home", "Last"}));
    EXPECT_EQ(FormatCategories(categories), "Work\r\n\r\n  \r\nHome\r\nLast\r\n");
}

TEST(ProjectsFileOnDisk, MissingFilesLeaveTheModelAsItWas)
{
    TTempFolder temp;
    TProgramFolder folder(temp.Path());
    TProjects projects;
    projects.Categories.Append("kept");
    projects.LoadCategories(folder);
    projects.LoadProjects(folder);
    EXPECT_EQ(projects.Categories.Count(), 1);
    EXPECT_EQ(projects.Count(), 0);
}

TEST(ProjectsFileOnDisk, ProjectsAreWrittenAsProjectsDatWhenNoneExists)
{
    TTempFolder temp;
    TProgramFolder folder(temp.Path());
    TProjects projects;
    AddProject(projects, "P", "");
    projects.SaveProjects(folder);
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^P^^^^\r\nEndProject\r\n");
    EXPECT_FALSE(temp.Has("projects.dat"));
}

TEST(ProjectsFileOnDisk, FilesFoundUnderAnotherLetterCaseAreReadAndWrittenBackThere)
{
    TTempFolder temp;
    temp.Write("PROJECTS.DAT", "Header^Old^^^^\r\nEndProject\r\n");
    temp.Write("Categories.DAT", "Work\r\n");
    TProgramFolder folder(temp.Path());
    TProjects projects;
    projects.LoadCategories(folder);
    projects.LoadProjects(folder);
    ASSERT_EQ(projects.Count(), 1);
    ASSERT_EQ(projects.Categories.Count(), 1);

    projects[0].Name = "New";
    projects.SaveCategories(folder);
    projects.SaveProjects(folder);
    EXPECT_EQ(temp.Read("PROJECTS.DAT"), "Header^New^^^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.EntryCount(), 2u);
}
