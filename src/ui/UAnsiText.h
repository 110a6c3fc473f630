#pragma once
// Conversion between the model's Windows-1252 text and the widgets' QString. Every byte
// maps to one character and back, the five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) to the control characters of the same number, so an
// edit round trip loses nothing.

#include <QString>

#include <string>
#include <string_view>

QString AnsiToQString(std::string_view text);
// Characters that Windows-1252 cannot hold become "?".
std::string QStringToAnsi(const QString& text);
// The position of the first character that Windows-1252 cannot hold, or -1 when there is none.
qsizetype FindNonAnsiCharacter(const QString& text);
