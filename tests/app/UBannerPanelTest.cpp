#include "app/UBannerPanel.h"

#include "TRecordingBrowser.h"
#include "TTempFolder.h"
#include "TTestPictures.h"
#include "UFindControl.h"
#include "brand/UBrandSettings.h"
#include "common/UProgramFolder.h"

#include <QFrame>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <memory>

class UBannerPanelTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTempFolder> Temp;
    std::unique_ptr<TProgramFolder> Folder;
    std::unique_ptr<QWidget> Host;
    TRecordingBrowser Browser;
    TBannerPanel* Pane = nullptr;

    // A settings file was read, with one banner entry and its data file "banner2.dat".
    static TBrandSettings WithBanner(const std::string& image, const std::string& address)
    {
        TBrandSettings settings;
        settings.Loaded = true;
        settings.BannerImage = image;
        settings.BannerNumber = 2;
        settings.BannerURL = address;
        settings.Link1Caption = "Shop";
        settings.Link1URL = "www.shop.example";
        return settings;
    }

    // A small JPEG whose frame header claims another size: decoding it would need that much.
    static QByteArray JpegClaiming(int width, int height)
    {
        QByteArray data = QByteArray::fromStdString(Encoded(RedBlue(16, 16), "JPEG"));
        const auto frame = data.indexOf(QByteArray("\xFF\xC0", 2)); // baseline frame: length, precision, height, width
        data[frame + 5] = static_cast<char>(height >> 8);
        data[frame + 6] = static_cast<char>(height & 0xFF);
        data[frame + 7] = static_cast<char>(width >> 8);
        data[frame + 8] = static_cast<char>(width & 0xFF);
        return data;
    }

    void Show(const TBrandSettings& settings) { Pane->ShowBranding(*Folder, settings); }

    QFrame* Panel() { return FindControl<QFrame>(Host.get(), "panBanner"); }
    QLabel* Still() { return FindControl<QLabel>(Host.get(), "imgBanner"); }
    QLabel* Animated() { return FindControl<QLabel>(Host.get(), "gifBanner"); }

