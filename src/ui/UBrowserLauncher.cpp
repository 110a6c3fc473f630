#include "ui/UBrowserLauncher.h"

#include "common/UWebAddress.h"
#include "ui/UAnsiText.h"
#include "ui/UDefaultBrowser.h"

#include <QProcess>
#include <QStandardPaths>

bool TDesktopBrowserLauncher::Open(const std::string& address)
{
    // The browser gets the address as the settings give it, as its own argument. A QUrl would
    // re-encode every "%" once one is stray ("%%id%%" becoming "%25%25id%25%25").
    QStringList command = DefaultBrowserCommand();
    if (command.isEmpty() && !address.empty())
        command = QStringList{QStandardPaths::findExecutable(QStringLiteral("xdg-open"))};
    if (command.isEmpty() || command.first().isEmpty())
        return false;
    const QString program = command.takeFirst();
    if (!address.empty())
        command << AnsiToQString(address);
    return QProcess::startDetached(program, command);
}

bool OpenInBrowser(TBrowserLauncher& launcher, std::string_view address)
{
    const auto webAddress = WebAddress(address);
    return webAddress.has_value() && launcher.Open(*webAddress);
}
