#include "ui/ULocaleDateReader.h"

#include "ui/UAnsiText.h"
#include "ui/UDates.h"

#include <QLocale>

namespace {

std::optional<TCalendarDay> DayOf(const QDate& date)
{
    if (!date.isValid())
        return std::nullopt;
    return TCalendarDay{date.year(), date.month(), date.day()};
}

} // namespace

TLocaleDateReader::TLocaleDateReader()
    : FieldFormat(TDateFieldFormat::FromLocale(QLocale()))
{
}

std::optional<TCalendarDay> TLocaleDateReader::FieldDate(std::string_view text) const
{
    return DayOf(FieldFormat.DateOf(AnsiToQString(text)));
}

std::optional<TCalendarDay> TLocaleDateReader::DayDate(std::string_view text) const
{
    return DayOf(DateOfShortDateText(AnsiToQString(text)));
}
