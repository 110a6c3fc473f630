#pragma once

#include <QDate>
#include <QString>

// The user's short date text of a day, as hour entries are keyed by. A two-digit year in
// the locale's short format is widened to four digits, so that the text names the day
// unambiguously (7/5/2008, not 7/5/08). Without a language (the C locale): M/d/yyyy.
QString ShortDateText(const QDate& date);
// The day a short date text names under the same settings; an invalid date for a text
// written under others.
QDate DateOfShortDateText(const QString& text);
