#pragma once
// Whether the data files give a text back as it was written. Their fields are separated by
// "^" with no escape for it, and line breaks are stored as 0xA5 0xA5 (CR) and 0xA7 0xA7 (LF)
// with no escape for those bytes either, so some Windows-1252 texts would read back changed.

#include <string_view>

enum class TStorableFault {
    None,
    Caret,           // "^" moves the fields apart
    DoubledYen,      // 0xA5 0xA5 reads back as CR
    DoubledSection,  // 0xA7 0xA7 reads back as LF
    YenBeforeCr,     // 0xA5 CR reads back as CR 0xA5
    SectionBeforeLf, // 0xA7 LF reads back as LF 0xA7
    LineBreak,       // CR or LF in a one-line text, such as a name, splits its line
};

enum class TTextLines { One, Many };

// The first fault of `text`, reading from the left; None when the files keep it as it is.
[[nodiscard]] TStorableFault FindStorableFault(std::string_view text, TTextLines lines);
