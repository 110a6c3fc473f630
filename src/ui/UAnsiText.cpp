#include "ui/UAnsiText.h"

#include "common/UWindows1252.h"

namespace {

// A character the code page lacks becomes "?".
char ToAnsi(char16_t unit)
{
    return UnicodeToWindows1252(unit).value_or('?');
}

} // namespace

QString AnsiToQString(std::string_view text)
{
    QString result(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* out = result.data();
    for (char c : text)
        *out++ = QChar(Windows1252ToUnicode(static_cast<unsigned char>(c)));
    return result;
}

std::string QStringToAnsi(const QString& text)
{
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i; // one character outside the code page, one "?"
        result.push_back(ToAnsi(c.unicode()));
    }
    return result;
}

qsizetype FindNonAnsiCharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit != u'?' && ToAnsi(unit) == '?')
            return i;
    }
    return -1;
}
