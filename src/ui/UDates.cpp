#include "ui/UDates.h"

#include <QLocale>
#include <QRegularExpression>

QString ShortDateText(const QDate& date)
{
    const QLocale locale;
    // A machine with no language set (the C locale) gets the month/day/year form, which is
    // what planner files are most often written in.
    if (locale.language() == QLocale::C)
        return date.toString(QStringLiteral("M/d/yyyy"));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}
