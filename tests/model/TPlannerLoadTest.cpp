#include "model/TPlannerLoad.h"

#include "TTempFolder.h"
#include "common/UErrors.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <filesystem>

// The window finishes the files in its own order; each raises only its own error, after the
// others were read all the same.
TEST(PlannerLoad, EachFileRaisesItsOwnErrorWhenFinishedAndTheOthersAreRead)
{
    TTempFolder temp;
    temp.Write("categories.dat", "Work\r\nHome\r\n");
    std::filesystem::create_directory(temp.Path() / "Projects.dat"); // not a file: cannot be read
    temp.Write("Hours.dat", "7/5/2008^1:00 AM^Call\r\n");
    TPlannerLoad load(temp.Path());
    const std::unique_ptr<THours> hours = load.TakeHours();
    EXPECT_NO_THROW(load.Finish(TDataFile::Hours));
    EXPECT_EQ(hours->Count(), 1);
    const std::unique_ptr<TProjects> projects = load.TakeProjects();
    EXPECT_NO_THROW(load.Finish(TDataFile::Categories));
    EXPECT_EQ(projects->Categories.Count(), 2);
    EXPECT_THROW(load.Finish(TDataFile::Projects), EFileError);
    EXPECT_EQ(projects->Count(), 0);
    EXPECT_NO_THROW(load.Finish(TDataFile::Projects)); // raised once
}
