#pragma once
// The program's own command line: --help and --version, answered before any window system is
// needed. Qt's own options (-platform, -style, -display...) are left for Qt; anything else is
// refused.

#include <QString>
#include <QStringList>

struct TCommandLine {
    enum class TAction { Run, ShowHelp, ShowVersion, Refuse };
    TAction Action = TAction::Run;
    // What to print: the help or version text, or the one-line refusal.
    QString Text;
};

// `arguments` includes the program name first, as argv does.
[[nodiscard]] TCommandLine ReadCommandLine(const QStringList& arguments);
