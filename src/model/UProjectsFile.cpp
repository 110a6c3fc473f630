#include "model/UProjectsFile.h"

#include "common/TArena.h"
#include "common/TTextSink.h"
#include "common/UProgramFolder.h"
#include "common/UUtils.h"
#include "model/UProjects.h"
#include "model/UTaskLine.h"
#include "model/UTextLines.h"

#include <optional>
#include <vector>

namespace {

constexpr std::string_view HeaderMarker = "Header^";
constexpr std::string_view EndMarker = "EndProject";
// Header lines and task lines both carry five fields; whatever follows them is ignored.
constexpr std::size_t LineFields = 5;

enum class TLineKind { Blank, Header, End, Task };

TLineKind KindOf(std::string_view line)
{
    if (IsBlankLine(line))
        return TLineKind::Blank;
    if (TrimLeftBlanks(line).starts_with(HeaderMarker))
        return TLineKind::Header;
    if (TrimBlanks(line) == EndMarker)
        return TLineKind::End;
    return TLineKind::Task;
}

TText FieldOrEmpty(const std::string_view* fields, std::size_t count, std::size_t index)
{
    return index < count ? TText::Borrow(fields[index]) : TText();
}

// Escaped like task lines: a header is read back through DecodeLineBreaks, and a raw line
// break inside a name would split the header and turn its tail into a task.
void WriteHeaderLine(TTextSink& sink, const TProject& project)
{
    sink.Append(HeaderMarker);
    for (const TText* part : {&project.Name, &project.Category, &project.StartDate, &project.EndDate}) {
        AppendEncodingLineBreaks(sink, *part);
        sink.Append("^");
    }
    sink.Append("\r\n");
}

void WriteTaskLine(TTextSink& sink, const TTask& task)
{
    sink.Append(task.Done ? "^True^,^" : "^False^,^");
    AppendEncodingLineBreaks(sink, task.Description);
    sink.Append("^,^");
    AppendEncodingLineBreaks(sink, task.Notes);
    sink.Append("^,^");
    AppendEncodingLineBreaks(sink, task.StartDate);
    sink.Append("^,^");
    AppendEncodingLineBreaks(sink, task.EndDate);
    sink.Append("^\r\n");
}

void WriteProjects(const TProjects& projects, TTextSink& sink)
{
    for (int i = 0; i < projects.Count(); ++i) {
        const TProject& project = projects[i];
        WriteHeaderLine(sink, project);
        for (int t = 0; t < project.Tasks.Count(); ++t)
            WriteTaskLine(sink, project.Tasks[t]);
        sink.Append(EndMarker);
        sink.Append("\r\n");
    }
}

void WriteCategories(const TTextList& categories, TTextSink& sink)
{
    for (int i = 0; i < categories.Count(); ++i) {
        sink.Append(categories[i]);
        sink.Append("\r\n");
    }
}

// The task lines each header's project takes: those up to the next header, also after its
// end line, which go to the project that ended.
std::vector<std::size_t> CountTaskLines(std::string_view text)
{
    std::vector<std::size_t> counts;
    ForEachLine(text, [&](std::string_view line) {
        const TLineKind kind = KindOf(line);
        if (kind == TLineKind::Header)
            counts.push_back(0);
        else if (kind == TLineKind::Task && !counts.empty())
            ++counts.back();
    });
    return counts;
}

// Reads the projects file line by line, decoding each in place; every text read is a view
// into the file's bytes. A project enters the collection at its end line, or, when that is
// missing, at the next header or the end of the text; never twice. Each project's tasks go
// into one block of the size CountTaskLines found, in the arena.
class TProjectsReader {
public:
    TProjectsReader(TProjects& projects, std::pmr::memory_resource& arena, const std::vector<std::size_t>& taskCounts)
        : Projects(projects)
        , Arena(arena)
        , TaskCounts(taskCounts)
    {
    }

    void ReadLine(char* line, std::size_t size)
    {
        switch (KindOf(std::string_view(line, size))) {
        case TLineKind::Blank:
            return;
        case TLineKind::Header:
            StartProject(line, size);
            return;
        case TLineKind::End:
            EnterPending();
            return;
        case TLineKind::Task:
            if (Reading != nullptr) // task lines before the first header have no project and are skipped
                AddTask(line, size);
            return;
        }
    }

