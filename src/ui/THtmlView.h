#pragma once
// The HTML view: shows a document given as markup, read-only. Pictures from web addresses
// arrive in the background, so the window never waits on them; other pictures (local files)
// are never read. A clicked link opens in the web browser; the view itself never navigates,
// and it runs no scripts.

#include <QSet>
#include <QTextBrowser>

#include <memory>

class TBrowserLauncher;
class TWebPictures;

class THtmlView : public QTextBrowser {
    Q_OBJECT

public:
    explicit THtmlView(TBrowserLauncher& browser, QWidget* parent = nullptr);
    ~THtmlView() override;

    // Shows `html` (the document's markup) from its start, within the bounds that keep its
    // layout short (see UHtmlBounds).
    void ShowDocument(const QString& html);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void Fetch(const QUrl& address);
    void PictureArrived(const QUrl& address, const QImage& picture);

    TBrowserLauncher& Browser;
    std::unique_ptr<TWebPictures> Pictures;
    QSet<QUrl> Requested; // each picture is fetched once per document
};