private slots:
    void init()
    {
        Temp = std::make_unique<TTempFolder>();
        Folder = std::make_unique<TProgramFolder>(Temp->Path());
        Browser.Opened.clear();
        Host = std::make_unique<QWidget>();
        Pane = new TBannerPanel(Browser, TASKWREN_PICTURE_HELPER, Host.get());
        auto* layout = new QVBoxLayout(Host.get());
        auto* makeMoney = new QPushButton(QStringLiteral("Make Money"));
        makeMoney->setObjectName(QStringLiteral("btnMakeMoney"));
        auto* help = new QToolButton;
        help->setObjectName(QStringLiteral("btnHelp"));
        layout->addWidget(makeMoney);
        layout->addWidget(help);
        layout->addWidget(Pane->BannerPanel());
        layout->addWidget(Pane->LinksPanel());
        Pane->AttachButtons(makeMoney, help);
        Host->resize(772, 300);
        Host->show();
        QVERIFY(QTest::qWaitForWindowExposed(Host.get()));
    }

    void cleanup()
    {
        Host.reset();
        Temp.reset();
    }

    void stillPicturesShowAtTheirSizeInAPanelTenPixelsHigher_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("data");
        const QImage picture = RedBlue(105, 41);
        QTest::newRow("bmp") << "ad.bmp" << QByteArray::fromStdString(Encoded(picture, "BMP"));
        QTest::newRow("jpg, path and capitals")
            << "C:\\ads\\AD.JPG" << QByteArray::fromStdString(Encoded(picture, "JPEG"));
        QTest::newRow("jpeg") << "ad.jpeg" << QByteArray::fromStdString(Encoded(picture, "JPEG"));
        QTest::newRow("grey jpeg") << "grey.jpg"
                                   << QByteArray::fromStdString(
                                          Encoded(picture.convertToFormat(QImage::Format_Grayscale8), "JPEG"));
        QTest::newRow("ico") << "ad.ico" << QByteArray::fromStdString(Encoded(RedBlue(48, 41).scaled(105, 41), "ICO"));
        QTest::newRow("wmf") << "ad.wmf" << QByteArray::fromStdString(RedWmf(105, 41));
    }
    void stillPicturesShowAtTheirSizeInAPanelTenPixelsHigher()
    {
        QFETCH(QString, image);
        QFETCH(QByteArray, data);
        Temp->Write("banner2.dat", data.toStdString());
        Show(WithBanner(image.toStdString(), "http://ads.example/"));
        QVERIFY(Panel()->isVisible());
        QVERIFY(Still()->isVisible());
        QVERIFY(!Animated()->isVisible());
        QCOMPARE(Still()->size(), QSize(105, 41));
        QCOMPARE(Panel()->height(), 51);
        // The colours arrive in place: red at the left, blue (or a darker grey) at the right.
        const QImage shown = Still()->pixmap().toImage();
        const QRgb left = shown.pixel(10, 20);
        const QRgb right = shown.pixel(95, 20);
        if (image.contains(QStringLiteral("grey"))) {
            QVERIFY(qAbs(qRed(left) - qBlue(left)) < 8);
            QVERIFY(qGray(left) > qGray(right) + 20);
        } else {
            QVERIFY(qRed(left) > 200 && qBlue(left) < 60);
            QVERIFY(image == "ad.wmf" || (qBlue(right) > 200 && qRed(right) < 60));
        }
        QVERIFY(Temp->Has("banner2.dat")); // decoded in place, never renamed
        QCOMPARE(Temp->EntryCount(), 1u);
    }

    void aGifPlaysAsAnAnimationWhateverItsCase_data()
    {
        QTest::addColumn<QString>("image");
        QTest::newRow("lower") << "ad.gif";
        QTest::newRow("capitals") << "AD.GIF";
        QTest::newRow("in the middle") << "ad.gif.dat";
    }
    void aGifPlaysAsAnAnimationWhateverItsCase()
    {
        QFETCH(QString, image);
        Temp->Write("banner2.dat", TwoFrameGif(6, 4));
        Show(WithBanner(image.toStdString(), "http://ads.example/"));
        QVERIFY(Animated()->isVisible());
        QVERIFY(!Still()->isVisible());
        QCOMPARE(Animated()->size(), QSize(6, 4));
        QCOMPARE(Panel()->height(), 14);
        QMovie* movie = Animated()->movie();
        QVERIFY(movie != nullptr);
        QCOMPARE(movie->state(), QMovie::Running);
        QTRY_COMPARE(movie->currentFrameNumber(), 1); // it moves on to the blue frame
        QCOMPARE(qBlue(movie->currentImage().pixel(0, 0)), 255);
    }

    void aBannerThatCannotBeShownHidesThePanel_data()
    {
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("written");
        const QByteArray bmp = QByteArray::fromStdString(Encoded(RedBlue(8, 8), "BMP"));
        QTest::newRow("unknown format") << "ad.png" << bmp << true;
        QTest::newRow("no image name") << "" << bmp << true;
        QTest::newRow("no data file") << "ad.bmp" << bmp << false;
        QTest::newRow("bmp that is not") << "ad.bmp" << QByteArray("BM not a bitmap") << true;
        QTest::newRow("cut jpeg") << "ad.jpg" << QByteArray::fromStdString(Encoded(RedBlue(64, 64), "JPEG")).left(300)
                                  << true;
        QTest::newRow("jpeg garbage") << "ad.jpg" << QByteArray("\xFF\xD8\xFF garbage", 12) << true;
        // A few bytes that ask for 2.7 GB and a minute of decoding are refused at once.
        QTest::newRow("jpeg claiming 30000 by 30000") << "ad.jpg" << JpegClaiming(30000, 30000) << true;
        QTest::newRow("jpeg claiming 65000 by 20") << "ad.jpg" << JpegClaiming(65000, 20) << true;
        QTest::newRow("gif that is a bmp") << "ad.gif" << bmp << true;
        QByteArray wideBmp = bmp;
        wideBmp[18] = static_cast<char>(30000 & 0xFF); // the width, little-endian
        wideBmp[19] = static_cast<char>(30000 >> 8);
        QTest::newRow("bmp claiming 30000 by 8") << "ad.bmp" << wideBmp << true;
        // Seconds of decoding at each start, found by StillPicturesFuzz.
        QByteArray wideGif = QByteArray::fromStdString(TwoFrameGif(6, 4));
        wideGif[6] = static_cast<char>(0xF9);
        wideGif[7] = static_cast<char>(0xFF);
        wideGif[8] = static_cast<char>(0xFB);
        QTest::newRow("gif on a screen of 65529 by 251") << "ad.gif" << wideGif << true;
        QByteArray emptyScreenGif = QByteArray::fromStdString(TwoFrameGif(6, 4));
        emptyScreenGif[6] = emptyScreenGif[7] = 0;
        QTest::newRow("gif on a screen 0 wide") << "ad.gif" << emptyScreenGif << true;
        QTest::newRow("wmf garbage") << "ad.wmf" << QByteArray(64, 'x') << true;
        QTest::newRow("emf garbage") << "ad.emf" << QByteArray(64, 'x') << true;
        QTest::newRow("empty file") << "ad.jpg" << QByteArray() << true;
    }
    void aBannerThatCannotBeShownHidesThePanel()
    {
        QFETCH(QString, image);
        QFETCH(QByteArray, data);
        QFETCH(bool, written);
        if (written)
            Temp->Write("banner2.dat", data.toStdString());
        Show(WithBanner(image.toStdString(), "http://ads.example/"));
        QVERIFY(Panel()->isHidden());
        QVERIFY(FindControl<QFrame>(Host.get(), "panLinks")->isVisible()); // the rest goes on
        QCOMPARE(Temp->EntryCount(), written ? 1u : 0u);
    }

    void aJpegAtTheSizeLimitStillShows()
    {
        Temp->Write("banner2.dat", Encoded(RedBlue(4096, 8), "JPEG"));
        Show(WithBanner("ad.jpg", "http://ads.example/"));
        QVERIFY(Panel()->isVisible());
        QCOMPARE(Still()->size(), QSize(4096, 8));
    }

    void theBannerIsCentredWithEachOperandHalvedFirstAndFollowsThePanel()
    {
        Temp->Write("banner2.dat", Encoded(RedBlue(105, 41), "BMP"));
        Show(WithBanner("ad.bmp", "http://ads.example/"));
        Host->resize(Host->width() + (770 - Panel()->width()), Host->height());
        QTRY_COMPARE(Panel()->width(), 770);
        QCOMPARE(Still()->pos(), QPoint(385 - 52, 5)); // not (770 - 105) / 2
        Host->resize(Host->width() + 201, Host->height());
        QTRY_COMPARE(Still()->x(), Panel()->width() / 2 - 52);
    }

    void aBannerDirectoryInPlaceOfItsFileHidesThePanel()
    {
        std::filesystem::create_directory(Temp->Path() / "banner2.dat");
        Show(WithBanner("ad.bmp", "http://ads.example/"));
        QVERIFY(Panel()->isHidden());
    }

    void clicksOpenTheBannerAddressAndOnlyItShowsTheHand()
    {
        Temp->Write("banner2.dat", Encoded(RedBlue(20, 10), "BMP"));
        Show(WithBanner("ad.bmp", "http://ads.example/go"));
        QCOMPARE(Still()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(Still(), Qt::LeftButton);
        QTest::mouseClick(Still(), Qt::RightButton);
        QCOMPARE(Browser.Opened, std::vector<std::string>{"http://ads.example/go"});

        Browser.Opened.clear();
        Show(WithBanner("ad.bmp", ""));
        QCOMPARE(Still()->cursor().shape(), Qt::ArrowCursor);
        QTest::mouseClick(Still(), Qt::LeftButton);
        QVERIFY(Browser.Opened.empty());
    }

    void theAnimationOpensTheBannerAddressToo()
    {
        Temp->Write("banner2.dat", TwoFrameGif(6, 4));
        Show(WithBanner("ad.gif", "www.ads.example"));
        QCOMPARE(Animated()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(Animated(), Qt::LeftButton);
        QCOMPARE(Browser.Opened, std::vector<std::string>{"http://www.ads.example"});
    }

    void aBannerAddressThatIsALocalFileIsNotOpened()
    {
        Temp->Write("banner2.dat", Encoded(RedBlue(20, 10), "BMP"));
        Show(WithBanner("ad.bmp", "file:///usr/bin/xterm"));
        QTest::mouseClick(Still(), Qt::LeftButton);
        QVERIFY(Browser.Opened.empty());
    }

    void withoutSettingsTheLinksAreGoogleAndTheBannerPanelStaysEmpty()
    {
        Show(TBrandSettings{});
        QVERIFY(Panel()->isVisible());
        QCOMPARE(Panel()->height(), 65);
        for (const char* name : {"lblLink1URL", "lblLink2URL"}) {
            auto* link = FindControl<QLabel>(Host.get(), name);
            QCOMPARE(link->text(), QStringLiteral("Google"));
            QTest::mouseClick(link, Qt::LeftButton);
        }
        // "Make Money" and "Help" open their empty addresses: the browser on its own page.
        QTest::mouseClick(FindControl<QPushButton>(Host.get(), "btnMakeMoney"), Qt::LeftButton);
        QTest::mouseClick(FindControl<QToolButton>(Host.get(), "btnHelp"), Qt::LeftButton);
        QCOMPARE(Browser.Opened,
                 (std::vector<std::string>{"http://www.google.com/", "http://www.google.com/", "", ""}));
    }

    void linksShowTheirCaptionsAndOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("caption1");
        QTest::addColumn<QString>("caption2");
        QTest::addColumn<bool>("panelShown");
        QTest::newRow("two links") << "Shop"
                                   << "Blog" << true;
        QTest::newRow("one link") << "Shop"
                                  << "" << true;
        QTest::newRow("none") << ""
                              << "" << false;
    }
    void linksShowTheirCaptionsAndOpenTheirAddresses()
    {
        QFETCH(QString, caption1);
        QFETCH(QString, caption2);
        QFETCH(bool, panelShown);
        TBrandSettings settings;
        settings.Loaded = true;
        settings.Link1Caption = caption1.toStdString();
        settings.Link1URL = caption1.isEmpty() ? "" : "https://shop.example/";
        settings.Link2Caption = caption2.toStdString();
        settings.Link2URL = caption2.isEmpty() ? "" : "blog.example";
        settings.AffiliateURL = "http://aff.example/?id=42";
        settings.AppHelpURL = "http://help.example/";
        settings.MakeMoneyButton = "Earn \xE9";
        Show(settings);
        QCOMPARE(FindControl<QFrame>(Host.get(), "panLinks")->isVisible(), panelShown);
        QCOMPARE(FindControl<QLabel>(Host.get(), "lblLink1URL")->text(), caption1);
        QCOMPARE(FindControl<QLabel>(Host.get(), "lblLink2URL")->text(), caption2);
        QCOMPARE(FindControl<QPushButton>(Host.get(), "btnMakeMoney")->text(), QStringLiteral("Earn \u00E9"));
        if (!panelShown)
            return;
        QTest::mouseClick(FindControl<QLabel>(Host.get(), "lblLink1URL"), Qt::LeftButton);
        QTest::mouseClick(FindControl<QLabel>(Host.get(), "lblLink2URL"), Qt::LeftButton);
        QTest::mouseClick(FindControl<QPushButton>(Host.get(), "btnMakeMoney"), Qt::LeftButton);
        QTest::mouseClick(FindControl<QToolButton>(Host.get(), "btnHelp"), Qt::LeftButton);
        std::vector<std::string> expected{"https://shop.example/"};
        if (!caption2.isEmpty())
            expected.push_back("http://blog.example");
        expected.insert(expected.end(), {"http://aff.example/?id=42", "http://help.example/"});
        QCOMPARE(Browser.Opened, expected);
    }
};

QTEST_MAIN(UBannerPanelTest)
#include "UBannerPanelTest.moc"
