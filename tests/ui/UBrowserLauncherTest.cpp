#include "TRecordingBrowser.h"
#include "TTempFolder.h"
#include "ui/UDefaultBrowser.h"

#include <QTest>

class UBrowserLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void opensWebAddressesAndRefusesTheRest()
    {
        TRecordingBrowser browser;
        QVERIFY(OpenInBrowser(browser, "www.example.com"));
        QVERIFY(OpenInBrowser(browser, ""));
        QVERIFY(!OpenInBrowser(browser, "file:///etc/passwd"));
        QVERIFY(!OpenInBrowser(browser, "/tmp/run.sh"));
        QCOMPARE(browser.Opened, (std::vector<std::string>{"http://www.example.com", ""}));
        browser.Answer = false; // no browser on this desktop
        QVERIFY(!OpenInBrowser(browser, "http://example.com/"));
    }

    void desktopEntryCommandDropsFieldCodes_data()
    {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QStringList>("command");
        QTest::newRow("url code") << "firefox %u" << QStringList{"firefox"};
        QTest::newRow("options kept") << "/usr/bin/chromium --new-window %U"
                                      << QStringList{"/usr/bin/chromium", "--new-window"};
        QTest::newRow("quoted path") << "\"/opt/My Browser/run\" %u" << QStringList{"/opt/My Browser/run"};
        QTest::newRow("escapes in quotes") << "\"a\\\"b\" x" << QStringList{"a\"b", "x"};
        QTest::newRow("percent sign") << "browser --title=100%% %f" << QStringList{"browser", "--title=100%"};
        QTest::newRow("blanks") << "  browser\t %i  " << QStringList{"browser"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void desktopEntryCommandDropsFieldCodes()
    {
        QFETCH(QString, exec);
        QFETCH(QStringList, command);
        QCOMPARE(DesktopEntryCommand(exec), command);
    }

    void findsTheDesktopDefaultBrowserWithoutXWwwBrowser()
    {
        TTempFolder home;
        const auto path = [&home](const char* name) { return QString::fromStdString(home.File(name)); };
        std::filesystem::create_directories(home.Path() / "config");
        std::filesystem::create_directories(home.Path() / "data/applications");
        home.Write("config/mimeapps.list",
                   "[Added Associations]\nx-scheme-handler/http=other.desktop;\n"
                   "[Default Applications]\nx-scheme-handler/http=web.desktop;other.desktop;\n");
        home.Write("data/applications/web.desktop",
                   "[Desktop Entry]\nName=Web\nExec=webby --fresh %u\n"
                   "[Desktop Action New]\nExec=webby --other\n");
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", path("bin").toUtf8()); // no x-www-browser there
        qputenv("XDG_CONFIG_HOME", path("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", path("none").toUtf8());
        qputenv("XDG_DATA_HOME", path("data").toUtf8());
        qputenv("XDG_DATA_DIRS", path("none").toUtf8());
        const QStringList found = DefaultBrowserCommand();
        home.Write("config/mimeapps.list", "[Default Applications]\ntext/html=web.desktop;\n");
        const QStringList none = DefaultBrowserCommand();
        qputenv("PATH", oldPath);
        QCOMPARE(found, (QStringList{"webby", "--fresh"}));
        QCOMPARE(none, QStringList{});
    }

    void theDesktopBrowserGetsTheAddressUnchanged()
    {
        // A stray "%" once made the whole address re-encoded: "%%id%%" reached the browser as
        // "%25%25id%25%25".
        TTempFolder bin;
        bin.Write("x-www-browser", "#!/bin/sh\nprintf '%s' \"$1\" >\"$0.part\" && /bin/mv \"$0.part\" \"$0.out\"\n");
        std::filesystem::permissions(bin.File("x-www-browser"), std::filesystem::perms::owner_all);
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.Path().string()));
        for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(variable, QByteArray::fromStdString(bin.File("none"))); // no desktop's own choice
        const std::string address = "http://shop.example/go?a=1&low=%%affiliateid%%&x=%41 \xE9";
        TDesktopBrowserLauncher launcher;
        const bool started = launcher.Open(address);
        qputenv("PATH", oldPath);
        QVERIFY(started);
        QTRY_VERIFY(std::filesystem::exists(bin.File("x-www-browser.out")));
        QCOMPARE(bin.Read("x-www-browser.out"),
                 std::string("http://shop.example/go?a=1&low=%%affiliateid%%&x=%41 \xC3\xA9"));
    }
};

QTEST_MAIN(UBrowserLauncherTest)
#include "UBrowserLauncherTest.moc"
