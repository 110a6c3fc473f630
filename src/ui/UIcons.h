#pragma once
// The program's own pictures, painted at run time, at whatever size and device pixel ratio
// they are shown, so that no image files need shipping.

#include <QIcon>

QIcon NewsIcon();     // a folded newspaper, designed at 28 by 28
QIcon UpdateIcon();   // two arrows turning around, 28 by 28
QIcon HelpIcon();     // a question mark in a blue disc, 28 by 28
QIcon CategoryIcon(); // a yellow folder, 16 by 16
QIcon ProjectIcon();  // a green book, 16 by 16
// The icon in `file`, read when its pictures are first asked for: an SVG file makes Qt load
// its SVG libraries, which a start on a desktop that shows no window icons never needs.
QIcon IconFromFileWhenShown(const QString& file);
