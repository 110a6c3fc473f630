#pragma once
// The program's look: its skin, a Qt style sheet, and its icon. A built-in skin gives the
// windows their look; the publisher's skin file may replace it.

#include <QIcon>
#include <QPalette>
#include <QString>

#include <optional>
#include <string_view>

// The designed fonts as style sheet rules, to follow a skin: Arial at 14 pixels, the link
// labels' at 12, the about window's product name and the calendar's at 11.
QString DesignFonts();
// The grid lines of the report lists (MakeReportList), which hold under any skin too.
QString ReportListLines();

// A clean, light look for every window of the program.
QString BuiltInSkin();

// Every colour of the built-in look: dark texts on light backgrounds, whatever the desktop's
// theme. A skin file's style sheet draws over it.
QPalette BuiltInPalette();
// Gives the whole program, its tool tips and pop-ups included, the built-in palette, and its
// controls the design font from the start.
void UseBuiltInLook();

// The style sheet in a skin file, or none when the file is not style sheet text (a binary
// skin made for another toolkit): text holds no NUL byte and is valid UTF-8.
std::optional<QString> SkinFromFile(std::string_view bytes);

// `skin` without its font declarations: no skin may change the designed fonts, and a style
// sheet's fonts would win over the ones the windows set.
QString WithoutFonts(const QString& skin);

// Every picture of an icon file, or a null icon when it holds none.
QIcon IconFromFile(std::string_view bytes);
