#include "ui/THtmlView.h"

#include "TRecordingBrowser.h"
#include "TTempFolder.h"
#include "TTestPictures.h"
#include "http/ScriptedHttpServer.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTextDocument>

class THtmlViewTest : public QObject {
    Q_OBJECT

private:
    static std::string PngAnswer(int delayMs, TScriptedAnswer& answer)
    {
        const std::string png = Encoded(RedBlue(40, 30), "PNG");
        answer.Bytes = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: " + std::to_string(png.size()) +
            "\r\nConnection: close\r\n\r\n" + png;
        answer.Close = true;
        answer.DelayMs = delayMs;
        return png;
    }

    static QImage Picture(THtmlView& view, const QUrl& address)
    {
        return view.document()->resource(QTextDocument::ImageResource, address).value<QImage>();
    }

private slots:
    void webPicturesArriveInTheBackground()
    {
        TScriptedHttpServer server;
        TScriptedAnswer answer;
        PngAnswer(400, answer);
        server.Enqueue(answer);
        TRecordingBrowser browser;
        THtmlView view(browser);
        view.resize(400, 300);
        view.show();
        const std::string address = server.Url("/welcome.png");
        QElapsedTimer shown;
        shown.start();
        view.ShowDocument(QString::fromStdString("<p>Hello</p><img src=\"" + address + "\">"));
        QVERIFY(shown.elapsed() < 300); // the server answers only after 400 ms
        QVERIFY(view.toPlainText().contains(QStringLiteral("Hello")));
        const QUrl url(QString::fromStdString(address));
        QTRY_VERIFY(!Picture(view, url).isNull());
        QCOMPARE(Picture(view, url).size(), QSize(40, 30));
        QCOMPARE(server.Requests().size(), 1u); // fetched once, also when laid out again
    }

    void localPicturesAreNeverRead()
    {
        TTempFolder folder;
        folder.Write("secret.png", Encoded(RedBlue(4, 4), "PNG"));
        TRecordingBrowser browser;
        THtmlView view(browser);
        view.setSearchPaths({QString::fromStdString(folder.Path().string())});
        const QString local = QString::fromStdString(folder.File("secret.png"));
        view.ShowDocument("<img src=\"file://" + local + "\"><img src=\"secret.png\">");
        QVERIFY(Picture(view, QUrl::fromLocalFile(local)).isNull());
        QVERIFY(Picture(view, QUrl(QStringLiteral("secret.png"))).isNull());
    }

    void aClickedLinkOpensInTheBrowserAndTheViewStays()
    {
        TRecordingBrowser browser;
        THtmlView view(browser);
        view.ShowDocument(
            QStringLiteral("<a href=\"http://shop.example/buy\">buy</a> <a href=\"file:///bin/sh\">sh</a>"));
        emit view.anchorClicked(QUrl(QStringLiteral("http://shop.example/buy")));
        emit view.anchorClicked(QUrl(QStringLiteral("file:///bin/sh")));
        QCOMPARE(browser.Opened, std::vector<std::string>{"http://shop.example/buy"});
        QVERIFY(view.source().isEmpty());
        QVERIFY(view.toPlainText().contains(QStringLiteral("buy")));
        QVERIFY(view.isReadOnly());
    }

    // Unbounded, each of these took minutes to lay out or overflowed the stack.
    void aHostileDocumentShowsWithinItsBounds()
    {
        TRecordingBrowser browser;
        THtmlView view(browser);
        view.resize(400, 300);
        view.show();
        QString html;
        for (int i = 0; i < 20; ++i)
            html += QStringLiteral("<table><tr><td>");
        for (int i = 0; i < 3000; ++i)
            html += QStringLiteral("<div>");
        view.ShowDocument(html + QString(400000, u'w') + QStringLiteral("<p>end"));
        QVERIFY(view.toPlainText().endsWith(QStringLiteral("end")));
    }
};

QTEST_MAIN(THtmlViewTest)
#include "THtmlViewTest.moc"
