#include "ui/UBrowserLauncher.h"

#include "ui/UAnsiText.h"

#include <QDesktopServices>
#include <QUrl>

void TDesktopBrowserLauncher::Open(const std::string& address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(AnsiToQString(address)));
}
