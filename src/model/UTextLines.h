#pragma once
// Lines of the data files: read split at CR LF, lone CR or lone LF; written with CR LF.

#include <cstring>
#include <string>
#include <string_view>

namespace text_lines_detail {

// The position of the first `c` at or after `from`, or `size` when there is none.
template <class Char>
std::size_t Find(Char* text, std::size_t size, std::size_t from, char c)
{
    const void* found = std::memchr(text + from, c, size - from);
    return found == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(found) - text);
}

} // namespace text_lines_detail

// Calls `visit(line, length)` for every line of the `size` bytes at `text`. Text after the
// last line break counts as a line only when it is not empty. The next CR and the next LF are
// each looked for once, with memchr, and remembered, so the whole text is scanned once. The
// visitor may rewrite its line, and the first byte of the break after it.
template <class Char, class Visitor>
void ForEachLineIn(Char* text, std::size_t size, Visitor&& visit)
{
    using text_lines_detail::Find;
    std::size_t start = 0;
    std::size_t nextCr = 0;
    std::size_t nextLf = 0;
    bool crKnown = false;
    bool lfKnown = false;
    while (start < size) {
        if (!crKnown || nextCr < start) {
            nextCr = Find(text, size, start, '\r');
            crKnown = true;
        }
        if (!lfKnown || nextLf < start) {
            nextLf = Find(text, size, start, '\n');
            lfKnown = true;
        }
        const std::size_t end = nextCr < nextLf ? nextCr : nextLf;
        if (end == size) {
            visit(text + start, size - start);
            return;
        }
        const std::size_t next = end + (end == nextCr && nextLf == end + 1 ? 2 : 1);
        visit(text + start, end - start);
        start = next;
    }
}

template <class Visitor>
void ForEachLine(std::string_view text, Visitor&& visit)
{
    ForEachLineIn(text.data(), text.size(), [&](const char* line, std::size_t length) {
        visit(std::string_view(line, length));
    });
}

// The number of lines ForEachLine finds.
[[nodiscard]] std::size_t CountLines(std::string_view text);

// True when the line holds nothing but characters with codes 0x01 to 0x20.
bool IsBlankLine(std::string_view line);

// `line` without its leading characters of codes 0x01 to 0x20.
std::string_view TrimLeftBlanks(std::string_view line);
// `line` without its leading and trailing characters of codes 0x01 to 0x20.
std::string_view TrimBlanks(std::string_view line);
