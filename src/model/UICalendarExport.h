#pragma once
// The planner as an iCalendar object (RFC 5545), built and written by libical: each project
// a to-do, each task a to-do related to its project, each hourly action a one-hour event.

#include <ctime>
#include <string>

class TDateReader;
struct TExportSet;

struct TICalendarExport {
    std::string Text;     // UTF-8, CR LF line ends, long lines folded
    int HoursLeftOut = 0; // hourly actions whose day or hour could not be read
};

// `stamp` is the moment of the export (DTSTAMP). A project's or task's date that is not a
// date under the user's settings is left out of its to-do; an hourly action whose day or
// hour cannot be read has no time to be an event at, and is left out and counted.
[[nodiscard]] TICalendarExport FormatICalendar(const TExportSet& set, const TDateReader& dates, std::time_t stamp);

// The hour of the day that the hour row captioned `caption` stands for ("1:00 AM" is 1,
// "12:00 M" noon, "11:00 PM" 23, and "12:00 PM", the last row, 24: midnight at the end of
// the day). Letter case is ignored, as in the hour keys. 0 when it is no row's caption.
[[nodiscard]] int HourOfRow(std::string_view caption);
