#include "model/UCsvExport.h"

#include "common/UWindows1252.h"
#include "model/UExportSet.h"
#include "model/UProjects.h"

#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace {

// RFC 4180, 2.6 and 2.7: a field holding a comma, a quote or a line break is enclosed in
// quotes, and a quote inside it is doubled.
void AppendField(std::string& csv, std::string_view windows1252)
{
    const std::string text = Windows1252ToUtf8(windows1252);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        csv += text;
        return;
    }
    csv.push_back('"');
    for (const char c : text) {
        if (c == '"')
            csv.push_back('"');
        csv.push_back(c);
    }
    csv.push_back('"');
}

void AppendRow(std::string& csv, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (const std::string_view field : fields) {
        if (!first)
            csv.push_back(',');
        first = false;
        AppendField(csv, field);
    }
    csv += "\r\n"; // RFC 4180, 2.1
}

std::string DateCell(std::string_view text, const TDateReader& dates)
{
    const auto day = dates.FieldDate(text);
    if (!day)
        return std::string(text);
    char iso[16];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", day->Year, day->Month, day->Day);
    return iso;
}

} // namespace

std::string FormatTasksCsv(const TExportSet& set, const TDateReader& dates)
{
    std::string csv = "\xEF\xBB\xBF";
    AppendRow(csv, {"Project", "Category", "Done", "Description", "Notes", "Start Date", "End Date"});
    for (const TProject* project : set.Projects) {
        const std::string_view name = project->Name;
        const std::string_view category = project->Category;
        if (project->Tasks.Count() == 0)
            AppendRow(csv, {name, category, "", "", "", "", ""});
        for (int t = 0; t < project->Tasks.Count(); ++t) {
            const TTask& task = project->Tasks[t];
            AppendRow(csv,
                      {name, category, task.Done ? "Yes" : "No", task.Description, task.Notes,
                       DateCell(task.StartDate, dates), DateCell(task.EndDate, dates)});
        }
    }
    return csv;
}
