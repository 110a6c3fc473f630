#pragma once
// What the metafile targets share: the helper program's Qt set-up, without a window system.

#include <QGuiApplication>

#include <cstdlib>

inline void StartPictureHelperApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "taskwren-picture";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}
