// End to end: a copy branded with taskwren-brand, the reference publisher service on this
// machine, and the real main window with its start-up check, news button, news window and
// update check.

#include "UPinnedSettings.h"
#include "app/FMain.h"

#include "TMainWindowFixture.h"
#include "UFindControl.h"
#include "brand/ULastNewsId.h"
#include "brand/URandomSource.h"
#include "brand/USettingsFile.h"
#include "common/UProgramFolder.h"
#include "tools/TPublisherService.h"
#include "ui/TBalloonHint.h"
#include "ui/THtmlView.h"
#include "ui/UProgramStarter.h"

#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <sys/stat.h>

#include <cstdlib>
#include <memory>

class FMainNewsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TPublisherService> Service;
    std::unique_ptr<TMainWindowFixture> Fixture;
    TDetachedProgramStarter Updater;
    TSeededRandom Random;
    std::string FirstId;
    std::string SecondId;

    // Seals the settings with the publisher's own tool, as a publisher brands a copy.
    void Brand(const std::string& lastNewsId)
    {
        Fixture->Temp.Write("settings.txt",
                    "<%%ApplicationName%%>Doza Varazaz<%%/ApplicationName%%>\r\n"
                    "<%%BranderCode%%>TW<%%/BranderCode%%>\r\n"
                    "<%%BranderType%%>Master<%%/BranderType%%>\r\n"
                    "<%%MasterNewsBaseURL%%>" +
                        Service->BaseAddress() +
                        "<%%/MasterNewsBaseURL%%>\r\n"
                        "<%%MasterPublID%%>acme<%%/MasterPublID%%>\r\n"
                        "<%%LastNewsId%%>" +
                        lastNewsId + "<%%/LastNewsId%%>\r\n");
        const std::string command =
            "'" TASKWREN_BRAND "' encrypt '" + Fixture->Temp.File("settings.txt") + "' '" + Fixture->Temp.File("dbsettings.dat") + "'";
        QCOMPARE(std::system(command.c_str()), 0);
        std::filesystem::remove(Fixture->Temp.File("settings.txt"));
    }

    std::unique_ptr<TfrmMain> Open()
    {
        TMainWindowOptions options = Fixture->Options();
        options.Updater = &Updater;
        options.UpdateBaseURL = Service->UpdateBaseAddress();
        options.LoadBrandSettings = [this](const TProgramFolder& folder) { return LoadBrandSettings(folder, Random); };
        return Fixture->Open(std::move(options));
    }

    // The start-up check has run once the update check's copy arrived and the buttons woke.
    static void WaitForStartupCheck(TfrmMain& window, const TTempFolder& folder)
    {
        QTRY_VERIFY_WITH_TIMEOUT(
            folder.Has("mainappupdate.inf") && FindControl<QToolButton>(&window, "btnNews")->isEnabled(), 20000);
    }

    static TBalloonHint* Notice(TfrmMain& window) { return window.findChild<TBalloonHint*>(); }

