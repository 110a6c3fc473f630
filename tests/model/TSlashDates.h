#pragma once
// Dates as month/day/year, as under the C locale, for the exports' tests: " 7/ 5/2008" in a
// date field, "7/5/2008" in an hour key.

#include "model/UExportSet.h"

#include <cstdio>
#include <string>

class TSlashDates : public TDateReader {
public:
    std::optional<TCalendarDay> FieldDate(std::string_view text) const override { return Read(text); }
    std::optional<TCalendarDay> DayDate(std::string_view text) const override { return Read(text); }

private:
    static std::optional<TCalendarDay> Read(std::string_view text)
    {
        TCalendarDay day;
        int end = 0;
        const std::string copy(text);
        if (std::sscanf(copy.c_str(), "%d/%d/%4d%n", &day.Month, &day.Day, &day.Year, &end) != 3 ||
            end != static_cast<int>(copy.size()) || day.Month < 1 || day.Month > 12 || day.Day < 1 || day.Day > 31)
            return std::nullopt;
        return day;
    }
};
