#include "model/UTextLines.h"

namespace {

bool IsBlank(char c)
{
    const auto code = static_cast<unsigned char>(c);
    return code >= 0x01 && code <= 0x20;
}

} // namespace

std::string_view TrimLeftBlanks(std::string_view line)
{
    std::string_view::size_type start = 0;
    while (start < line.size() && IsBlank(line[start]))
        ++start;
    return line.substr(start);
}

std::string_view TrimBlanks(std::string_view line)
{
    line = TrimLeftBlanks(line);
    auto end = line.size();
    while (end > 0 && IsBlank(line[end - 1]))
        --end;
    return line.substr(0, end);
}

bool IsBlankLine(std::string_view line)
{
    return TrimBlanks(line).empty();
}

std::size_t CountLines(std::string_view text)
{
    std::size_t count = 0;
    ForEachLine(text, [&](std::string_view) { ++count; });
    return count;
}
