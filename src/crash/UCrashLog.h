#pragma once
// The crash log "crash.log" in the program folder: the reports of the program's crashes,
// newest first, the file kept under 64 KB. Each report starts with a header line that says
// whether a start has offered it to the user yet.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

class TProgramFolder;

inline constexpr std::string_view CrashLogName = "crash.log";
inline constexpr std::size_t MaxCrashLogBytes = 64 * 1024 - 1;
inline constexpr std::string_view NewCrashReportHeader = "=== Taskwren crash report (new) ===\n";
inline constexpr std::string_view OfferedCrashReportHeader = "=== Taskwren crash report ===\n";
// Where a report begins, offered or not: a header at the start of a line. A message inside a
// report may hold the header's words, but never a line break.
inline constexpr std::string_view CrashReportBoundary = "\n=== Taskwren crash report";

// The newest report when no start has offered it yet, with the header of an offered one. The
// log is first rewritten with every report marked offered; when that fails (a folder that
// cannot be written) there is none, so that no report is ever offered twice.
[[nodiscard]] std::optional<std::string> TakeUnofferedCrashReport(TProgramFolder& folder);
