#include "ui/UDateFieldFormat.h"

#include <QLocale>
#include <QStringList>

namespace {

using TPart = TDateFieldFormat::TPart;

int SlotWidth(TPart part)
{
    return part == TPart::Year ? 4 : 2;
}

int Largest(TPart part)
{
    switch (part) {
    case TPart::Day:
        return 31;
    case TPart::Month:
        return 12;
    case TPart::Year:
        break;
    }
    return 9999;
}

// Days and months may be padded with leading blanks, years not.
QStringView Digits(QStringView slot, TPart part)
{
    if (part != TPart::Year)
        while (!slot.isEmpty() && slot.front() == QLatin1Char(' '))
            slot = slot.mid(1);
    return slot;
}

bool AllDigits(QStringView text)
{
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

TDateFieldFormat TDateFieldFormat::FromLocale(const QLocale& locale)
{
    TDateFieldFormat format;
    if (locale.language() == QLocale::C)
        return format;
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    int found = 0;
    bool separatorFound = false;
    for (qsizetype i = 0; i < pattern.size() && found < 3;) {
        const QChar c = pattern[i];
        qsizetype run = 1;
        while (i + run < pattern.size() && pattern[i + run] == c)
            ++run;
        if (c == QLatin1Char('d') && run <= 2)
            format.Order[found++] = TPart::Day; // "ddd" and "dddd" name the weekday
        else if (c == QLatin1Char('M'))
            format.Order[found++] = TPart::Month;
        else if (c == QLatin1Char('y'))
            format.Order[found++] = TPart::Year;
        else if (found == 1 && !separatorFound && !c.isSpace() && c.category() != QChar::Other_Format &&
                 !c.isLetterOrNumber() && c != QLatin1Char('\'')) {
            // The first visible mark between the first two parts; blanks and direction
            // marks around it (as in "yyyy. MM. dd." or Arabic) are left out.
            format.Separator = c;
            separatorFound = true;
        }
        i += run;
    }
    if (found < 3 || !separatorFound)
        return TDateFieldFormat();
    return format;
}

QString TDateFieldFormat::Text(const QDate& date) const
{
    QStringList parts;
    for (TPart part : Order) {
        switch (part) {
        case TPart::Day:
            parts << QStringLiteral("%1").arg(date.day(), 2);
            break;
        case TPart::Month:
            parts << QStringLiteral("%1").arg(date.month(), 2);
            break;
        case TPart::Year:
            parts << QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
            break;
        }
    }
    return parts.join(Separator);
}

QDate TDateFieldFormat::DateOf(const QString& text) const
{
    const QStringList parts = text.split(Separator);
    if (parts.size() != 3)
        return {};
    std::array<int, 3> values{}; // day, month, year
    for (int i = 0; i < 3; ++i) {
        const TPart part = Order[static_cast<std::size_t>(i)];
        const QStringView digits = Digits(parts[i], part);
        if (parts[i].size() > SlotWidth(part) || digits.isEmpty() || !AllDigits(digits) ||
            (part == TPart::Year && digits.size() != 4))
            return {};
        values[static_cast<std::size_t>(part)] = digits.toInt();
    }
    const QDate first(values[2], values[1], 1);
    if (!first.isValid() || values[0] < 1 || values[0] > 31)
        return {};
    return first.addDays(std::min(values[0], first.daysInMonth()) - 1);
}

QValidator::State TDateFieldFormat::Check(const QString& text) const
{
    if (text.isEmpty())
        return QValidator::Acceptable;
    const QStringList parts = text.split(Separator);
    if (parts.size() > 3)
        return QValidator::Invalid;
    bool finished = parts.size() == 3;
    std::array<int, 3> values{}; // day, month, year; 0 while not typed
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const TPart part = Order[static_cast<std::size_t>(i)];
        const QStringView digits = Digits(parts[i], part);
        if (parts[i].size() > SlotWidth(part) || !AllDigits(digits))
            return QValidator::Invalid;
        const int value = digits.toInt();
        // A lone "0" may still become "05"; "00" or "0000" never becomes a date.
        if (value > Largest(part) || (value == 0 && digits.size() == SlotWidth(part)))
            return QValidator::Invalid;
        if (value == 0 || (part == TPart::Year && digits.size() < 4))
            finished = false;
        values[static_cast<std::size_t>(part)] = value;
    }
    const int day = values[0];
    const int month = values[1];
    // No year has a 30 February or a 31 April; a 29 February waits for the year.
    if (day > 0 && month > 0 && day > QDate(2000, month, 1).daysInMonth())
        return QValidator::Invalid;
    if (!finished)
        return QValidator::Intermediate;
    const QDate date(values[2], month, day);
    return date.isValid() && Text(date) == text ? QValidator::Acceptable : QValidator::Intermediate;
}
