#include "model/UCategories.h"

#include "model/UProjects.h"

#include <gtest/gtest.h>

namespace {

void AddProject(TProjects& projects, const std::string& name, const std::string& category)
{
    auto project = std::make_unique<TProject>();
    project->Name = name;
    project->Category = category;
    projects.Append(name, std::move(project));
}

std::vector<std::string> Categories(const TProjects& projects)
{
    return projects.Categories.All();
}

} // namespace

TEST(UCategories, AddingRefusesANameThatDiffersOnlyInLetterCase)
{
    TProjects projects;
    EXPECT_TRUE(AddCategory(projects, " Work "));
    EXPECT_FALSE(AddCategory(projects, " WORK "));
    EXPECT_TRUE(AddCategory(projects, "Work")); // the blanks make it another name
    EXPECT_EQ(Categories(projects), (std::vector<std::string>{" Work ", "Work"}));
}

TEST(UCategories, RenamingCarriesItsProjectsAndLeavesCaseDifferentOnesBehind)
{
    TProjects projects;
    projects.Categories.Assign({"Home", "Work"});
    AddProject(projects, "a", "Work");
    AddProject(projects, "b", "work");
    AddProject(projects, "c", "Home");
    RenameCategory(projects, 1, "Job");
    EXPECT_EQ(Categories(projects), (std::vector<std::string>{"Home", "Job"}));
    EXPECT_EQ(projects[0].Category, "Job");
    EXPECT_EQ(projects[1].Category, "work");
    EXPECT_EQ(projects[2].Category, "Home");
}

TEST(UCategories, RenameAndDeleteActOnTheEntryAtTheirPositionNotTheFirstOfTheName)
{
    TProjects projects;
    projects.Categories.Assign({"Work", "work"});
    AddProject(projects, "a", "Work");
    RenameCategory(projects, 1, "Play");
    EXPECT_EQ(Categories(projects), (std::vector<std::string>{"Work", "Play"}));
    projects.Categories.Replace(1, "work");
    EXPECT_TRUE(DeleteCategory(projects, 1));
    EXPECT_EQ(Categories(projects), std::vector<std::string>{"Work"});
    EXPECT_FALSE(DeleteCategory(projects, 0)); // "a" is filed there
    EXPECT_EQ(Categories(projects), std::vector<std::string>{"Work"});
}

TEST(UCategories, TreeLayoutGivesARepeatedNameOneNodeAndFilesProjectsByExactName)
{
    TProjects projects;
    projects.Categories.Assign({"Work", "Home", "Work", "work", "Empty"});
    AddProject(projects, "a", "Work");
    AddProject(projects, "b", "Home");
    AddProject(projects, "c", "Work");
    AddProject(projects, "d", "Nowhere");
    AddProject(projects, "e", "work");
    const std::vector<TCategoryNode> nodes = ProjectTreeLayout(projects);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].Category, 0);
    EXPECT_EQ(nodes[0].Projects, (std::vector<int>{0, 2}));
    EXPECT_EQ(nodes[1].Projects, std::vector<int>{1});
    EXPECT_EQ(nodes[2].Category, 3);
    EXPECT_EQ(nodes[2].Projects, std::vector<int>{4});
    EXPECT_EQ(nodes[3].Category, 4);
    EXPECT_TRUE(nodes[3].Projects.empty());

    // Deleting the first entry of a repeated name lets the next one show.
    projects.Categories.Assign({"Empty", "Empty"});
    ASSERT_TRUE(DeleteCategory(projects, ProjectTreeLayout(projects)[0].Category));
    EXPECT_EQ(ProjectTreeLayout(projects)[0].Category, 0);
}

TEST(UCategories, ThousandsOfRepeatedNamesMakeOneNode)
{
    TProjects projects;
    std::vector<std::string> names(2000, "cat");
    projects.Categories.Assign(names);
    for (int p = 0; p < 2000; ++p)
        AddProject(projects, "p", "cat");
    const std::vector<TCategoryNode> nodes = ProjectTreeLayout(projects);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].Projects.size(), 2000u);
}
