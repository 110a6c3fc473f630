#include "ui/THtmlView.h"

#include "common/UHtmlBounds.h"
#include "ui/UAnsiText.h"
#include "ui/UBrowserLauncher.h"

#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// A welcome page's picture larger than this is not shown: it would only hold memory.
constexpr qint64 LargestPicture = 8 * 1024 * 1024;
constexpr int PictureTimeoutMs = 30000;

bool IsWebAddress(const QUrl& address)
{
    return address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https");
}

} // namespace

THtmlView::THtmlView(TBrowserLauncher& browser, QWidget* parent)
    : QTextBrowser(parent)
    , Browser(browser)
{
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { OpenInBrowser(Browser, QStringToAnsi(link.toString())); });
}

void THtmlView::ShowDocument(const QString& html)
{
    Requested.clear();
    const QByteArray markup = html.toUtf8();
    setHtml(QString::fromStdString(BoundedHtml(std::string_view(markup.constData(), markup.size()))));
}

QVariant THtmlView::loadResource(int type, const QUrl& name)
{
    // Only pictures from the web are shown, once they arrive; a local file is never read.
    // The answer is an empty resource, not none: for none the document reads local files.
    if (type != QTextDocument::ImageResource)
        return QString();
    if (IsWebAddress(name))
        Fetch(name);
    return QImage();
}

void THtmlView::Fetch(const QUrl& address)
{
    if (Requested.contains(address))
        return;
    Requested.insert(address);
    if (Network == nullptr) { // made for the first picture: most pages have none
        Network = new QNetworkAccessManager(this);
        connect(Network, &QNetworkAccessManager::finished, this, &THtmlView::PictureArrived);
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(PictureTimeoutMs);
    QNetworkReply* reply = Network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > LargestPicture)
            reply->abort();
    });
}

void THtmlView::PictureArrived(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return;
    const QImage picture = QImage::fromData(reply->readAll());
    if (picture.isNull())
        return;
    document()->addResource(QTextDocument::ImageResource, reply->request().url(), picture);
    // Lays the document out again, now with the picture's size.
    document()->markContentsDirty(0, document()->characterCount());
}
