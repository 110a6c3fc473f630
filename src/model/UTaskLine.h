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
