#include "ui/UDates.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

QString ShortDateFormat(const QLocale& locale)
{
    // A machine with no language set (the C locale) gets the month/day/year form, which is
    // what planner files are most often written in.
    if (locale.language() == QLocale::C)
        return QStringLiteral("M/d/yyyy");
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return format;
}

} // namespace

QString ShortDateText(const QDate& date)
{
    const QLocale locale;
    return locale.toString(date, ShortDateFormat(locale));
}

QDate DateOfShortDateText(const QString& text)
{
    const QLocale locale;
    return locale.toDate(text, ShortDateFormat(locale));
}
