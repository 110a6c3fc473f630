#pragma once
// The program's own pictures, painted at run time so that no image files need shipping.

#include <QIcon>
#include <QPixmap>

QIcon NewsIcon();          // a folded newspaper
QIcon UpdateIcon();        // two arrows turning around
QIcon HelpIcon();          // a question mark in a blue disc
QPixmap CategoryPicture(); // 16 by 16, a yellow folder
QPixmap ProjectPicture();  // 16 by 16, a green book
