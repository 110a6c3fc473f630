// The loaders decode the file's bytes in place and keep views into them. Whatever the bytes,
// they must give what reading each line on its own through the string functions gives: the
// same projects, tasks, labels and hour entries.

#include "common/UUtils.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "model/UProjectsFile.h"
#include "model/UTaskLine.h"
#include "model/UTextLines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Each loaded record as one text, fields joined by '|' and records by '\n'.
std::string ReferenceProjects(std::string_view text)
{
    std::vector<std::string> entered;
    std::string pending;
    bool reading = false;
    std::vector<std::string> fields;
    const auto enter = [&] {
        if (!pending.empty())
            entered.push_back(std::move(pending));
        pending.clear();
    };
    ForEachLine(text, [&](std::string_view line) {
        if (IsBlankLine(line))
            return;
        if (TrimLeftBlanks(line).starts_with("Header^")) {
            enter();
            SplitByChar('^', DecodeLineBreaks(TrimLeftBlanks(line)), fields, 5);
            fields.resize(5);
            pending = "P|" + fields[1] + "|" + fields[1] + "|" + fields[2] + "|" + fields[3] + "|" + fields[4] + "\n";
            reading = true;
        } else if (TrimBlanks(line) == "EndProject") {
            enter();
        } else if (reading) {
            ParseTaskLine(DecodeLineBreaks(line), fields, 5);
            fields.resize(5);
            (pending.empty() ? entered.back() : pending) += (fields[0] == "True" ? "T|" : "F|") + fields[1] + "|" +
                fields[1] + "|" + fields[2] + "|" + fields[3] + "|" + fields[4] + "\n";
        }
    });
    enter();
    std::string all;
    for (const std::string& project : entered)
        all += project;
    return all;
}

std::string Loaded(const TProjects& projects)
{
    std::string all;
    for (int p = 0; p < projects.Count(); ++p) {
        const TProject& project = projects[p];
        all += "P|" + std::string(projects.Label(p)) + "|" + project.Name + "|" + project.Category + "|" +
            project.StartDate + "|" + project.EndDate + "\n";
        for (int t = 0; t < project.Tasks.Count(); ++t) {
            const TTask& task = project.Tasks[t];
            all += (task.Done ? "T|" : "F|") + std::string(project.Tasks.Label(t)) + "|" + task.Description + "|" +
                task.Notes + "|" + task.StartDate + "|" + task.EndDate + "\n";
        }
    }
    return all;
}

std::string ReferenceHours(std::string_view text)
{
    std::string all;
    std::vector<std::string> fields;
    ForEachLine(text, [&](std::string_view line) {
        if (IsBlankLine(line))
            return;
        SplitByChar('^', DecodeLineBreaks(line), fields, 3);
        fields.resize(3);
        all += fields[0] + "-" + fields[1] + "|" + fields[0] + "|" + fields[1] + "|" + fields[2] + "\n";
    });
    return all;
}

std::string Loaded(const THours& hours)
{
    std::string all;
    for (int i = 0; i < hours.Count(); ++i)
        all += std::string(hours.Label(i)) + "|" + hours[i].Date + "|" + hours[i].Hour + "|" + hours[i].Action + "\n";
    return all;
}

// Files of the pieces that steer the readers, the escape bytes and line breaks above all.
std::string HostileFile(std::mt19937& random)
{
    static const std::string_view pieces[] = {"Header^", "EndProject", "^", "^^", ",", " ", "\t", "\r", "\n",
                                              "\r\n", "\xA5", "\xA5\xA5", "\xA7\xA7", "\xA7", "True", "x",
                                              std::string_view("\0", 1)};
    std::string file;
    for (auto count = random() % 60; count > 0; --count)
        file += pieces[random() % std::size(pieces)];
    return file;
}

} // namespace

TEST(Loaders, ReadHostileFilesAsLineByLineReadingDoes)
{
    std::mt19937 random(18);
    for (int round = 0; round < 5000; ++round) {
        const std::string file = HostileFile(random);
        TProjects projects;
        ParseProjects(file, projects);
        THours hours;
        ParseHours(file, hours);
        TTextList categories;
        ParseCategories(file, categories);
        std::vector<std::string> lines;
        ForEachLine(file, [&](std::string_view line) { lines.emplace_back(line); });

        ASSERT_EQ(Loaded(projects), ReferenceProjects(file)) << testing::PrintToString(file);
        ASSERT_EQ(Loaded(hours), ReferenceHours(file)) << testing::PrintToString(file);
        ASSERT_EQ(categories.All(), lines) << testing::PrintToString(file);
    }
}
