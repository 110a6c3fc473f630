#pragma once
// Finding a piece of text in the model's texts with letter case ignored, as the model
// compares names (Windows-1252 letters included): the find field of the project tree.

#include <cstddef>
#include <string>
#include <string_view>

class TProject;
class TTask;

class TTextFinder {
public:
    explicit TTextFinder(std::string_view text);
    // Finds nothing: for a text typed with characters that no planner text can hold.
    static TTextFinder Nothing();

    // True for an empty text, which every text contains.
    [[nodiscard]] bool Empty() const { return Folded.empty() && !FindsNothing; }
    [[nodiscard]] bool FoundIn(std::string_view text) const;

private:
    std::string Folded;   // the text in lower case
    std::size_t Rare = 0; // the place in it of the letter least likely in a text
    char RareBytes[2]{};  // the bytes whose lower case is that letter
    int RareByteCount = 0;
    bool FindsNothing = false;
};

// The task's description or notes contain the text.
[[nodiscard]] bool TaskMatches(const TTask& task, const TTextFinder& finder);
// The project's name or category, or any of its tasks, contain the text.
[[nodiscard]] bool ProjectMatches(const TProject& project, const TTextFinder& finder);
