// Texts loaded from a file are views into its bytes: an edit must copy only the edited text,
// leave every neighbour and every label made from the old value as they were, and save as
// the model now reads.

#include "model/TText.h"

#include "TTempFolder.h"
#include "common/UProgramFolder.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/UProjectsFile.h"

#include <gtest/gtest.h>

TEST(TText, EditsOfALoadedPlannerCopyOnlyWhatChangedAndSaveAsTheModelReads)
{
    TTempFolder temp;
    temp.Write("categories.dat", "Home\r\nWork\r\n");
    temp.Write("Projects.dat", "Header^Yard^Home^ 7/ 1/2008^ 8/ 1/2008^\r\n"
                               "^False^,^Paint^,^two\xA5\xA5\xA7\xA7lines^,^^,^^\r\n"
                               "^True^,^Sand^,^^,^^,^^\r\nEndProject\r\n");
    temp.Write("Hours.dat", "7/5/2008^1:00 PM^call^\r\n7/5/2008^2:00 PM^write^\r\n");
    TProgramFolder folder(temp.Path());
    TProjects projects;
    THours hours;
    projects.LoadCategories(folder);
    projects.LoadProjects(folder);
    hours.LoadHours(folder);

    TProject& yard = projects[0];
    const TText kept = yard.Tasks[0].Description; // a copy made before the edit keeps its value
    yard.Tasks[0].Description = "Paint the fence";
    yard.Name = "Garden";
    projects.SetLabel(0, yard.Name);
    projects.Categories.Delete(1);
    projects.Categories.Append("Shed");
    ASSERT_TRUE(ClearHourAction(hours, "7/5/2008", "1:00 PM"));
    SetHourAction(hours, "7/5/2008", "2:00 PM", "read");

    EXPECT_EQ(kept, "Paint");
    EXPECT_EQ(yard.Tasks.Label(0), "Paint");
    EXPECT_EQ(yard.Tasks[1].Description, "Sand");
    EXPECT_EQ(yard.Tasks[0].Notes, "two\r\nlines");
    EXPECT_EQ(hours.Label(0), "7/5/2008-2:00 PM");
    projects.SaveCategories(folder);
    projects.SaveProjects(folder);
    hours.SaveHours(folder);
    EXPECT_EQ(temp.Read("categories.dat"), "Home\r\nShed\r\n");
    EXPECT_EQ(temp.Read("Projects.dat"), "Header^Garden^Home^ 7/ 1/2008^ 8/ 1/2008^\r\n"
                                         "^False^,^Paint the fence^,^two\xA5\xA5\xA7\xA7lines^,^^,^^\r\n"
                                         "^True^,^Sand^,^^,^^,^^\r\nEndProject\r\n");
    EXPECT_EQ(temp.Read("Hours.dat"), "7/5/2008^2:00 PM^read^\r\n");
}

TEST(TText, ACopyOfAnOwnedTextOutlivesTheOriginalsNewValue)
{
    TText original("first");
    const TText copy = original;
    original = original.View().substr(1); // a value taken from the old one itself
    EXPECT_EQ(copy, "first");
    EXPECT_EQ(original, "irst");
}

TEST(TOwnedList, ObjectsStayWhereTheyAreWhileTheListGrowsAndShrinks)
{
    TProjects projects;
    ParseProjects("Header^A^^^^\r\n^False^,^one^,^^,^^,^^\r\nEndProject\r\n", projects);
    const TProject* first = &projects[0];
    const TTask* task = &projects[0].Tasks[0];
    for (int i = 0; i < 1000; ++i) {
        projects.Append("B", TProject());
        projects[0].Tasks.Append("t", TTask(false, "t", {}, {}, {}));
    }
    projects.Delete(1);
    projects[0].Tasks.Delete(1);
    EXPECT_EQ(&projects[0], first);
    EXPECT_EQ(&projects[0].Tasks[0], task);
    EXPECT_EQ(task->Description, "one");
}
