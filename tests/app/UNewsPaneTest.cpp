// The news and update buttons with the start-up check, on their own: a host window with the
// two buttons, a scripted loopback server, scripted boxes and a recording updater start.

#include "app/UNewsPane.h"

#include "TRecordingBrowser.h"
#include "TScriptedDialogs.h"
#include "TScriptedMessages.h"
#include "TTempFolder.h"
#include "brand/UBrandSettings.h"
#include "common/UProgramFolder.h"
#include "crypto/UUtilsCrypt.h"
#include "http/HttpTestSupport.h"
#include "http/ScriptedHttpServer.h"
#include "ui/TBalloonHint.h"
#include "ui/TQtMessagePump.h"
#include "ui/UProgramStarter.h"

#include <QHBoxLayout>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

class TRecordingStarter : public TProgramStarter {
public:
    bool Start(const std::filesystem::path& program, const std::vector<std::string>& arguments) override
    {
        Started.push_back(program.filename().string());
        Arguments = arguments;
        return Answer;
    }
    std::vector<std::string> Started;
    std::vector<std::string> Arguments;
    bool Answer = true;
};

std::string Ok(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

const QString NoNews = QStringLiteral("There's no news for this application!");
const QString NoUpdates = QStringLiteral("There's no new updates for this application!");
const QString Offer = QStringLiteral("There is a new update: (version 2.1) available for your application!. "
                                     "Do you want download this update now?");
const QString Missing = QStringLiteral("The updater module is missing. Please reinstall again the current version!");
const QString CloseToUpdate = QStringLiteral(
    "To update your software the application will close to\n\rreplace some files. Do you want to update now?");

} // namespace

class UNewsPaneTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TTempFolder> Temp;
    std::unique_ptr<TProgramFolder> Folder;
    std::unique_ptr<TScriptedHttpServer> Server;
    TQtMessagePump Pump;
    TFixedClock Clock;
    std::unique_ptr<THttpClient> Http;
    TScriptedMessages Messages;
    TScriptedDialogs Dialogs;
    TRecordingBrowser Browser;
    TRecordingStarter Starter;
    TBrandSettings Settings;
    std::vector<std::string> NewsList;
    std::unique_ptr<QWidget> Window;
    QToolButton* btnNews = nullptr;
    QToolButton* btnUpdate = nullptr;
    TNewsPane* Pane = nullptr;

    void Build()
    {
        // The buttons sit on a tool bar inside the window, as on the main page.
        Window = std::make_unique<QWidget>();
        auto* toolBar = new QWidget;
        auto* buttons = new QHBoxLayout(toolBar);
        buttons->addWidget(btnNews = new QToolButton);
        buttons->addWidget(btnUpdate = new QToolButton);
        (new QHBoxLayout(Window.get()))->addWidget(toolBar);
        Pane = new TNewsPane(
            Settings, NewsList,
            TNewsServices{
                Messages, Dialogs, Browser, Starter, *Folder, *Http, Pump, Server->Url("/liveupdate/taskwren/"), {}},
            Window.get());
        Pane->AttachButtons(btnNews, btnUpdate);
        Window->show();
    }
    void SealSettings(const std::string& plain)
    {
        Temp->Write("plain.tmp", plain);
        QVERIFY(EncryptFile(Temp->File("plain.tmp"), Temp->File("dbsettings.dat")));
        std::filesystem::remove(Temp->File("plain.tmp"));
    }
    TBalloonHint* Notice() const { return Window->findChild<TBalloonHint*>(); }
    int RequestCount() const { return static_cast<int>(Server->Requests().size()); }