    void Finish() { EnterPending(); }

private:
    void StartProject(char* line, std::size_t size)
    {
        EnterPending();
        const std::size_t blanks = size - TrimLeftBlanks(std::string_view(line, size)).size();
        char* const header = line + blanks;
        const std::size_t length = DecodeLineBreaksInPlace(header, size - blanks);
        std::string_view fields[LineFields];
        const std::size_t count = SplitByChar('^', std::string_view(header, length), fields, LineFields);
        Pending.emplace();
        Pending->Name = FieldOrEmpty(fields, count, 1);
        Pending->Category = FieldOrEmpty(fields, count, 2);
        Pending->StartDate = FieldOrEmpty(fields, count, 3);
        Pending->EndDate = FieldOrEmpty(fields, count, 4);
        Pending->Tasks.Reserve(TaskCounts[NextHeader++], Arena);
        Reading = &*Pending;
    }

    void EnterPending()
    {
        if (Pending) {
            TText label = Pending->Name;
            Reading = &Projects.Append(std::move(label), std::move(*Pending));
            Pending.reset();
        }
    }

    // Lines after an end line and before the next header still belong to the ended project.
    void AddTask(char* line, std::size_t size)
    {
        size = DecodeLineBreaksInPlace(line, size);
        std::string_view fields[LineFields];
        const std::size_t count = ReadTaskLine(line, size, fields, LineFields);
        const bool done = count > 0 && fields[0] == "True";
        TText description = FieldOrEmpty(fields, count, 1);
        TText label = description;
        Reading->Tasks.Append(std::move(label),
                              TTask(done, std::move(description), FieldOrEmpty(fields, count, 2),
                                    FieldOrEmpty(fields, count, 3), FieldOrEmpty(fields, count, 4)));
    }

    TProjects& Projects;
    std::pmr::memory_resource& Arena;
    const std::vector<std::size_t>& TaskCounts;
    std::size_t NextHeader = 0;
    std::optional<TProject> Pending; // read, not yet in the collection
    TProject* Reading = nullptr;     // the project task lines go to
};

} // namespace

std::string FormatCategories(const TTextList& categories)
{
    return FormatToString([&](TTextSink& sink) { WriteCategories(categories, sink); });
}

void ParseCategories(std::string_view text, TTextList& categories)
{
    categories.AssignLines(TFileBytes::CopyOf(text));
}

std::string FormatProjects(const TProjects& projects)
{
    return FormatToString([&](TTextSink& sink) { WriteProjects(projects, sink); });
}

void ParseProjects(std::string_view text, TProjects& projects)
{
    ParseProjects(TFileBytes::CopyOf(text), projects);
}

void ParseProjects(TFileBytes bytes, TProjects& projects)
{
    const std::vector<std::size_t> taskCounts = CountTaskLines(bytes.View());
    std::size_t tasks = 0;
    for (const std::size_t count : taskCounts)
        tasks += count;
    // Every block, with the slack of its alignment, so that the arena holds them all.
    auto arena = std::make_unique<TArena>(tasks * TOwnedList<TTask>::BytesPerEntry +
                                          taskCounts.size() * (TOwnedList<TProject>::BytesPerEntry + 64));
    projects.Reserve(static_cast<std::size_t>(projects.Count()) + taskCounts.size(), *arena);
    TProjectsReader reader(projects, *arena, taskCounts);
    ForEachLineIn(bytes.Data(), bytes.Size(), [&](char* line, std::size_t size) { reader.ReadLine(line, size); });
    reader.Finish();
    projects.Keep(std::move(bytes), std::move(arena));
}

void TProjects::LoadCategories(const TProgramFolder& folder)
{
    if (auto bytes = folder.ReadFileBytes(CategoriesFileName))
        Categories.AssignLines(std::move(*bytes));
}

void TProjects::LoadProjects(const TProgramFolder& folder)
{
    if (auto bytes = folder.ReadFileBytes(ProjectsFileName, NewProjectsFileName))
        ParseProjects(std::move(*bytes), *this);
}

void TProjects::SaveCategories(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(CategoriesFileName, CategoriesFileName),
                     [this](TTextSink& sink) { WriteCategories(Categories, sink); });
}

void TProjects::SaveProjects(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(ProjectsFileName, NewProjectsFileName),
                     [this](TTextSink& sink) { WriteProjects(*this, sink); });
}
