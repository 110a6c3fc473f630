#pragma once
// What every window test pins, so that no machine's locale or fonts change the outcome:
// month/day/year dates, Arial's metric twin where Arial is missing, and an update
// directory on this machine.

#include <QFont>
#include <QLocale>

inline void PinLocaleAndFonts()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}

// No window test reaches beyond the machine: the update check is refused at once.
inline constexpr const char* RefusingUpdateDirectory = "http://127.0.0.1:1/liveupdate/taskwren/";
