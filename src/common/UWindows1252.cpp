#include "common/UWindows1252.h"

#include <array>
#include <optional>

namespace {

// Unicode of the bytes 0x80 to 0x9F; the undefined ones map to themselves.
constexpr std::array<char16_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Windows-1252 holds nothing above U+FFFF, so three bytes are the most a character needs.
void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The character that starts at `at`, which moves past it; none for an ill-formed sequence
// (RFC 3629, section 4: overlong forms, surrogates and values above U+10FFFF included).
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    // The lead byte's high bits give the length; each length has its smallest character.
    std::size_t length = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0)
        length = 2, smallest = 0x80;
    else if ((lead & 0xF0) == 0xE0)
        length = 3, smallest = 0x800;
    else if ((lead & 0xF8) == 0xF0)
        length = 4, smallest = 0x10000;
    else
        return std::nullopt;
    char32_t character = lead & (0x7F >> length);
    if (text.size() - at < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        character = (character << 6) | (next & 0x3F);
    }
    if (character < smallest || character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF))
        return std::nullopt;
    at += length;
    return character;
}

} // namespace

char16_t Windows1252ToUnicode(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? HighControlRange[byte - 0x80] : char16_t{byte};
}

std::optional<char> UnicodeToWindows1252(char32_t character)
{
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF))
        return static_cast<char>(character);
    for (std::size_t i = 0; i < HighControlRange.size(); ++i)
        if (HighControlRange[i] == character)
            return static_cast<char>(0x80 + i);
    return std::nullopt;
}

std::string Windows1252ToUtf8(std::string_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (const char c : text)
        AppendUtf8(utf8, Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return utf8;
}

bool IsUtf8BeyondAscii(std::string_view text)
{
    bool beyondAscii = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto character = NextCharacter(text, at);
        if (!character)
            return false;
        beyondAscii = beyondAscii || *character >= 0x80;
    }
    return beyondAscii;
}

TUtf8Conversion Utf8ToWindows1252(std::string_view utf8)
{
    TUtf8Conversion result;
    result.Text.reserve(utf8.size());
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t start = at;
        const char32_t character = NextCharacter(utf8, at).value_or(0xFFFD);
        const auto byte = UnicodeToWindows1252(character);
        if (!byte) {
            result.Lacking = character;
            result.LackingUtf8 = utf8.substr(start, at - start);
            result.Line = line;
            result.Column = column;
            return result;
        }
        result.Text += *byte;
        // CR LF ends one line, so the LF after a CR starts none of its own.
        const bool lineEnd = character == '\n' ? start == 0 || utf8[start - 1] != '\r' : character == '\r';
        if (lineEnd)
            ++line, column = 1;
        else if (character != '\n')
            ++column;
    }
    return result;
}
