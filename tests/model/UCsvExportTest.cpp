#include "model/UCsvExport.h"

#include "TSlashDates.h"
#include "model/UExportSet.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

TEST(CsvExport, QuotesWhatRfc4180AsksAndWritesUtf8AfterAByteOrderMark)
{
    TProjects projects;
    auto project = std::make_unique<TProject>();
    project->Name = "Caf\xE9"; // é
    project->Category = "Work";
    project->Tasks.Append(
        "t", std::make_unique<TTask>(true, "Call", "He said \"no\", then\r\nleft", " 7/ 5/2008", "31.12.2008"));
    projects.Append("p", std::move(project));
    projects.Append("e", std::make_unique<TProject>());
    THours hours;

    EXPECT_EQ(FormatTasksCsv(SelectForExport(projects, hours, {}), TSlashDates()),
              "\xEF\xBB\xBF"
              "Project,Category,Done,Description,Notes,Start Date,End Date\r\n"
              "Caf\xC3\xA9,Work,Yes,Call,\"He said \"\"no\"\", then\r\nleft\",2008-07-05,31.12.2008\r\n"
              ",,,,,,\r\n");
}
