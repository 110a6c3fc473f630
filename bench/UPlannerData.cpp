#include "UPlannerData.h"

#include "model/UHours.h"
#include "model/UProjects.h"

#include <random>

namespace {

std::string Words(std::mt19937& random, int count)
{
    static const char* const words[] = {"review", "draft", "call", "supplier", "budget", "design",
                                        "copy",   "page",  "test", "launch",   "client", "invoice"};
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0)
            text.push_back(' ');
        text += words[random() % 12];
    }
    return text;
}

} // namespace

void FillPlanner(TProjects& projects, THours& hours, int hourEntries)
{
    std::mt19937 random(7);
    for (int c = 0; c < 20; ++c)
        projects.Categories.Append("Category " + std::to_string(c));
    for (int p = 0; p < BenchProjectCount; ++p) {
        auto project = std::make_unique<TProject>();
        project->Name = "Project " + std::to_string(p) + " " + Words(random, 2);
        project->Category = "Category " + std::to_string(p % 20);
        project->StartDate = " 7/ 5/2008";
        project->EndDate = "12/31/2008";
        for (int t = 0; t < BenchTasksPerProject; ++t) {
            std::string description = Words(random, 4);
            project->Tasks.Append(
                description,
                std::make_unique<TTask>(t % 3 == 0, description, Words(random, 8), " 7/ 6/2008", " 8/ 1/2008"));
        }
        TText name = project->Name;
        projects.Append(std::move(name), std::move(project));
    }
    for (int h = 0; h < hourEntries; ++h) {
        auto entry = std::make_unique<TToDoHour>();
        entry->Date = std::to_string(1 + h / 24 % 12) + "/" + std::to_string(1 + h / 288 % 28) + "/" +
            std::to_string(2000 + h / 8064);
        entry->Hour = HourCaption(1 + h % 24);
        entry->Action = Words(random, 5);
        std::string key = entry->HourKey();
        hours.Append(std::move(key), std::move(entry));
    }
}
