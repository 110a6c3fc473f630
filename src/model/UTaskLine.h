#pragma once
// The task line of the projects file: fields separated by "," and quoted with "^", where a
// doubled "^^" inside a quoted field stands for one "^".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Clears `fields` and fills it with the first `maxFields` fields of `line`; the rest of the
// line is not read.
void ParseTaskLine(std::string_view line, std::vector<std::string>& fields, std::size_t maxFields = SIZE_MAX);

// The same into `fields`, as views into the `size` bytes at `line`: a quoted field with a
// doubled "^" is rewritten in place, one "^" for each pair, which only ever shortens it.
// Returns the count of fields found, at most `maxFields`.
std::size_t ReadTaskLine(char* line, std::size_t size, std::string_view* fields, std::size_t maxFields);
