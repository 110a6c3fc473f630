#pragma once
// The text of a date field: the parts in the order of the user's short date format, joined by
// its separator, day and month each in a two-character slot padded with a blank, the year in
// four digits: " 7/ 5/2008" under month/day/year, " 5. 7.2008" under day.month.year,
// "2008/ 7/ 5" under year/month/day. Other orders and widths of the locale (month names,
// two-digit years) are not followed, so that every date reads back unambiguously.

#include <QDate>
#include <QString>
#include <QValidator>

#include <array>

class QLocale;

class TDateFieldFormat {
public:
    enum class TPart { Day, Month, Year };

    // The order and separator of `locale`'s short date format. The C locale, which has no
    // user settings, gets month/day/year with "/", like the keys of the hour entries.
    [[nodiscard]] static TDateFieldFormat FromLocale(const QLocale& locale);

    [[nodiscard]] QString Text(const QDate& date) const;
    // The date that a text in this form names, with any padding ("7/5/2008", "07/05/2008"),
    // a day past the month's end cut to its last day; an invalid date for any other text.
    [[nodiscard]] QDate DateOf(const QString& text) const;
    // Acceptable for an empty text and a date written exactly in this form; Intermediate for
    // a text that typing can still make one of those; else Invalid.
    [[nodiscard]] QValidator::State Check(const QString& text) const;

    std::array<TPart, 3> Order{TPart::Month, TPart::Day, TPart::Year};
    QChar Separator = QLatin1Char('/');
};
