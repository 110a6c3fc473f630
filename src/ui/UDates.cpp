#include "ui/UDates.h"

#include <QLocale>
#include <QRegularExpression>

QString ShortDateText(const QDate& date)
{
    const QLocale locale;
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}
