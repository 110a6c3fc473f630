#include "app/FMain.h"
#include "UPinnedSettings.h"

#include "TMainWindowFixture.h"
#include "UFindControl.h"
#include "http/TUnacceptingListener.h"
#include "http/UHttp.h"
#include "http/UHttpError.h"
#include "model/UHours.h"
#include "model/UProjects.h"

#include <QCalendarWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include <filesystem>

class FMainTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMainWindowFixture> Fixture;

    TMainWindowOptions Options(const std::string& welcomeText)
    {
        TMainWindowOptions options = Fixture->Options();
        if (!welcomeText.empty())
            options.LoadBrandSettings = [welcomeText](const TProgramFolder&) {
                TBrandSettings settings;
                settings.WelcomeText = welcomeText;
                return settings;
            };
        return options;
    }
    std::unique_ptr<TfrmMain> Create(const std::string& welcomeText = "")
    {
        return Fixture->Create(Options(welcomeText));
    }
    std::unique_ptr<TfrmMain> Open(const std::string& welcomeText = "") { return Fixture->Open(Options(welcomeText)); }

    void WriteSampleData()
    {
        Fixture->Temp.Write("categories.dat", "Work\r\nHome\r\n");
        Fixture->Temp.Write("projects.dat",
                            "Header^Web site^Work^ 7/ 5/2008^ 7/31/2008^\r\n"
                            "^True^,^Buy domain^,^two\xA5\xA5\xA7\xA7lines^,^^,^^\r\n"
                            "EndProject\r\n"
                            "Header^Garden^Home^^^\r\n"
                            "EndProject\r\n"
                            "Header^Hidden^Nowhere^^^\r\n"
                            "EndProject\r\n");
        Fixture->Temp.Write("Hours.dat",
                            "7/5/2008^9:00 am^Call the bank\xA5\xA5\xA7\xA7soon^\r\n"
                            "7/6/2008^9:00 AM^Other day^\r\n");
    }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init() { Fixture = std::make_unique<TMainWindowFixture>(); }

    void cleanup()
    {
        QVERIFY(Fixture->Dialogs.Steps.empty());
        Fixture.reset();
    }

    void opensOnTheMainPageWithoutTabHeadersWhenThereIsNoWelcomePage()
    {
        auto window = Open();
        auto* pages = FindControl<QTabWidget>(window.get(), "pgcPrinc");
        QCOMPARE(pages->count(), 1);
        QVERIFY(pages->tabBar()->isHidden());
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsMain"));
        QCOMPARE(window->windowHandle()->title(), QStringLiteral("Taskwren"));
        QCOMPARE(window->findChild<QTextBrowser*>(QStringLiteral("prfWelcome")), nullptr);
        QCOMPARE(FindControl<QTabWidget>(window.get(), "pgcMain")->currentWidget()->objectName(),
                 QStringLiteral("stsTasks"));
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void startsEmptyWithoutDataFiles()
    {
        auto window = Open();
        QCOMPARE(FindControl<QTreeWidget>(window.get(), "tvwMain")->topLevelItemCount(), 0);
        QCOMPARE(FindControl<QProgressBar>(window.get(), "MainGauge")->text(), QStringLiteral("0/0 tasks  0%"));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblProjName")->text(), QStringLiteral("Project Name:  "));
        QCOMPARE(Fixture->Temp.EntryCount(), 0u);
    }

    void dayListHasTheTwentyFourHourCaptions()
    {
        auto window = Open();
        TMainWindowFixture::ShowCalendar(*window);
        auto* hours = FindControl<QTreeWidget>(window.get(), "lvwToDo");
        QCOMPARE(hours->topLevelItemCount(), 24);
        QStringList captions;
        for (int row = 0; row < 24; ++row)
            captions << hours->topLevelItem(row)->text(0);
        QCOMPARE(captions.first(), QStringLiteral("1:00 AM"));
        QCOMPARE(captions.at(10), QStringLiteral("11:00 AM"));
        QCOMPARE(captions.at(11), QStringLiteral("12:00 M"));
        QCOMPARE(captions.at(12), QStringLiteral("1:00 PM"));
        QCOMPARE(captions.last(), QStringLiteral("12:00 PM"));
        QCOMPARE(FindControl<QCalendarWidget>(window.get(), "calMain")->selectedDate(), QDate(2008, 7, 5)); // today
        QCOMPARE(FindControl<QCalendarWidget>(window.get(), "calMain")->firstDayOfWeek(), Qt::Sunday);
    }

    void startsWithTheDataFilesOfTheFolder()
    {
        WriteSampleData();
        auto window = Open();
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        QCOMPARE(tree->topLevelItemCount(), 2);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Work"));
        QCOMPARE(tree->topLevelItem(0)->childCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Web site"));
        QVERIFY(tree->topLevelItem(0)->isExpanded());
        QCOMPARE(tree->topLevelItem(1)->child(0)->text(0), QStringLiteral("Garden"));
        // The day planner shows the calendar's day, the hour found with letter case ignored.
        TMainWindowFixture::ShowCalendar(*window);
        auto* hours = FindControl<QTreeWidget>(window.get(), "lvwToDo");
        QCOMPARE(hours->topLevelItem(8)->text(1), QStringLiteral("Call the bank  soon"));
        QCOMPARE(hours->topLevelItem(9)->text(1), QString());
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void rightClickSelectsTheNodeAndOpensTheTreeMenu()
    {
        WriteSampleData();
        auto window = Open();
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        QTreeWidgetItem* garden = tree->topLevelItem(1)->child(0);
        const QPoint where = tree->visualItemRect(garden).center();
        emit tree->customContextMenuRequested(where);
        QCOMPARE(tree->currentItem(), garden);
        auto* menu = FindControl<QMenu>(window.get(), "mnuTree");
        QTRY_VERIFY(menu->isVisible());
        QStringList items;
        for (QAction* action : menu->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        QCOMPARE(items, (QStringList{"New Category", "-", "New Project", "Edit", "Delete", "-", "Export\u2026"}));
        menu->hide();
    }

    void ctrlSWritesTheThreeFiles()
    {
        WriteSampleData();
        auto window = Open();
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("New \u00E9")); });
        TriggerAction(window.get(), "NewCategory1");
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(Fixture->Temp.Read("categories.dat"), std::string("Work\r\nHome\r\nNew \xE9\r\n"));
        QVERIFY(Fixture->Temp.Read("projects.dat").starts_with("Header^Web site^Work^ 7/ 5/2008^ 7/31/2008^\r\n"));
        QVERIFY(!Fixture->Temp.Has("Projects.dat")); // written back under the name it was read from
        QCOMPARE(Fixture->Temp.Read("Hours.dat"),
                 std::string("7/5/2008^9:00 am^Call the bank\xA5\xA5\xA7\xA7soon^\r\n"
                             "7/6/2008^9:00 AM^Other day^\r\n"));
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void ctrlEExportsWhatTheTreeSelectsAndCtrlPPrintsWhatTheTabShows()
    {
        WriteSampleData();
        auto window = Open();
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        Fixture->Dialogs.AnswerOk(
            [](QDialog& dialog) { FindControl<QRadioButton>(&dialog, "rbCsv")->setChecked(true); });
        Fixture->Files.Answers = {QString::fromStdString(Fixture->Temp.File("out.csv"))};
        QTest::keyClick(window.get(), Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(Fixture->Dialogs.Captions, QStringList{"Export"});
        QVERIFY(Fixture->Files.Suggested.first().endsWith(QStringLiteral("/Web site.csv")));
        QCOMPARE(Fixture->Temp.Read("out.csv"),
                 std::string("\xEF\xBB\xBFProject,Category,Done,Description,Notes,Start Date,End Date\r\n"
                             "Web site,Work,Yes,Buy domain,\"two\r\nlines\",,\r\n"));

        Fixture->Printer.Files = {QString::fromStdString(Fixture->Temp.File("project.pdf")),
                                  QString::fromStdString(Fixture->Temp.File("day.pdf"))};
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        FindControl<QTabWidget>(window.get(), "pgcMain")->setCurrentIndex(1);
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(Fixture->Printer.Files.empty());
        QVERIFY(Fixture->Temp.Read("project.pdf").starts_with("%PDF"));
        QVERIFY(Fixture->Temp.Read("day.pdf").starts_with("%PDF"));
        QVERIFY(Fixture->Messages.Shown.isEmpty());

        Fixture->Printer.Files = {QString::fromStdString(Fixture->Temp.File("missing/day.pdf"))};
        QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(Fixture->Messages.Texts(), QStringList{"The printout could not be made."});
    }

    void saveButtonCreatesTheFilesInAnEmptyFolder()
    {
        auto window = Open();
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
        QVERIFY(Fixture->Temp.Has("categories.dat"));
        QVERIFY(Fixture->Temp.Has("Projects.dat"));
        QVERIFY(Fixture->Temp.Has("Hours.dat"));
        QCOMPARE(Fixture->Temp.Read("Projects.dat"), std::string());
    }

    void failedSaveIsReportedAndStopsAtTheFailingFile()
    {
        auto window = Open();
        std::filesystem::create_directory(Fixture->Temp.Path() / "Projects.dat");
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
        QCOMPARE(Fixture->Messages.Shown.size(), 1);
        QCOMPARE(Fixture->Messages.Shown.first().Kind, TMsgKind::Warning);
        QCOMPARE(Fixture->Messages.Shown.first().Text,
                 QStringLiteral("Cannot replace \"Projects.dat\": Not a regular file"));
        QVERIFY(Fixture->Temp.Has("categories.dat"));
        QVERIFY(!Fixture->Temp.Has("Hours.dat"));
        // The program goes on: a later save works once the obstacle is gone.
        std::filesystem::remove(Fixture->Temp.Path() / "Projects.dat");
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
        QVERIFY(Fixture->Temp.Has("Hours.dat"));
        QCOMPARE(Fixture->Messages.Shown.size(), 1);
    }

    void unreadableFileAtStartIsReportedAndTheOtherStepsStillRun()
    {
        WriteSampleData();
        std::filesystem::remove(Fixture->Temp.Path() / "categories.dat");
        std::filesystem::create_directory(Fixture->Temp.Path() / "categories.dat");
        auto window = Open();
        QCOMPARE(Fixture->Messages.Texts(),
                 QStringList{QStringLiteral("Cannot read \"categories.dat\": Not a regular file")});
        QCOMPARE(FindControl<QTreeWidget>(window.get(), "tvwMain")->topLevelItemCount(), 0); // no categories
        TMainWindowFixture::ShowCalendar(*window);
        QCOMPARE(FindControl<QTreeWidget>(window.get(), "lvwToDo")->topLevelItem(8)->text(1),
                 QStringLiteral("Call the bank  soon"));
        QVERIFY(window->isVisible());

        // Saving keeps what could not be read, writes the rest and says so once.
        Fixture->Messages.Shown.clear();
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
        QVERIFY(std::filesystem::is_directory(Fixture->Temp.Path() / "categories.dat"));
        QVERIFY(Fixture->Temp.Read("projects.dat").starts_with("Header^Web site^Work^"));
        QCOMPARE(Fixture->Messages.Shown.size(), 1);
        QCOMPARE(Fixture->Messages.Shown.first().Kind, TMsgKind::Warning);
        QCOMPARE(Fixture->Messages.Shown.first().Text,
                 QStringLiteral("\"categories.dat\" was not saved and was left as it is, because it could not be read "
                                "when the program started:\nCannot read \"categories.dat\": Not a regular file"));

        // A save that fails on another file still says what it kept.
        Fixture->Messages.Shown.clear();
        std::filesystem::remove(Fixture->Temp.Path() / "Hours.dat");
        std::filesystem::create_directory(Fixture->Temp.Path() / "Hours.dat");
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
        QCOMPARE(Fixture->Messages.Texts().size(), 2);
        QVERIFY(Fixture->Messages.Texts().first().startsWith(QStringLiteral("\"categories.dat\" was not saved")));
        QCOMPARE(Fixture->Messages.Texts().last(), QStringLiteral("Cannot replace \"Hours.dat\": Not a regular file"));
    }

    void welcomePageShowsFirstAndHoldsTheStartupCheckBack()
    {
        auto window = Create("<p>Welcome <b>reader</b></p>");
        QSignalSpy checks(window.get(), &TfrmMain::StartupCheckDue);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* pages = FindControl<QTabWidget>(window.get(), "pgcPrinc");
        QVERIFY(pages->tabBar()->isHidden());
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsWelcome"));
        QVERIFY(FindControl<QTextBrowser>(window.get(), "prfWelcome")
                    ->toPlainText()
                    .contains(QStringLiteral("Welcome reader")));
        QVERIFY(FindControl<QTextBrowser>(window.get(), "prfWelcome")->isReadOnly());
        auto* timer2 = FindControl<QTimer>(window.get(), "Timer2");
        QVERIFY(!timer2->isActive()); // so no check can come while the welcome page shows

        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("btnThanks"));
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
        QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("stsMain"));
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("tvwMain"));
        QTRY_COMPARE(checks.count(), 1);
        QVERIFY(!timer2->isActive()); // and none after the first
    }

    void thanksPressedWhileTheWindowFirstShowsStillLeavesTheWelcomePageOnce()
    {
        auto window = Create("<p>hi</p>");
        QSignalSpy checks(window.get(), &TfrmMain::StartupCheckDue);
        auto* thanks = FindControl<QPushButton>(window.get(), "btnThanks");
        QTimer::singleShot(0, thanks, [thanks] { thanks->click(); }); // runs inside the show steps
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(FindControl<QTabWidget>(window.get(), "pgcPrinc")->currentWidget()->objectName(),
                 QStringLiteral("stsMain"));
        QTRY_COMPARE(checks.count(), 1);
        thanks->click();
        QVERIFY(!FindControl<QTimer>(window.get(), "Timer2")->isActive());
        QCOMPARE(checks.count(), 1);
    }

    void bannerStaysCentredWhenTheWindowIsResizedOnTheWelcomePage()
    {
        auto window = Open("<p>hi</p>");
        auto* banner = FindControl<QLabel>(window.get(), "imgBanner");
        banner->resize(105, 41);
        window->resize(window->width() + 200, window->height());
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnThanks"), Qt::LeftButton);
        auto* panel = FindControl<QWidget>(window.get(), "panBanner");
        QTRY_COMPARE(banner->x(), panel->width() / 2 - 52);
    }

    void startupCheckRunsOnceAfterTheWindowIsShownWithoutAWelcomePage()
    {
        auto window = Create();
        QSignalSpy checks(window.get(), &TfrmMain::StartupCheckDue);
        auto* timer2 = FindControl<QTimer>(window.get(), "Timer2");
        QVERIFY(timer2->isActive());
        QSignalSpy ticks(timer2, &QTimer::timeout);
        QTRY_VERIFY(ticks.count() >= 2); // not shown yet: the ticks wait for the window
        QCOMPARE(checks.count(), 0);
        window->show();
        QTRY_COMPARE(checks.count(), 1);
        QVERIFY(!timer2->isActive());
    }

    void showingAgainAfterARestoreDoesNotRerunTheShowSteps()
    {
        auto window = Open("<p>hi</p>");
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnThanks"), Qt::LeftButton);
        window->hide();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(FindControl<QTabWidget>(window.get(), "pgcPrinc")->currentWidget()->objectName(),
                 QStringLiteral("stsMain"));
    }

    void closingWithUnsavedChangesAsksFirstAndClosesOnlyWhenSaved()
    {
        WriteSampleData();
        auto window = Open();
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("unsaved")); });
        TriggerAction(window.get(), "NewCategory1");
        QCOMPARE(window->windowHandle()->title(), QStringLiteral("Taskwren*"));
        auto* timer1 = FindControl<QTimer>(window.get(), "Timer1");
        timer1->start();

        // "Cancel" leaves the window as it was: the timers run and the tree shows projects.
        Fixture->Messages.SaveAnswers = {TSaveAnswer::Cancel};
        QVERIFY(!window->close());
        QVERIFY(window->isVisible() && timer1->isActive());
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblProjName")->text(), QStringLiteral("Project Name:  Web site"));

        // A "Save" that fails keeps the window open, saying why.
        std::filesystem::remove(Fixture->Temp.File("projects.dat"));
        std::filesystem::create_directory(Fixture->Temp.File("projects.dat"));
        Fixture->Messages.SaveAnswers = {TSaveAnswer::Save};
        QVERIFY(!window->close());
        QCOMPARE(Fixture->Messages.Texts().last(),
                 QStringLiteral("Cannot replace \"projects.dat\": Not a regular file"));
        QVERIFY(window->isVisible() && window->isWindowModified());

        std::filesystem::remove(Fixture->Temp.File("projects.dat"));
        Fixture->Messages.SaveAnswers = {TSaveAnswer::Save};
        QVERIFY(window->close());
        QVERIFY(!timer1->isActive());
        QCOMPARE(Fixture->Temp.Read("categories.dat"), std::string("Work\r\nHome\r\nunsaved\r\n"));
        QVERIFY(Fixture->Temp.Read("Projects.dat").starts_with("Header^Web site^"));
        QCOMPARE(Fixture->Messages.Texts().count(QStringLiteral("Save changes before closing?")), 3);
    }

    void dontSaveClosesWithoutWriting()
    {
        WriteSampleData();
        auto window = Open();
        FindControl<QTabWidget>(window.get(), "pgcMain")->setCurrentIndex(1);
        auto* hours = FindControl<QTreeWidget>(window.get(), "lvwToDo");
        hours->setCurrentItem(hours->topLevelItem(8));
        QTest::keyClick(hours, Qt::Key_Delete);
        QVERIFY(window->isWindowModified());
        Fixture->Messages.SaveAnswers = {TSaveAnswer::DontSave};
        QVERIFY(window->close());
        QVERIFY(Fixture->Temp.Read("Hours.dat").starts_with("7/5/2008^9:00 am^Call the bank"));
    }

    void closingTheWindowEndsAWaitingRequest()
    {
        TUnacceptingListener server;
        auto window = Open();
        QTimer::singleShot(300, window.get(), [&window] { window->close(); });
        QVERIFY_THROWS_EXCEPTION(
            EHttpError, static_cast<void>(window->IdHTTP1().PostForm(server.Url() + "getlastnews.php", {{"a", "b"}})));
        QVERIFY(!window->isVisible());
        QVERIFY(!window->IdHTTP1().Busy());
    }

    void tabReachesEveryControlOnceAndWrapsAround()
    {
        auto window = Open();
        QCOMPARE(window->focusWidget()->objectName(), QStringLiteral("tvwMain")); // the keyboard starts in the tree
        // The design names of the controls that Tab visits, `count` of them from `first` on.
        const auto tabRound = [&window](const char* first, qsizetype count) {
            FindControl<QWidget>(window.get(), first)->setFocus();
            QStringList visited;
            while (visited.size() < count) {
                QWidget* focus = window->focusWidget(); // a tab set's or calendar's inner part counts as it
                visited << (focus->objectName().startsWith(QLatin1String("qt_")) ? focus->parentWidget() : focus)
                               ->objectName();
                QTest::keyClick(focus, Qt::Key_Tab);
            }
            return visited;
        };
        const QStringList frame{"lblLink1URL", "lblLink2URL", "btn1",    "btnSave", "btnMakeMoney", "btnAbout",
                                "btnNews",     "btnUpdate",   "btnHelp", "tvwMain", "pgcMain"};
        const QStringList tasks = QStringList{"lvwItems", "btnAdd", "btnEdit", "btnRemove"} + frame;
        QCOMPARE(tabRound("lvwItems", 2 * tasks.size()), tasks + tasks);

        FindControl<QTabWidget>(window.get(), "pgcMain")->setCurrentIndex(1);
        const QStringList calendar =
            QStringList{"calMain", "lvwToDo", "btnEditHour", "btnClearHour", "btnToday"} + frame;
        QCOMPARE(tabRound("calMain", 2 * calendar.size()), calendar + calendar);
    }

    void aLongProjectNameNeverWidensTheWindow()
    {
        const std::string name(300, 'W');
        Fixture->Temp.Write("categories.dat", name + "\r\n");
        Fixture->Temp.Write("projects.dat", "Header^" + name + "^" + name + "^" + name + "^^\r\nEndProject\r\n");
        auto window = Open();
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblProjName")->text(),
                 QStringLiteral("Project Name:  ") + QString::fromStdString(name));
        for (int level = 0; level < 3; ++level) // the layouts settle, one level a pass
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCOMPARE(window->width(), TfrmMain::ClientWidth);
        QVERIFY(window->minimumSizeHint().width() < TfrmMain::ClientWidth);
    }

    void theBuiltInLookKeepsDarkTextsOnLightGroundUnderADarkDesktop()
    {
        QApplication::setPalette(QPalette(Qt::darkGray, Qt::black)); // the desktop's theme
        const auto readable = [](const QWidget* control) {
            const QPalette colours = control->palette();
            return colours.color(QPalette::WindowText).lightness() < 100 &&
                colours.color(QPalette::Text).lightness() < 100 && colours.color(QPalette::Base).lightness() > 200;
        };
        auto window = Open();
        QVERIFY(readable(FindControl<QWidget>(window.get(), "lblProjName")));
        QVERIFY(readable(FindControl<QWidget>(window.get(), "tvwMain")));
        Fixture->Dialogs.Steps.push_back(
            [&readable](QDialog& dialog) { QVERIFY(readable(FindControl<QWidget>(&dialog, "edtStartDate"))); });
        QTest::mouseClick(FindControl<QPushButton>(window.get(), "btn1"), Qt::LeftButton);
    }

    void toolBarHasItsCaptionsAndToolTips()
    {
        auto window = Open();
        QCOMPARE(FindControl<QPushButton>(window.get(), "btn1")->text(), QStringLiteral("New Project"));
        QCOMPARE(FindControl<QPushButton>(window.get(), "btnMakeMoney")->text(), QStringLiteral("Make Money"));
        QCOMPARE(FindControl<QWidget>(window.get(), "btnNews")->toolTip(), QStringLiteral("Check News"));
        QCOMPARE(FindControl<QWidget>(window.get(), "btnUpdate")->toolTip(), QStringLiteral("Check Updates"));
        QCOMPARE(FindControl<QWidget>(window.get(), "btnHelp")->toolTip(), QStringLiteral("Help"));
        for (const char* name : {"btnNews", "btnUpdate", "btnHelp"}) {
            auto* button = FindControl<QToolButton>(window.get(), name);
            QCOMPARE(button->accessibleName(), button->toolTip());
            QCOMPARE(button->icon().pixmap(button->iconSize(), 2.0).size(), 2 * button->iconSize()); // sharp at 200%
        }
        QCOMPARE(FindControl<QLabel>(window.get(), "lblLink1URL")->text(), QStringLiteral("Google"));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblLink2URL")->text(), QStringLiteral("Google"));
        auto* tabs = FindControl<QTabWidget>(window.get(), "pgcMain");
        QCOMPARE(tabs->tabPosition(), QTabWidget::South);
        QCOMPARE(tabs->tabText(0), QStringLiteral("Tasks"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Calendar"));
    }

    void aUserCanPlanSaveQuitAndFindEverythingAgain()
    {
        {
            auto window = Open();
            Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Work")); });
            TriggerAction(window.get(), "NewCategory1");
            Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Site")); });
            QTest::mouseClick(FindControl<QPushButton>(window.get(), "btn1"), Qt::LeftButton);
            QCOMPARE(FindControl<QLabel>(window.get(), "lblProjName")->text(), QStringLiteral("Project Name:  Site"));
            Fixture->Dialogs.AnswerOk(
                [](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Buy domain")); });
            QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnAdd"), Qt::LeftButton);
            auto* tasks = FindControl<QTreeWidget>(window.get(), "lvwItems");
            QCOMPARE(tasks->topLevelItemCount(), 1);
            tasks->topLevelItem(0)->setCheckState(0, Qt::Checked);
            QCOMPARE(FindControl<QProgressBar>(window.get(), "MainGauge")->value(), 100);

            FindControl<QTabWidget>(window.get(), "pgcMain")->setCurrentIndex(1);
            auto* hours = FindControl<QTreeWidget>(window.get(), "lvwToDo");
            hours->setCurrentItem(hours->topLevelItem(11));
            Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Lunch")); });
            QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnEditHour"), Qt::LeftButton);
            QTest::mouseClick(FindControl<QPushButton>(window.get(), "btnSave"), Qt::LeftButton);
            QVERIFY(window->close());
        }
        QCOMPARE(Fixture->Temp.Read("Hours.dat"), std::string("7/5/2008^12:00 M^Lunch^\r\n"));
        auto window = Open();
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        QCOMPARE(tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("Site"));
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblStartDate")->text(), QStringLiteral("Start Date:   7/ 5/2008"));
        auto* tasks = FindControl<QTreeWidget>(window.get(), "lvwItems");
        QCOMPARE(tasks->topLevelItem(0)->text(1), QStringLiteral("Buy domain"));
        QCOMPARE(tasks->topLevelItem(0)->checkState(0), Qt::Checked);
        TMainWindowFixture::ShowCalendar(*window);
        QCOMPARE(FindControl<QTreeWidget>(window.get(), "lvwToDo")->topLevelItem(11)->text(1), QStringLiteral("Lunch"));
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void onceClosingHasBegunTheTreeNoLongerShowsProjects()
    {
        WriteSampleData();
        auto window = Open();
        QVERIFY(window->close());
        auto* tree = FindControl<QTreeWidget>(window.get(), "tvwMain");
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCOMPARE(FindControl<QLabel>(window.get(), "lblProjName")->text(), QStringLiteral("Project Name:  "));
    }

    void listsAndTheTreeMenuUseTheDesignFontAndTheHourCaptionsFit()
    {
        auto window = Open();
        TMainWindowFixture::ShowCalendar(*window);
        for (QWidget* control : {static_cast<QWidget*>(FindControl<QTreeWidget>(window.get(), "lvwItems")),
                                 static_cast<QWidget*>(FindControl<QTreeWidget>(window.get(), "lvwToDo")),
                                 static_cast<QWidget*>(FindControl<QMenu>(window.get(), "mnuTree"))}) {
            QCOMPARE(control->font().family(), QStringLiteral("Arial"));
            QCOMPARE(control->font().pixelSize(), 14);
        }
        FindControl<QTabWidget>(window.get(), "pgcMain")->setCurrentIndex(1);
        auto* hours = FindControl<QTreeWidget>(window.get(), "lvwToDo");
        QCOMPARE(hours->header()->sectionSize(0), 70);
        auto* calendar = FindControl<QWidget>(window.get(), "calMain");
        auto* day = FindControl<QWidget>(window.get(), "panDay");
        QTRY_VERIFY(day->isVisible());
        QCOMPARE(day->mapTo(window.get(), QPoint()).x() -
                     calendar->mapTo(window.get(), QPoint(calendar->width(), 0)).x(),
                 10);
    }
};

QTEST_MAIN(FMainTest)
#include "FMainTest.moc"
