#pragma once
// The text of "categories.dat" and of the projects file.

#include "common/TFileBytes.h"

#include <string>
#include <string_view>

class TProjects;
class TTextList;

// One name a line, each line exactly the name.
[[nodiscard]] std::string FormatCategories(const TTextList& categories);
// Replaces `categories` by the lines of `text`, blank ones included.
void ParseCategories(std::string_view text, TTextList& categories);

// For each project a header line, a line per task and "EndProject".
[[nodiscard]] std::string FormatProjects(const TProjects& projects);
// Appends the projects that `text` holds. Any bytes at all are read without failing.
void ParseProjects(std::string_view text, TProjects& projects);
// The same, decoding `bytes` in place; the texts read are views into them, which `projects` keeps.
void ParseProjects(TFileBytes bytes, TProjects& projects);
