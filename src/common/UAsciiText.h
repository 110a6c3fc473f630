#pragma once
// ASCII letter case and blanks, for protocol words and file names, where only ASCII
// letters have a case.

#include <algorithm>
#include <string>
#include <string_view>

constexpr char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

inline std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = LowerAscii(c);
    return lower;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::string_view::size_type i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

// Where `pattern` first occurs in `text` with ASCII letter case ignored; npos when nowhere.
inline std::string_view::size_type FindIgnoringAsciiCase(std::string_view text, std::string_view pattern)
{
    const auto at = std::search(text.begin(), text.end(), pattern.begin(), pattern.end(),
                                [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
    return at == text.end() && !pattern.empty() ? std::string_view::npos
                                                : static_cast<std::string_view::size_type>(at - text.begin());
}

// `text` without leading and trailing spaces and tabs.
constexpr std::string_view TrimSpacesAndTabs(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}
