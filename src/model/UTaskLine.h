#pragma once
// The task line of the projects file: fields separated by "," and quoted with "^", where a
// doubled "^^" inside a quoted field stands for one "^".

#include <string>
#include <string_view>
#include <vector>

// Clears `fields` and fills it with the fields of `line`.
void ParseTaskLine(std::string_view line, std::vector<std::string>& fields);
