#pragma once
// What every window test pins, so that no machine's locale or fonts change the outcome:
// month/day/year dates and Arial's metric twin where Arial is missing.

#include <QFont>
#include <QLocale>

inline void PinLocaleAndFonts()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
