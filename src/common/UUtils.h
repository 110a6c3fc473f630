#pragma once
// Routines shared by several subsystems. All text is single-byte Windows-1252.

#include <string>
#include <string_view>
#include <vector>

// Clears `list`, then appends every field of `text` ended by `separator`, even an empty
// one; the text after the last separator is appended only when it is not empty.
// "a^^b" gives a, "", b; "a^" gives a; "^" gives one empty field; "" gives none.
void SplitByChar(char separator, std::string_view text, std::vector<std::string>& list);

// Storage escape of line breaks: CR becomes 0xA5 0xA5, LF becomes 0xA7 0xA7.
std::string EncodeLineBreaks(std::string_view text);
// The reverse of EncodeLineBreaks: 0xA5 0xA5 becomes CR, then 0xA7 0xA7 becomes LF.
std::string DecodeLineBreaks(std::string_view text);
// For one-line display: every CR and every LF becomes a blank.
std::string FlattenLineBreaks(std::string_view text);
