#pragma once
// Finds the command that starts the user's web browser; the launcher adds the address.

#include <QStringList>

// The program and its arguments: the desktop's default browser entry (the handler of
// "x-scheme-handler/http" in the user's and the system's "mimeapps.list") with its address
// placeholders dropped, else Debian's "x-www-browser" when it is installed. Empty when there
// is neither.
QStringList DefaultBrowserCommand();

// The command of a desktop entry's "Exec" value: split at blanks outside double quotes,
// backslash escapes inside them undone, "%%" made "%", and the field codes (%u, %U, %f ...)
// dropped.
QStringList DesktopEntryCommand(const QString& exec);