private slots:
    void initTestCase()
    {
        PinLocaleAndFonts();
        Service = std::make_unique<TPublisherService>();
        Service->Admin({"add-publisher", "acme", "Acme Publishing"});
        Service->Admin({"add-product", "acme", "TW", "Taskwren"});
        FirstId = Service->Admin({"add-news", "--publisher", "acme", "--product", "TW", "--editions", "BM", "--title",
                                  "Welcome", "--published", "Dec 1, 2026", "--body", "<p>First</p>"});
        SecondId =
            Service->Admin({"add-news", "--publisher", "acme", "--product", "TW", "--editions", "BM,BG", "--title",
                            "Caf\u00e9 opens", "--published", "Dec 9, 2026", "--body", "<p>Second \u20ac5</p>"});
        FirstId = AddedNewsId(FirstId);
        SecondId = AddedNewsId(SecondId);
    }
    void init()
    {
        Fixture = std::make_unique<TMainWindowFixture>();
        Service->WriteUpdateDescription("[APPLICATION]\r\nName=Taskwren\r\nVersion=2.0\r\n");
    }
    void cleanup()
    {
        QVERIFY(Fixture->Messages.Answers.empty());
        QVERIFY(Fixture->Dialogs.Steps.empty());
        Fixture.reset();
    }

    void theNoticeShowsForNewerNewsOnly()
    {
        Brand(FirstId);
        auto window = Open();
        WaitForStartupCheck(*window, Fixture->Temp);
        QVERIFY(Notice(*window) != nullptr && Notice(*window)->IsShowing());
        QCOMPARE(Notice(*window)->ShownText(), QStringLiteral("You've Got A Message!\r\nCaf\u00e9 opens"));
        Notice(*window)->Dismiss();
        window.reset();

        std::filesystem::remove(Fixture->Temp.File("mainappupdate.inf"));
        Brand(SecondId);
        window = Open();
        WaitForStartupCheck(*window, Fixture->Temp);
        QVERIFY(Notice(*window) == nullptr || !Notice(*window)->IsShowing());
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void theNewsWindowShowsBodiesAndStoresTheReadMarker()
    {
        Brand("");
        auto window = Open();
        WaitForStartupCheck(*window, Fixture->Temp);
        Notice(*window)->Dismiss();
        TProgramFolder folder(Fixture->Temp.Path());
        Fixture->Dialogs.Steps.push_back([&](QDialog& news) {
            auto* list = FindControl<QTreeWidget>(&news, "lvwItems");
            auto* body = FindControl<THtmlView>(&news, "prfEditorNews");
            QCOMPARE(list->topLevelItemCount(), 2);
            QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Caf\u00e9 opens")); // newest first
            QCOMPARE(list->topLevelItem(1)->text(1), QStringLiteral("Dec 1, 2026"));
            list->setCurrentItem(list->topLevelItem(0));
            QCOMPARE(body->toPlainText(), QStringLiteral("Second \u20ac5"));
            QCOMPARE(LoadLastNewsId(folder), SecondId);

            // The older news is withdrawn meanwhile: its body is refused, the shown one stays.
            Service->Admin({"remove-news", FirstId});
            list->setCurrentItem(list->topLevelItem(1));
            QCOMPARE(Fixture->Messages.Texts(),
                     QStringList{QStringLiteral("There is a trouble with this news. Contact your provider.")});
            QCOMPARE(body->toPlainText(), QStringLiteral("Second \u20ac5"));
            QCOMPARE(LoadLastNewsId(folder), SecondId);
            news.close();
        });
        QTest::mouseClick(FindControl<QToolButton>(window.get(), "btnNews"), Qt::LeftButton);
        QCOMPARE(Fixture->Dialogs.Captions, QStringList{QStringLiteral("News")});
    }

    void aNewerVersionStartsTheUpdaterWithItsArguments()
    {
        Brand(SecondId);
        auto window = Open();
        WaitForStartupCheck(*window, Fixture->Temp);
        Service->WriteUpdateDescription("[APPLICATION]\r\nName=Taskwren\r\nVersion=2.1\r\n");
        const QString offer = QStringLiteral("There is a new update: (version 2.1) available for your application!. "
                                             "Do you want download this update now?");
        auto* update = FindControl<QToolButton>(window.get(), "btnUpdate");

        Fixture->Messages.Answers = {true};
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(
            Fixture->Messages.Texts(),
            (QStringList{
                offer, QStringLiteral("The updater module is missing. Please reinstall again the current version!")}));

        // A stand-in updater that writes down what it was given.
        Fixture->Temp.Write("Updater.exe",
                    "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/started.tmp\"\n"
                    "mv \"$(dirname \"$0\")/started.tmp\" \"$(dirname \"$0\")/started.txt\"\n");
        ::chmod(Fixture->Temp.File("Updater.exe").c_str(), 0755);

        // Unsaved changes are settled after the second question, before the updater starts.
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("unsaved")); });
        TriggerAction(window.get(), "NewCategory1");
        Fixture->Messages.Clear();
        Fixture->Messages.Answers = {true, true};
        Fixture->Messages.SaveAnswers = {TSaveAnswer::Cancel};
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(Fixture->Messages.Texts().last(), QStringLiteral("Save changes before closing?"));
        QVERIFY(window->isVisible() && !Fixture->Temp.Has("started.txt"));

        Fixture->Messages.Clear();
        Fixture->Messages.Answers = {true, true};
        Fixture->Messages.SaveAnswers = {TSaveAnswer::Save};
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(Fixture->Messages.Shown.size(), 3); // the close that follows asks no more
        QVERIFY(!window->isVisible());
        QVERIFY(Fixture->Temp.Read("categories.dat").ends_with("unsaved\r\n"));
        QTRY_VERIFY_WITH_TIMEOUT(Fixture->Temp.Has("started.txt"), 10000);
        QCOMPARE(Fixture->Temp.Read("started.txt"), Service->UpdateBaseAddress() + "|2.0|A|");
    }
};

QTEST_MAIN(FMainNewsTest)
#include "FMainNewsTest.moc"
