#include "model/UProjects.h"

#include <algorithm>
#include <array>

TProjects::~TProjects()
{
    // The projects and tasks go before the bytes and arenas they were read into.
    Clear();
}

void TProjects::Keep(TFileBytes bytes, std::unique_ptr<std::pmr::memory_resource> arena)
{
    Files.push_back(std::move(bytes));
    Arenas.push_back(std::move(arena));
}

void TProject::CreateDefaultTasks()
{
    static constexpr std::array<const char*, 11> DefaultTasks = {
        "Purchase Domain Name",
        "Purchase Web Hosting",
        "Develop Info Product",
        "Write Web Sales Copy",
        "Header & Box Graphics",
        "Setup Web Sites Pages",
        "Gather Testimonial",
        "New Click Bank Account",
        "Solo & Affiliate Ads",
        "Send Mailing To Lists",
        "Sell one",
    };
    ClearTasks();
    for (const char* description : DefaultTasks)
        Tasks.Append(description, TTask(false, description, {}, {}, {}));
}

int TProject::CountDoneTasks() const
{
    int done = 0;
    for (int i = 0; i < Tasks.Count(); ++i)
        done += Tasks[i].Done ? 1 : 0;
    return done;
}

int TProject::DonePercent() const
{
    const int count = Tasks.Count();
    if (count == 0)
        return 0;
    // Exact integer arithmetic: 100 * done / count, with a remainder of exactly half going to even.
    const long long scaled = 100LL * CountDoneTasks();
    const long long quotient = scaled / count;
    const long long twiceRemainder = 2 * (scaled % count);
    if (twiceRemainder > count || (twiceRemainder == count && quotient % 2 == 1))
        return static_cast<int>(quotient + 1);
    return static_cast<int>(quotient);
}

TProject* TProjects::FindProjectByName(std::string_view name, int& index)
{
    for (int i = 0; i < Count(); ++i) {
        if ((*this)[i].Name == name) {
            index = i;
            return &(*this)[i];
        }
    }
    return nullptr;
}
