#include "model/UTextFinder.h"

#include "common/UAnsiCase.h"
#include "model/UProjects.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The plain way: both texts in lower case, then a search.
bool FoldedFind(std::string_view text, std::string_view needle)
{
    std::string a, b;
    for (const char c : text)
        a.push_back(static_cast<char>(AnsiFold(c)));
    for (const char c : needle)
        b.push_back(static_cast<char>(AnsiFold(c)));
    return a.find(b) != std::string::npos;
}

// A planner of `count` projects whose texts say nothing the tests look for, except where a
// test puts it.
TProjects GeneratedPlanner(int count)
{
    TProjects projects;
    for (int p = 0; p < count; ++p) {
        auto project = std::make_unique<TProject>();
        project->Name = "Project " + std::to_string(p);
        project->Category = "Category " + std::to_string(p % 7);
        for (int t = 0; t < 20; ++t)
            project->Tasks.Append("t",
                                  std::make_unique<TTask>(false, "draft page " + std::to_string(t),
                                                          "call the client\r\nabout the budget", "", ""));
        TText name = project->Name;
        projects.Append(std::move(name), std::move(project));
    }
    return projects;
}

std::vector<int> Matching(const TProjects& projects, std::string_view text)
{
    const TTextFinder finder(text);
    std::vector<int> found;
    for (int p = 0; p < projects.Count(); ++p)
        if (ProjectMatches(projects[p], finder))
            found.push_back(p);
    return found;
}

} // namespace

TEST(TextFinder, AgreesWithFoldingBothTextsOnRandomWindows1252Text)
{
    // Few distinct bytes, each letter in both cases, so that near misses and overlaps abound.
    const std::string alphabet = "aAbB\xE9\xC9\x9A\x8A\xFF\x9F ,\r\n";
    std::mt19937 random(20);
    const auto text = [&](std::size_t length) {
        std::string s;
        for (std::size_t i = 0; i < length; ++i)
            s.push_back(alphabet[random() % alphabet.size()]);
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string haystack = text(random() % 40);
        const std::string needle = text(1 + random() % 4);
        ASSERT_EQ(TTextFinder(needle).FoundIn(haystack), FoldedFind(haystack, needle))
            << "needle " << needle << " in " << haystack;
    }
    EXPECT_TRUE(TTextFinder("").FoundIn(""));
    EXPECT_FALSE(TTextFinder("ab").FoundIn("a"));
}

TEST(TextFinder, FindsProjectsByNameCategoryOrATasksNotesInAnyLetterCase)
{
    TProjects projects = GeneratedPlanner(300);
    projects[17].Tasks[12].Notes = "Pay the \xDC"
                                   "berweisung first";             // Ü
    projects[205].Tasks[0].Description = "Order the CAF\xC9 sign"; // É
    projects[42].Name = "Garden shed";

    EXPECT_EQ(Matching(projects,
                       "\xFC"
                       "BERWEISUNG"),
              (std::vector<int>{17}));                                 // ü
    EXPECT_EQ(Matching(projects, "caf\xE9"), (std::vector<int>{205})); // é
    EXPECT_EQ(Matching(projects, "GARDEN"), (std::vector<int>{42}));
    EXPECT_EQ(Matching(projects, "category 6").size(), 300u / 7);
    EXPECT_EQ(Matching(projects, "client\r\nABOUT").size(), 300u); // across a line break in the notes
    EXPECT_TRUE(Matching(projects, "nowhere").empty());
    EXPECT_EQ(Matching(projects, "").size(), 300u);
}

TEST(TextFinder, MarksTheTasksWhoseDescriptionOrNotesMatch)
{
    const TTextFinder finder("BUDGET");
    EXPECT_TRUE(TaskMatches(TTask(false, "a", "the budget", "", ""), finder));
    EXPECT_TRUE(TaskMatches(TTask(false, "Budget", "", "", ""), finder));
    EXPECT_FALSE(TaskMatches(TTask(false, "a", "b", "budget", "budget"), finder)); // dates do not count
}
