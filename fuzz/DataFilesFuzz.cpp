// libFuzzer target: any bytes load as projects and hours without a crash or a hang, and
// what loads saves to a text that loads back to the same text where the format can hold it.

#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/UProjectsFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// The files have no escape for "^", and the escape bytes themselves cannot be stored.
bool Storable(std::string_view text)
{
    return text.find_first_of("^\xA5\xA7") == std::string_view::npos;
}

bool Storable(const TProjects& projects)
{
    for (int p = 0; p < projects.Count(); ++p) {
        const TProject& project = projects[p];
        if (!Storable(project.Name) || !Storable(project.Category) || !Storable(project.StartDate) ||
            !Storable(project.EndDate))
            return false;
        for (int t = 0; t < project.Tasks.Count(); ++t) {
            const TTask& task = project.Tasks[t];
            if (!Storable(task.Description) || !Storable(task.Notes) || !Storable(task.StartDate) ||
                !Storable(task.EndDate))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    TProjects projects;
    ParseProjects(text, projects);
    const std::string saved = FormatProjects(projects);
    TProjects reread;
    ParseProjects(saved, reread);
    if (Storable(projects) && FormatProjects(reread) != saved)
        std::abort();

    THours hours;
    ParseHours(text, hours);
    for (int i = 0; i < hours.Count(); ++i)
        if (hours.IndexOf(hours.Label(i)) > i)
            std::abort(); // the first match can never lie after the entry itself
    return 0;
}
