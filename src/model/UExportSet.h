#pragma once
// What an export writes (one project, the projects of a category, or everything with the
// day planner) and how it reads the dates the model keeps as display text.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class THours;
class TProject;
class TProjects;

struct TCalendarDay {
    int Year = 0;
    int Month = 0; // 1 to 12
    int Day = 0;   // 1 to 31
};

// Reads the model's date texts under the user's date settings. A text that is not a date
// under them gives none: an export leaves that date out rather than guess.
class TDateReader {
public:
    virtual ~TDateReader() = default;
    // The text of a date field, as projects and tasks keep their dates (" 7/ 5/2008").
    [[nodiscard]] virtual std::optional<TCalendarDay> FieldDate(std::string_view text) const = 0;
    // The short date text of a day, as hour entries are keyed by ("7/5/2008").
    [[nodiscard]] virtual std::optional<TCalendarDay> DayDate(std::string_view text) const = 0;
};

// Which part of the planner to export: the project when there is one, else the category's
// projects when there is one, else everything.
struct TExportScope {
    int Project = -1;                    // position in the projects, or -1
    std::optional<std::string> Category; // the category's name
};

struct TExportSet {
    std::vector<const TProject*> Projects; // in the collection's order
    const THours* Hours = nullptr;         // the day planner, exported with everything only
};

// The projects and hours `scope` names. A category's projects are those filed under its name
// exactly, as the tree shows them.
[[nodiscard]] TExportSet SelectForExport(const TProjects& projects, const THours& hours, const TExportScope& scope);
