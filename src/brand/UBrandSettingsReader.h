#pragma once
// Reading of the branding settings text: the working text, the elements in their fixed
// order and the numbered lists. Widget-free, on bytes, so the program, the publisher's
// check and the fuzzer share one reader.

#include "brand/UBrandSettings.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int MaxListEntries = 16;

// The text the elements are searched in: the lines of `plain` up to its first NUL byte,
// split at CR LF, CR or LF, each followed by CR LF.
std::string WorkingText(std::string_view plain);

// The value between `openTag` and the next `closeTag` (tags matched ignoring ASCII letter
// case); empty when either is missing. When the open tag is found, `text` is shortened to
// start at the close tag, or right after the open tag when there is no close tag; so every
// later search only sees what follows.
std::string ExtractTagValue(std::string_view openTag, std::string_view closeTag, std::string_view& text);

// One element as the reader looked for it, for the publisher's check.
struct TElementRead {
    std::string Name;                       // "ApplicationName", "Welcome3" ...
    std::size_t Offset = std::string::npos; // of its open tag in the working text; npos: not found
    bool Closed = false;                    // its close tag followed
    std::string Value;                      // as found, before any substitution
};

// The values and lists of a settings text; nothing is chosen yet. Sets Loaded. When
// `reads` is given, every element looked for is appended to it in reading order.
TBrandSettings ParseBrandSettings(std::string_view plain, std::vector<TElementRead>* reads = nullptr);
