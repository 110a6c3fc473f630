#include "app/FCrashReport.h"

#include "TFillingFolder.h"
#include "TScriptedDialogs.h"
#include "TTempFolder.h"
#include "UFindControl.h"
#include "crash/UCrashLog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

class FCrashReportTest : public QObject {
    Q_OBJECT

private:
    static std::string Report(const std::string& header, const std::string& what)
    {
        std::string report = header + "Taskwren 2.0 closed unexpectedly: " + what + "\nTime: 2026-12-09 10:11:12 UTC\n";
        for (int frame = 0; frame < 20; ++frame)
            report += "  taskwren(frame" + std::to_string(frame) + "+0x10) [0x1]\n";
        return report + "\n";
    }

private slots:
    void theLastCrashIsOfferedOnceAndItsWholeReportCopied()
    {
        TTempFolder temp;
        const std::string newest = Report(std::string(NewCrashReportHeader), "SIGSEGV, a segmentation fault");
        const std::string older = Report(std::string(OfferedCrashReportHeader), "SIGABRT, an abort");
        temp.Write("crash.log", newest + older);
        TProgramFolder folder(temp.Path());
        TScriptedDialogs dialogs;
        QString shown;
        dialogs.Steps.push_back([&shown](QDialog& window) {
            shown = FindControl<QLabel>(&window, "lblMessage")->text() + u'\n' +
                FindControl<QPlainTextEdit>(&window, "memReport")->toPlainText();
            ClickButton(window, "btnCopy");
            ClickButton(window, "btnClose");
        });
        OfferCrashReport(folder, dialogs, nullptr);
        QCOMPARE(dialogs.Captions.size(), 1);
        QVERIFY(shown.startsWith(QStringLiteral("Taskwren closed unexpectedly last time.\n"
                                                "Taskwren 2.0 closed unexpectedly: SIGSEGV, a segmentation fault\n"
                                                "Time: 2026-12-09 10:11:12 UTC\n  taskwren(frame0")));
        const std::string offered = std::string(OfferedCrashReportHeader) + newest.substr(NewCrashReportHeader.size());
        QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), offered);
        QCOMPARE(temp.Read("crash.log"), offered + older);

        OfferCrashReport(folder, dialogs, nullptr); // the next start
        QCOMPARE(dialogs.Captions.size(), 1);
    }

    // Offered without being marked, it would come back at every start.
    void aReportThatCannotBeMarkedOfferedIsNotOffered()
    {
        TTempFolder temp;
        temp.Write("crash.log", Report(std::string(NewCrashReportHeader), "SIGILL, an illegal instruction"));
        TFillingFolder full(temp.Path(), 0);
        TScriptedDialogs dialogs;
        OfferCrashReport(full, dialogs, nullptr);
        QVERIFY(dialogs.Captions.isEmpty());
    }
};

QTEST_MAIN(FCrashReportTest)
#include "FCrashReportTest.moc"
