#include "ui/UBrowserLauncher.h"

#include "common/UWebAddress.h"
#include "ui/UAnsiText.h"
#include "ui/UDefaultBrowser.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool TDesktopBrowserLauncher::Open(const std::string& address)
{
    if (!address.empty())
        return QDesktopServices::openUrl(QUrl(AnsiToQString(address), QUrl::TolerantMode));
    // No address to hand to a handler: start the browser program itself.
    QStringList command = DefaultBrowserCommand();
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    return QProcess::startDetached(program, command);
}

bool OpenInBrowser(TBrowserLauncher& launcher, std::string_view address)
{
    const auto webAddress = WebAddress(address);
    return webAddress.has_value() && launcher.Open(*webAddress);
}
