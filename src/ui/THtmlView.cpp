#include "ui/THtmlView.h"

#include "common/UHtmlBounds.h"
#include "ondemand/UOnDemand.h"
#include "ui/UAnsiText.h"
#include "ui/UBrowserLauncher.h"
#include "ui/UOnDemandLoader.h"

#include <QImage>

namespace {

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

THtmlView::~THtmlView() = default;

void THtmlView::Fetch(const QUrl& address)
{
    if (Requested.contains(address))
        return;
    Requested.insert(address);
    if (Pictures == nullptr) { // made for the first picture: most pages have none
        const TOnDemand* functions = OnDemand();
        if (functions == nullptr)
            return; // the page shows without its pictures
        Pictures.reset(functions->NewWebPictures(
            [this](const QUrl& picture, const QImage& image) { PictureArrived(picture, image); }));
    }
    Pictures->Fetch(address);
}

void THtmlView::PictureArrived(const QUrl& address, const QImage& picture)
{
    if (picture.isNull())
        return;
    document()->addResource(QTextDocument::ImageResource, address, picture);
    // Lays the document out again, now with the picture's size.
    document()->markContentsDirty(0, document()->characterCount());
}
