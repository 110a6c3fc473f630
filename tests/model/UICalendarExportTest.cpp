#include "model/UICalendarExport.h"

#include "TSlashDates.h"
#include "TTempFolder.h"
#include "model/UExportSet.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string RunCommand(const std::string& command)
{
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return output;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, count);
    return ::pclose(pipe) == 0 ? output : "failed: " + output;
}

} // namespace

TEST(ICalendarExport, IsReadBackByAnIndependentReader)
{
    TProjects projects;
    auto launch = std::make_unique<TProject>();
    launch->Name = "Caf\xE9 launch"; // é
    launch->Category = "Work";
    launch->StartDate = " 7/ 5/2008";
    launch->EndDate = "12/31/2008";
    launch->Tasks.Append(
        "d", std::make_unique<TTask>(true, "Buy the domain", "a, b; c\r\nline two", " 7/ 6/2008", " 7/ 6/2008"));
    launch->Tasks.Append("w", std::make_unique<TTask>(false, "Write copy", "", " 5.7.2008", ""));
    projects.Append("l", std::move(launch));
    auto undated = std::make_unique<TProject>();
    undated->Name = "Undated";
    undated->CreateDefaultTasks(); // empty dates
    undated->Tasks.Move(10, 0);
    projects.Append("u", std::move(undated));

    THours hours;
    SetHourAction(hours, "7/5/2008", "12:00 M", "Lunch");
    SetHourAction(hours, "7/5/2008", "12:00 PM", "Midnight");
    SetHourAction(hours, "12/31/2008", "12:00 PM", "New year");
    SetHourAction(hours, "7/5/2008", "1:00 am", "Early");
    SetHourAction(hours, "5.7.2008", "1:00 PM", "Other date settings");
    SetHourAction(hours, "7/5/2008", "0:00 AM", "No such row");

    const TICalendarExport exported = FormatICalendar(SelectForExport(projects, hours, {}), TSlashDates(), 1215000000);
    EXPECT_EQ(exported.HoursLeftOut, 2);
    // RFC 5545, 3.1: lines end in CR LF and are folded to at most 75 octets.
    for (std::size_t start = 0; start < exported.Text.size();) {
        const std::size_t end = exported.Text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_LE(end - start, 75u);
        EXPECT_EQ(exported.Text.substr(start, end - start).find('\n'), std::string::npos);
        start = end + 2;
    }

    TTempFolder temp;
    temp.Write("planner.ics", exported.Text);
    const std::string read =
        RunCommand("PYTHONIOENCODING=utf-8 /usr/bin/python3 '" TASKWREN_TESTS_DIR "/model/ReadICalendar.py' '" +
                   temp.File("planner.ics") + "' 2>&1");
    const std::string expected = R"(["VCALENDAR", "2.0", "-//Taskwren//Taskwren 2.0//EN"]
["VTODO", "Café launch", "2008-07-05", "2008-12-31", "NEEDS-ACTION", "-", "-"]
["VTODO", "Buy the domain", "2008-07-06", "2008-07-06", "COMPLETED", "Café launch", "a, b; c\nline two"]
["VTODO", "Write copy", "-", "-", "NEEDS-ACTION", "Café launch", "-"]
["VTODO", "Undated", "-", "-", "NEEDS-ACTION", "-", "-"]
["VTODO", "Sell one", "-", "-", "NEEDS-ACTION", "Undated", "-"]
)";
    ASSERT_EQ(read.substr(0, expected.size()), expected) << read;
    const std::string events = read.substr(read.find(R"(["VEVENT")"));
    EXPECT_EQ(events, R"(["VEVENT", "Lunch", "2008-07-05T12:00:00", "2008-07-05T13:00:00"]
["VEVENT", "Midnight", "2008-07-06T00:00:00", "2008-07-06T01:00:00"]
["VEVENT", "New year", "2009-01-01T00:00:00", "2009-01-01T01:00:00"]
["VEVENT", "Early", "2008-07-05T01:00:00", "2008-07-05T02:00:00"]
)");
}

TEST(ICalendarExport, AProjectOrACategoryLeavesTheCalendarOut)
{
    TProjects projects;
    for (const char* category : {"Work", "Home", "Work"}) {
        auto project = std::make_unique<TProject>();
        project->Category = category;
        projects.Append("p", std::move(project));
    }
    THours hours;
    SetHourAction(hours, "7/5/2008", "12:00 M", "Lunch");
    const TExportSet work = SelectForExport(projects, hours, {-1, "Work"});
    EXPECT_EQ(work.Projects, (std::vector<const TProject*>{&projects[0], &projects[2]}));
    EXPECT_EQ(work.Hours, nullptr);
    const TExportSet one = SelectForExport(projects, hours, {1, "Home"});
    EXPECT_EQ(one.Projects, (std::vector<const TProject*>{&projects[1]}));
    EXPECT_EQ(FormatICalendar(one, TSlashDates(), 0).Text.find("VEVENT"), std::string::npos);
}
