#pragma once
// An ordered list of texts, such as the category names.

#include <string>
#include <string_view>
#include <vector>

class TTextList {
public:
    static constexpr int NotFound = -1;

    int Count() const { return static_cast<int>(Items.size()); }
    const std::string& operator[](int index) const { return Items.at(static_cast<std::size_t>(index)); }
    void Append(std::string text) { Items.push_back(std::move(text)); }
    void Replace(int index, std::string text) { Items.at(static_cast<std::size_t>(index)) = std::move(text); }
    void Delete(int index);
    void Assign(std::vector<std::string> items) { Items = std::move(items); }
    void Clear() { Items.clear(); }
    // Position of the first entry equal to `text` with letter case ignored, or NotFound.
    [[nodiscard]] int IndexOfIgnoringCase(std::string_view text) const;

    const std::vector<std::string>& All() const { return Items; }

private:
    std::vector<std::string> Items;
};
