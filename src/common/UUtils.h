#pragma once
// Routines shared by several subsystems. All text is single-byte Windows-1252.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTextSink;

// Clears `list`, then appends every field of `text` ended by `separator`, even an empty
// one; the text after the last separator is appended only when it is not empty.
// "a^^b" gives a, "", b; "a^" gives a; "^" gives one empty field; "" gives none.
// Stops after `maxFields` fields, so that a reader that needs a few of them keeps no more.
void SplitByChar(char separator, std::string_view text, std::vector<std::string>& list,
                 std::size_t maxFields = SIZE_MAX);
// The same into views of `text`: fills at most `maxFields` of `fields`, returns how many.
std::size_t SplitByChar(char separator, std::string_view text, std::string_view* fields, std::size_t maxFields);

// Storage escape of line breaks: CR becomes 0xA5 0xA5, LF becomes 0xA7 0xA7.
std::string EncodeLineBreaks(std::string_view text);
// EncodeLineBreaks of `text` onto the end of `sink`.
void AppendEncodingLineBreaks(TTextSink& sink, std::string_view text);
// The reverse of EncodeLineBreaks: 0xA5 0xA5 becomes CR, then 0xA7 0xA7 becomes LF.
std::string DecodeLineBreaks(std::string_view text);
// The same in place, which only ever shortens the text; returns its new size.
std::size_t DecodeLineBreaksInPlace(char* text, std::size_t size);
// For one-line display: every CR and every LF becomes a blank.
std::string FlattenLineBreaks(std::string_view text);

// The news service's body escape: "$" and two hexadecimal digits stand for that byte, every
// other byte for itself. A "$" that is not followed by two such digits (a sign, a blank, the
// end of the text) makes the whole result empty; at the very end one digit is enough.
std::string DecodeHexEscapes(std::string_view text);
