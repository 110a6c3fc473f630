#include "model/UProjects.h"

#include <gtest/gtest.h>

namespace {

TProject ProjectWithTasks(int done, int count)
{
    TProject project;
    for (int i = 0; i < count; ++i)
        project.Tasks.Append("t", std::make_unique<TTask>(i < done, "t", "", "", ""));
    return project;
}

TProject& AddProject(TProjects& projects, const std::string& name, const std::string& category = "")
{
    auto project = std::make_unique<TProject>();
    project->Name = name;
    project->Category = category;
    return projects.Append(name, std::move(project));
}

} // namespace

struct DonePercentCase {
    int Done;
    int Count;
    int Percent;
};

class DonePercentTest : public testing::TestWithParam<DonePercentCase> { };

TEST_P(DonePercentTest, RoundsToNearestWithExactHalvesToEven)
{
    const auto& c = GetParam();
    const TProject project = ProjectWithTasks(c.Done, c.Count);
    EXPECT_EQ(project.CountDoneTasks(), c.Done);
    EXPECT_EQ(project.DonePercent(), c.Percent);
}

INSTANTIATE_TEST_SUITE_P(UProjects, DonePercentTest,
                         testing::Values(DonePercentCase{0, 0, 0}, DonePercentCase{1, 8, 12}, DonePercentCase{3, 8, 38},
                                         DonePercentCase{5, 8, 62}, DonePercentCase{7, 8, 88},
                                         DonePercentCase{1, 3, 33}, DonePercentCase{2, 3, 67},
                                         DonePercentCase{1, 200, 0}, DonePercentCase{3, 200, 2},
                                         DonePercentCase{199, 200, 100}, DonePercentCase{4, 4, 100},
                                         DonePercentCase{0, 4, 0}));

TEST(UProjects, DefaultTasksReplaceExistingOnesInOrder)
{
    TProject project = ProjectWithTasks(2, 3);
    project.CreateDefaultTasks();
    ASSERT_EQ(project.Tasks.Count(), 11);
    EXPECT_EQ(project.Tasks[0].Description, "Purchase Domain Name");
    EXPECT_EQ(project.Tasks[4].Description, "Header & Box Graphics");
    EXPECT_EQ(project.Tasks[10].Description, "Sell one");
    for (int i = 0; i < project.Tasks.Count(); ++i) {
        const TTask& task = project.Tasks[i];
        EXPECT_FALSE(task.Done);
        EXPECT_EQ(project.Tasks.Label(i), task.Description);
        EXPECT_EQ(task.Notes + task.StartDate + task.EndDate, "");
    }
    EXPECT_EQ(project.DonePercent(), 0);
}

TEST(UProjects, FindProjectByNameTakesTheFirstExactMatch)
{
    TProjects projects;
    AddProject(projects, "Alpha");
    AddProject(projects, "Beta");
    TProject& secondBeta = AddProject(projects, "Beta");
    secondBeta.Category = "later";

    int index = 99;
    TProject* found = projects.FindProjectByName("Beta", index);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(found->Category, "");

    index = 99;
    EXPECT_EQ(projects.FindProjectByName("beta", index), nullptr);
    EXPECT_EQ(projects.FindProjectByName("Beta ", index), nullptr);
    EXPECT_EQ(index, 99);
}

TEST(UProjects, CategoryLookupIgnoresLetterCaseOfWindows1252)
{
    TProjects projects;
    projects.Categories.Append("Home");
    projects.Categories.Append("\xC9t\xE9 \x8A"); // "Été Š"
    projects.Categories.Append("home");

    EXPECT_EQ(projects.Categories.IndexOfIgnoringCase("HOME"), 0);
    EXPECT_EQ(projects.Categories.IndexOfIgnoringCase("\xE9T\xC9 \x9A"), 1);
    EXPECT_EQ(projects.Categories.IndexOfIgnoringCase("Home "), TTextList::NotFound);
    // The multiplication and division signs are not a case pair.
    projects.Categories.Append("\xD7");
    EXPECT_EQ(projects.Categories.IndexOfIgnoringCase("\xF7"), TTextList::NotFound);
}

TEST(UProjects, ListsKeepOrderAndLabelsUntilReplaced)
{
    TProjects projects;
    AddProject(projects, "One");
    TProject& two = AddProject(projects, "Two");
    two.Name = "Renamed";
    EXPECT_EQ(projects.Label(1), "Two");
    projects.SetLabel(1, two.Name);
    EXPECT_EQ(projects.Label(1), "Renamed");
    projects.Delete(0);
    ASSERT_EQ(projects.Count(), 1);
    EXPECT_EQ(projects[0].Name, "Renamed");
    EXPECT_THROW(projects.Delete(5), std::out_of_range);
}

TEST(UProjects, MovingATaskShiftsTheOthersAndKeepsItsLabelAndAddress)
{
    TProject project;
    for (const char* name : {"a", "b", "c", "d"})
        project.Tasks.Append(name, std::make_unique<TTask>(false, name, "", "", ""));
    const TTask* a = &project.Tasks[0];
    project.Tasks.Move(0, 2);
    project.Tasks.Move(3, 1);
    std::string order;
    for (int i = 0; i < project.Tasks.Count(); ++i)
        order += project.Tasks.Label(i) + project.Tasks[i].Description;
    EXPECT_EQ(order, "bbddccaa");
    EXPECT_EQ(&project.Tasks[3], a);
    EXPECT_THROW(project.Tasks.Move(0, 4), std::out_of_range);
}
