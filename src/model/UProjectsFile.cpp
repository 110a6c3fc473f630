#include "model/UProjectsFile.h"

#include "common/UProgramFolder.h"
#include "common/UUtils.h"
#include "model/UProjects.h"
#include "model/UTaskLine.h"
#include "model/UTextLines.h"

#include <memory>
#include <vector>

namespace {

constexpr std::string_view HeaderMarker = "Header^";
constexpr std::string_view EndMarker = "EndProject";
// Header lines and task lines both carry five fields; whatever follows them is ignored.
constexpr std::size_t LineFields = 5;

std::string FieldOrEmpty(std::vector<std::string>& fields, std::size_t index)
{
    return index < fields.size() ? std::move(fields[index]) : std::string();
}

// Escaped like task lines: a header is read back through DecodeLineBreaks, and a raw line
// break inside a name would split the header and turn its tail into a task.
void AppendHeaderLine(std::string& text, const TProject& project)
{
    std::string line(HeaderMarker);
    for (const std::string* part : {&project.Name, &project.Category, &project.StartDate, &project.EndDate})
        line.append(*part).push_back('^');
    AppendLine(text, EncodeLineBreaks(line));
}

void AppendTaskLine(std::string& text, const TTask& task)
{
    std::string line = task.Done ? "^True^,^" : "^False^,^";
    line.append(task.Description).append("^,^");
    line.append(task.Notes).append("^,^");
    line.append(task.StartDate).append("^,^");
    line.append(task.EndDate).append("^");
    AppendLine(text, EncodeLineBreaks(line));
}

// Reads the projects file line by line. A project enters the collection at its end line, or,
// when that is missing, at the next header or the end of the text; never twice.
class TProjectsReader {
public:
    explicit TProjectsReader(TProjects& projects)
        : Projects(projects)
    {
    }

    void ReadLine(std::string_view line)
    {
        if (IsBlankLine(line))
            return;
        if (TrimLeftBlanks(line).starts_with(HeaderMarker))
            StartProject(line);
        else if (TrimBlanks(line) == EndMarker)
            EnterPending();
        else if (Reading != nullptr)
            AddTask(line); // task lines before the first header have no project and are skipped
    }

    void Finish() { EnterPending(); }

private:
    void StartProject(std::string_view line)
    {
        EnterPending();
        SplitByChar('^', DecodeLineBreaks(TrimLeftBlanks(line)), Fields, LineFields);
        Pending = std::make_unique<TProject>();
        Pending->Name = FieldOrEmpty(Fields, 1);
        Pending->Category = FieldOrEmpty(Fields, 2);
        Pending->StartDate = FieldOrEmpty(Fields, 3);
        Pending->EndDate = FieldOrEmpty(Fields, 4);
        Reading = Pending.get();
    }

    void EnterPending()
    {
        if (Pending) {
            std::string label = Pending->Name;
            Projects.Append(std::move(label), std::move(Pending));
        }
    }

    // Lines after an end line and before the next header still belong to the ended project.
    void AddTask(std::string_view line)
    {
        ParseTaskLine(DecodeLineBreaks(line), Fields, LineFields);
        const bool done = !Fields.empty() && Fields[0] == "True";
        auto task = std::make_unique<TTask>(done, FieldOrEmpty(Fields, 1), FieldOrEmpty(Fields, 2),
                                            FieldOrEmpty(Fields, 3), FieldOrEmpty(Fields, 4));
        std::string label = task->Description;
        Reading->Tasks.Append(std::move(label), std::move(task));
    }

    TProjects& Projects;
    std::unique_ptr<TProject> Pending; // read, not yet in the collection
    TProject* Reading = nullptr;       // the project task lines go to
    std::vector<std::string> Fields;
};

} // namespace

std::string FormatCategories(const TTextList& categories)
{
    std::string text;
    for (const auto& name : categories.All())
        AppendLine(text, name);
    return text;
}

void ParseCategories(std::string_view text, TTextList& categories)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    categories.Assign(std::move(lines));
}

std::string FormatProjects(const TProjects& projects)
{
    std::string text;
    for (int i = 0; i < projects.Count(); ++i) {
        const TProject& project = projects[i];
        AppendHeaderLine(text, project);
        for (int t = 0; t < project.Tasks.Count(); ++t)
            AppendTaskLine(text, project.Tasks[t]);
        AppendLine(text, EndMarker);
    }
    return text;
}

void ParseProjects(std::string_view text, TProjects& projects)
{
    TProjectsReader reader(projects);
    ForEachLine(text, [&](std::string_view line) { reader.ReadLine(line); });
    reader.Finish();
}

void TProjects::LoadCategories(const TProgramFolder& folder)
{
    if (const auto text = folder.ReadFile(CategoriesFileName))
        ParseCategories(*text, Categories);
}

void TProjects::LoadProjects(const TProgramFolder& folder)
{
    if (const auto text = folder.ReadFile(ProjectsFileName, NewProjectsFileName))
        ParseProjects(*text, *this);
}

void TProjects::SaveCategories(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(CategoriesFileName, CategoriesFileName), FormatCategories(Categories));
}

void TProjects::SaveProjects(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(ProjectsFileName, NewProjectsFileName), FormatProjects(*this));
}
