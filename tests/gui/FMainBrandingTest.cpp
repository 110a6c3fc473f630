// The main window with a publisher's branding: the values reach the caption, the tool bar,
// the banner, the skin, the icon and the about window.

#include "UPinnedSettings.h"
#include "app/FMain.h"

#include "TMainWindowFixture.h"
#include "TTestPictures.h"
#include "UFindControl.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <memory>

class FMainBrandingTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainWindowFixture> Fixture;

    static TBrandSettings Branded()
    {
        TBrandSettings settings;
        settings.Loaded = true;
        settings.ApplicationName = "Doza Varazaz";
        settings.BranderType = "Gold";
        settings.GoldPublID = "7";
        settings.GoldNewsBaseURL = "http://news.example/";
        settings.Link1Caption = "Shop";
        settings.Link1URL = "http://shop.example/";
        return settings;
    }

    std::unique_ptr<TfrmMain> Open(const TBrandSettings& settings)
    {
        TMainWindowOptions options = Fixture->Options();
        options.LoadBrandSettings = [settings](const TProgramFolder&) { return settings; };
        return Fixture->Open(std::move(options));
    }

    static void VerifyDesignFont(QWidget* control, int pixels)
    {
        QCOMPARE(control->font().family(), QStringLiteral("Arial"));
        QCOMPARE(control->font().pixelSize(), pixels);
    }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init() { Fixture = std::make_unique<TMainWindowFixture>(); }

    void cleanup()
    {
        QVERIFY(Fixture->Dialogs.Steps.empty());
        QVERIFY(Fixture->Messages.Shown.isEmpty()); // branding never speaks to the user
        Fixture.reset();
    }

    void brandedStartShowsTheCaptionAndTheEditionsNewsButton_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("news");
        QTest::newRow("gold") << "Doza Varazaz"
                              << "Gold"
                              << "Doza Varazaz v2.0" << true;
        QTest::newRow("gold in lower case") << "Doza Varazaz"
                                            << "gold"
                                            << "Doza Varazaz v2.0" << false;
        QTest::newRow("no name keeps the caption") << ""
                                                   << "Gold"
                                                   << "Taskwren" << true;
        QTest::newRow("the unsaved mark's sign in the name") << "Doza [*]"
                                                             << "Gold"
                                                             << "Doza [*] v2.0" << true;
    }
    void brandedStartShowsTheCaptionAndTheEditionsNewsButton()
    {
        QFETCH(QString, name);
        QFETCH(QString, type);
        QFETCH(QString, caption);
        QFETCH(bool, news);
        TBrandSettings settings = Branded();
        settings.ApplicationName = name.toStdString();
        settings.BranderType = type.toStdString();
        settings.MakeMoneyButton = "Earn with us";
        auto window = Open(settings);
        QCOMPARE(window->windowHandle()->title(), caption); // as the desktop shows it
        QCOMPARE(FindControl<QToolButton>(window.get(), "btnNews")->isVisible(), news);
        QCOMPARE(FindControl<QPushButton>(window.get(), "btnMakeMoney")->text(), QStringLiteral("Earn with us"));
    }

    void withoutASettingsFileTheBuiltInLookStays()
    {
        Fixture->Temp.Write("mainskin.dat", "QPushButton { background: #123456; }");
        auto window = Open(TBrandSettings{});
        QCOMPARE(window->windowHandle()->title(), QStringLiteral("Taskwren"));
        QVERIFY(FindControl<QToolButton>(window.get(), "btnNews")->isVisible());
        QVERIFY(FindControl<QWidget>(window.get(), "panBanner")->isVisible());
        QVERIFY(!window->styleSheet().contains(QStringLiteral("#123456"))); // no skin looked for
        QTest::mouseClick(FindControl<QLabel>(window.get(), "lblLink2URL"), Qt::LeftButton);
        QCOMPARE(Fixture->Browser.Opened, std::vector<std::string>{"http://www.google.com/"});
    }

    void theWelcomePageShowsFirstAndThanksLeavesIt()
    {
        TBrandSettings settings = Branded();
        settings.WelcomeText = "<h1>Welcome to Doza</h1><a href=\"http://doza.example/\">more</a>";
        auto window = Open(settings);
        auto* pages = FindControl<QTabWidget>(window.get(), "pgcPrinc");
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsWelcome"));
        auto* welcome = FindControl<QTextBrowser>(window.get(), "prfWelcome");
        QVERIFY(welcome->toPlainText().contains("Welcome to Doza"));
        emit welcome->anchorClicked(QUrl(QStringLiteral("http://doza.example/")));
        QCOMPARE(Fixture->Browser.Opened, std::vector<std::string>{"http://doza.example/"});
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsWelcome")); // the page stays
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnThanks"), Qt::LeftButton);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsMain"));
    }

    void theSettingsBannerShowsAndOpensItsAddress()
    {
        Fixture->Temp.Write("banner3.dat", TwoFrameGif(31, 20));
        TBrandSettings settings = Branded();
        settings.BannerImage = "AD.GIF";
        settings.BannerNumber = 3;
        settings.BannerURL = "http://ads.example/";
        auto window = Open(settings);
        auto* banner = FindControl<QLabel>(window.get(), "gifBanner");
        QVERIFY(banner->isVisible());
        QTest::mouseClick(banner, Qt::LeftButton);
        QCOMPARE(Fixture->Browser.Opened, std::vector<std::string>{"http://ads.example/"});
    }

    void noSkinUndoesTheDesignedFonts()
    {
        Fixture->Temp.Write("mainskin.dat",
                    "* { font: bold 30px \"Courier New\"; }\n"
                    "QPushButton#btnSave { font-size: 40px; font-family: Courier; color: #123456 }\n"
                    "QLabel { qproperty-font: \"Courier,30\"; }");
        auto window = Open(Branded());
        QVERIFY(window->styleSheet().contains(QStringLiteral("#123456"))); // the skin's look is taken
        VerifyDesignFont(FindControl<QPushButton>(window.get(), "btnSave"), 14);
        VerifyDesignFont(FindControl<QTreeWidget>(window.get(), "lvwItems"), 14);
        VerifyDesignFont(FindControl<QLabel>(window.get(), "lblProjName"), 14);
        VerifyDesignFont(FindControl<QLabel>(window.get(), "lblLink1URL"), 12);
        TMainWindowFixture::ShowCalendar(*window);
        VerifyDesignFont(FindControl<QWidget>(window.get(), "calMain"), 11);
        QVERIFY(!FindControl<QPushButton>(window.get(), "btnSave")->font().bold());

        // The about window is drawn in the same skin, with its own fonts.
        Fixture->Dialogs.Steps.push_back([](QDialog& about) {
            QVERIFY(about.styleSheet().isEmpty() && about.parentWidget() != nullptr);
            VerifyDesignFont(FindControl<QPlainTextEdit>(&about, "memAbout"), 14);
            QCOMPARE(FindControl<QLabel>(&about, "lblProductName")->font().pixelSize(), 11);
            QVERIFY(FindControl<QLabel>(&about, "lblProductName")->font().bold());
            ClickButton(about, "editAbout");
        });
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnAbout"), Qt::LeftButton);
    }

    void aSkinFileThatIsNotAStyleSheetIsIgnored()
    {
        Fixture->Temp.Write("mainskin.dat", std::string("SKN\0\x01\x02#123456", 12));
        auto window = Open(Branded());
        QVERIFY(!window->styleSheet().isEmpty()); // the built-in skin stays
        QVERIFY(!window->styleSheet().contains(QStringLiteral("#123456")));
    }

    void mainIcoBecomesTheWindowIcon()
    {
        Fixture->Temp.Write("main.ico", Encoded(RedBlue(32, 32), "ICO"));
        auto window = Open(Branded());
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
    }

    void aboutWindowShowsTheBrandedTexts_data()
    {
        QTest::addColumn<bool>("branded");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("copyright");
        QTest::addColumn<QString>("about");
        QTest::newRow("branded") << true << "About Doza Varazaz..."
                                 << "Doza Varazaz"
                                 << "Copyright (c) 2007-2008 Doza Ltd."
                                 << "First line\nsecond\nthird\nfourth";
        QTest::newRow("no values") << false << "About ..."
                                   << ""
                                   << "Copyright (c)  "
                                   << "";
    }
    void aboutWindowShowsTheBrandedTexts()
    {
        QFETCH(bool, branded);
        QFETCH(QString, caption);
        QFETCH(QString, name);
        QFETCH(QString, copyright);
        QFETCH(QString, about);
        TBrandSettings settings;
        if (branded) {
            settings = Branded();
            settings.CopyrightYears = "2007-2008";
            settings.CopyrightCompany = "Doza Ltd.";
            settings.AboutText = "First line\r\nsecond\rthird\nfourth";
        }
        auto window = Open(settings);
        Fixture->Dialogs.Steps.push_back([&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), caption);
            QCOMPARE(dialog.size(), QSize(368, 211));
            QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));
            QCOMPARE(FindControl<QLabel>(&dialog, "lblProductName")->text(), name);
            QCOMPARE(FindControl<QLabel>(&dialog, "lblProductName")->textFormat(), Qt::PlainText);
            QCOMPARE(FindControl<QLabel>(&dialog, "lblProductVersion")->text(), QStringLiteral("Product Version: 2.0"));
            auto* copyrightLabel = FindControl<QLabel>(&dialog, "lblCopyright");
            QCOMPARE(copyrightLabel->text(), copyright);
            QCOMPARE(copyrightLabel->x(), 9);
            QVERIFY(copyrightLabel->y() > FindControl<QLabel>(&dialog, "lblProductVersion")->geometry().bottom());
            auto* text = FindControl<QPlainTextEdit>(&dialog, "memAbout");
            QCOMPARE(text->toPlainText(), about);
            QVERIFY(text->isReadOnly());
            ClickButton(dialog, "editAbout");
            QVERIFY(!dialog.isVisible());
        });
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnAbout"), Qt::LeftButton);
        QCOMPARE(Fixture->Dialogs.Captions, QStringList{caption});
    }
};

QTEST_MAIN(FMainBrandingTest)
#include "FMainBrandingTest.moc"
