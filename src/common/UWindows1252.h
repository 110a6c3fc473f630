#pragma once
// Windows-1252 and UTF-8, for the publisher's plain settings files and the terminal. Every
// byte maps to one character; the five bytes Windows-1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) map to the control characters of the same number, so a round trip
// through UTF-8 gives every byte back.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One byte's character; one character's byte, none when the code page lacks it.
char16_t Windows1252ToUnicode(unsigned char byte);
std::optional<char> UnicodeToWindows1252(char32_t character);

std::string Windows1252ToUtf8(std::string_view text);

// Whether `text` is well-formed UTF-8 (RFC 3629: shortest forms only, no surrogates,
// nothing above U+10FFFF) holding at least one character outside ASCII.
bool IsUtf8BeyondAscii(std::string_view text);

struct TUtf8Conversion {
    std::string Text;        // the Windows-1252 bytes; complete only when Lacking is 0
    char32_t Lacking = 0;    // the first character Windows-1252 cannot hold; 0: none
    std::string LackingUtf8; // that character as it stands in the UTF-8 text
    std::size_t Line = 0;    // its line (CR LF, CR or LF end one) and column, in characters,
    std::size_t Column = 0;  // both from 1
};

// Converts well-formed UTF-8 (see IsUtf8BeyondAscii) into Windows-1252; stops at the first
// character that code page lacks.
TUtf8Conversion Utf8ToWindows1252(std::string_view utf8);