private slots:
    void init()
    {
        Temp = std::make_unique<TTempFolder>();
        Folder = std::make_unique<TProgramFolder>(Temp->Path());
        Server = std::make_unique<TScriptedHttpServer>();
        Http = std::make_unique<THttpClient>(Pump, Clock, FastOptions());
        Messages.Clear();
        Messages.Answers.clear();
        Dialogs.Captions.clear();
        Starter = {};
        NewsList.clear();
        Settings = {};
        Settings.Loaded = true;
        Settings.BranderType = "Master";
        Settings.BranderCode = "TW";
        Settings.MasterPublID = "pub";
        Settings.MasterNewsBaseURL = Server->Url("/news");
        Build();
    }
    void cleanup()
    {
        Window.reset();
        Http.reset();
        Server.reset();
        QVERIFY(Messages.Answers.empty());
    }

    void freeEditionAsksNothingAndFindsNoNews()
    {
        Settings.BranderType = "Free";
        QTest::mouseClick(btnNews, Qt::LeftButton);
        QCOMPARE(Messages.Texts(), QStringList{NoNews});
        QCOMPARE(RequestCount(), 0);

        Server->Answer(Ok("[APPLICATION]\r\nVersion=2.0\r\n"));
        Pane->StartupCheck(); // only the update check, silently
        QCOMPARE(RequestCount(), 1);
        QVERIFY(Server->Requests()[0].Bytes.starts_with("GET /liveupdate/taskwren/mainappupdate.inf "));
        QCOMPARE(Messages.Texts(), QStringList{NoNews});
    }

    void aFailedListShowsItsErrorThenNoNews()
    {
        Server->Answer(Ok("INVALIDUSER"));
        QTest::mouseClick(btnNews, Qt::LeftButton);
        QCOMPARE(
            Messages.Texts(),
            (QStringList{QStringLiteral("There is a trouble with the Publisher Id. Contact your provider."), NoNews}));
        QVERIFY(Dialogs.Captions.isEmpty());
    }

    void aListOpensTheNewsWindow()
    {
        Server->Answer(Ok("2^Two^Dec 2\xAF"
                          "1^One^Dec 1\xAFOK"));
        Dialogs.Steps.push_back([](QDialog& news) { news.close(); });
        QTest::mouseClick(btnNews, Qt::LeftButton);
        QCOMPARE(Dialogs.Captions, QStringList{QStringLiteral("News")});
        QCOMPARE(NewsList, (std::vector<std::string>{"2^Two^Dec 2", "1^One^Dec 1"}));
        QVERIFY(Messages.Shown.isEmpty());
    }

    void theButtonsRestWhileARequestWaits()
    {
        TScriptedAnswer slow;
        slow.Bytes = Ok("OK");
        slow.DelayMs = 700; // past two of the client's 250 ms slices, so the wait pumps events first
        Server->Enqueue(slow);
        bool enabledMeanwhile = true;
        QTimer::singleShot(0, this, [&] { enabledMeanwhile = btnNews->isEnabled() || btnUpdate->isEnabled(); });
        QTest::mouseClick(btnNews, Qt::LeftButton);
        QVERIFY(!enabledMeanwhile);
        QVERIFY(btnNews->isEnabled() && btnUpdate->isEnabled());
        QCOMPARE(Messages.Texts(), QStringList{NoNews});
    }

    void closingDuringTheStartupCheckEndsItQuietly()
    {
        TScriptedAnswer hang;
        hang.Hang = true;
        Server->Enqueue(hang);
        QTimer::singleShot(0, this, [this] {
            Pane->WindowClosing();
            Http->CloseConnection();
        });
        Pane->StartupCheck();
        QCOMPARE(RequestCount(), 1); // no update check after the window closed
        QVERIFY(Messages.Shown.isEmpty());
    }

    void aListThatArrivesAfterClosingBeganOpensNothing()
    {
        TScriptedAnswer late;
        late.Bytes = Ok("1^One^Dec 1\xAFOK");
        late.DelayMs = 700; // past two of the client's 250 ms slices, so the wait pumps events first
        Server->Enqueue(late);
        QTimer::singleShot(0, this, [this] { Pane->WindowClosing(); });
        QTest::mouseClick(btnNews, Qt::LeftButton);
        QVERIFY(Dialogs.Captions.isEmpty());
        QVERIFY(Messages.Shown.isEmpty());
    }

    void theNoticeShowsForANewerIdOnly_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("newest");
        QTest::addColumn<bool>("shown");
        QTest::newRow("5 then 7") << "5"
                                  << "7" << true;
        QTest::newRow("7 then 7") << "7"
                                  << "7" << false;
        QTest::newRow("9 then 7") << "9"
                                  << "7" << false;
        QTest::newRow("none then 1") << ""
                                     << "1" << true;
        QTest::newRow("text then 1") << "seen"
                                     << "1" << true;
        QTest::newRow("0 then no news") << "0"
                                        << "" << false;
    }
    void theNoticeShowsForANewerIdOnly()
    {
        QFETCH(QString, stored);
        QFETCH(QString, newest);
        QFETCH(bool, shown);
        SealSettings(stored.isEmpty() ? "" : "<%%LastNewsId%%>" + stored.toStdString() + "<%%/LastNewsId%%>");
        Server->Answer(Ok(newest.isEmpty() ? "OK" : newest.toStdString() + "^Spring\xAFOK"));
        Server->Answer("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n");
        Pane->StartupCheck();
        QCOMPARE(RequestCount(), 2); // the update check follows in every case
        QCOMPARE(Notice() != nullptr && Notice()->IsShowing(), shown);
        if (shown)
            QCOMPARE(Notice()->ShownText(), QStringLiteral("You've Got A Message!\r\nSpring"));
        QVERIFY(Messages.Shown.isEmpty());
    }

    void theNoticePointsAtTheNewsButton()
    {
        Pane->ShowNewsNotice("You've Got A Message!\r\n");
        QVERIFY(Notice() != nullptr && Notice()->IsShowing());
        const QPoint tip = Notice()->geometry().topLeft() + BalloonTip(Notice()->size(), Notice()->Position());
        QCOMPARE(tip, btnNews->mapToGlobal(QPoint(btnNews->width() / 2, btnNews->height() / 2)));
    }

    void theUpdateCheckTellsWhenThereIsNothingNew_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::newRow("same version") << QString::fromStdString(Ok("[APPLICATION]\r\nVersion=2.0\r\n"));
        QTest::newRow("older version") << QString::fromStdString(Ok("[Application]\r\nversion=1.9\r\n"));
        QTest::newRow("no version") << QString::fromStdString(Ok("[APPLICATION]\r\nName=Taskwren\r\n"));
        QTest::newRow("error status") << QStringLiteral("HTTP/1.1 404 Not Found\r\nContent-Length: 3\r\n\r\nno!");
    }
    void theUpdateCheckTellsWhenThereIsNothingNew()
    {
        QFETCH(QString, answer);
        Server->Answer(answer.toStdString());
        QTest::mouseClick(btnUpdate, Qt::LeftButton);
        QCOMPARE(Messages.Texts(), QStringList{NoUpdates});
        QCOMPARE(Temp->Has("mainappupdate.inf"), !answer.contains(QStringLiteral("404")));
        Server->Answer(answer.toStdString());
        Pane->CheckForUpdates(true);
        QCOMPARE(Messages.Texts(), QStringList{NoUpdates});
    }

    // Missing and working updaters are the end-to-end test's; here the refusals.
    void aNewerVersionIsOfferedEvenInSilenceAndAnUpdaterThatCannotRunKeepsTheWindow()
    {
        const std::string newer = Ok("[APPLICATION]\r\nName=Taskwren\r\nVersion=2.1\r\n");
        Server->Answer(newer);
        Messages.Answers = {false};
        Pane->CheckForUpdates(true);
        QCOMPARE(Messages.Texts(), QStringList{Offer});

        Messages.Clear();
        Temp->Write("updater.EXE", "not a program"); // found in any letter case
        Server->Answer(newer);
        Messages.Answers = {true, true};
        Starter.Answer = false;
        QTest::mouseClick(btnUpdate, Qt::LeftButton);
        QCOMPARE(Messages.Texts(), (QStringList{Offer, CloseToUpdate, Missing}));
        QCOMPARE(Starter.Started, std::vector<std::string>{"updater.EXE"});
        QCOMPARE(Starter.Arguments, (std::vector<std::string>{Server->Url("/liveupdate/taskwren/"), "2.0", "A"}));
        QVERIFY(Window->isVisible());
    }
};

QTEST_MAIN(UNewsPaneTest)
#include "UNewsPaneTest.moc"
