#pragma once
// The tasks as a spreadsheet table (RFC 4180), in UTF-8 with a byte order mark so that
// spreadsheets read the accents.

#include <string>

class TDateReader;
struct TExportSet;

// A header row, then one row per task: project, category, done ("Yes" or "No"), description,
// notes, start and end date. A project without tasks gets one row with the task's columns
// empty, so that it is not lost. A date reads as year-month-day when it is a date under the
// user's settings, else as it is stored.
[[nodiscard]] std::string FormatTasksCsv(const TExportSet& set, const TDateReader& dates);
