#include "model/USaveAll.h"

#include "TFillingFolder.h"
#include "TTempFolder.h"
#include "common/UErrors.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

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
