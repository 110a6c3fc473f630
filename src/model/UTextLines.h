#pragma once
// Lines of the data files: read split at CR LF, lone CR or lone LF; written with CR LF.

#include <string>
#include <string_view>

// Calls `visit(line)` for every line of `text`. Text after the last line break counts as a
// line only when it is not empty.
template <class Visitor>
void ForEachLine(std::string_view text, Visitor&& visit)
{
    std::string_view::size_type start = 0;
    const auto size = text.size();
    while (start < size) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < size && text[end + 1] == '\n') ? 2 : 1);
    }
}

// True when the line holds nothing but characters with codes 0x01 to 0x20.
bool IsBlankLine(std::string_view line);

// `line` without its leading characters of codes 0x01 to 0x20.
std::string_view TrimLeftBlanks(std::string_view line);
// `line` without its leading and trailing characters of codes 0x01 to 0x20.
std::string_view TrimBlanks(std::string_view line);

inline void AppendLine(std::string& text, std::string_view line)
{
    text.append(line);
    text.append("\r\n");
}
