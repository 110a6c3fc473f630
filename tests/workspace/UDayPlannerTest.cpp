#include "workspace/UDayPlanner.h"
#include "UPinnedSettings.h"

#include "TTempFolder.h"
#include "TWorkspaceFixture.h"
#include "UFindControl.h"
#include "common/UProgramFolder.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

class UDayPlannerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWorkspaceFixture> Fixture;
    std::unique_ptr<TDayPlanner> Planner;
    std::unique_ptr<QWidget> Tab;
    QTreeWidget* lvwToDo = nullptr;
    QCalendarWidget* calMain = nullptr;

    QString Action(int row) const { return lvwToDo->topLevelItem(row)->text(1); }
    void Click(const char* name) { QTest::mouseClick(FindControl<QPushButton>(Tab.get(), name), Qt::LeftButton); }
    void SelectRow(int row) { lvwToDo->setCurrentItem(lvwToDo->topLevelItem(row)); }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init()
    {
        Fixture = std::make_unique<TWorkspaceFixture>();
        Planner = std::make_unique<TDayPlanner>(Fixture->State, Fixture->Services);
        Tab.reset(Planner->CalendarTab());
        Planner->AddHourRows();
        Tab->show(); // makes the tab's controls
        lvwToDo = FindControl<QTreeWidget>(Tab.get(), "lvwToDo");
        calMain = FindControl<QCalendarWidget>(Tab.get(), "calMain");
    }

    void cleanup()
    {
        Planner.reset();
        Tab.reset();
        QVERIFY(Fixture->Dialogs.Steps.empty());
    }

    void showsTheActionsOfTheDayOnScreenAfterEveryChangeOfDate()
    {
        SetHourAction(*Fixture->State.Hours, "7/5/2008", "9:00 am", "Call\r\nBob");
        SetHourAction(*Fixture->State.Hours, "8/5/2008", "12:00 M", "Lunch");
        SetHourAction(*Fixture->State.Hours, "2/29/2008", "1:00 AM", "Leap");
        Planner->RefreshDayActions();
        QCOMPARE(calMain->selectedDate(), QDate(2008, 7, 5)); // today
        QCOMPARE(Action(8), QStringLiteral("Call  Bob"));

        calMain->showNextMonth(); // the arrow moves the date itself, and the list follows at once
        QCOMPARE(calMain->selectedDate(), QDate(2008, 8, 5));
        QCOMPARE(Action(8), QString());
        QCOMPARE(Action(11), QStringLiteral("Lunch"));

        calMain->setSelectedDate(QDate(2008, 1, 31));
        calMain->showNextMonth(); // the day is cut to the month's last
        QCOMPARE(calMain->selectedDate(), QDate(2008, 2, 29));
        QCOMPARE(Action(0), QStringLiteral("Leap"));

        Click("btnToday");
        QCOMPARE(calMain->selectedDate(), QDate(2008, 7, 5));
        QCOMPARE(Action(8), QStringLiteral("Call  Bob"));
    }

    void editingRowTwelveStoresTheNoonCaptionAndSaves()
    {
        SelectRow(11);
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) {
            QCOMPARE(FindControl<QLabel>(&dialog, "lblDay")->text(), QStringLiteral("Day: 7/5/2008"));
            QCOMPARE(FindControl<QLabel>(&dialog, "lblHour")->text(), QStringLiteral("Hour: 12:00 M"));
            SetField(dialog, "edtName", QStringLiteral("Lunch"));
        });
        QTest::keyClick(lvwToDo, Qt::Key_Return); // as "Edit selected action"
        QCOMPARE(Action(11), QStringLiteral("Lunch"));

        TTempFolder temp;
        TProgramFolder folder(temp.Path());
        Fixture->State.Hours->SaveHours(folder);
        QCOMPARE(temp.Read("Hours.dat"), std::string("7/5/2008^12:00 M^Lunch^\r\n"));
    }

    void editAndClearNeedASelectedRowAndClearingAnEmptyHourDoesNothing()
    {
        QSignalSpy edited(Planner.get(), &TDayPlanner::Edited);
        Click("btnEditHour");
        Click("btnClearHour");
        QCOMPARE(Fixture->Messages.Texts(),
                 (QStringList{"Please select a hour to edit!", "Please select an action to delete!"}));
        SelectRow(2);
        Click("btnClearHour");
        QCOMPARE(Fixture->Messages.Shown.size(), 2);
        SetHourAction(*Fixture->State.Hours, "7/5/2008", "3:00 AM", "Wake");
        Planner->RefreshDayActions();
        QTest::keyClick(lvwToDo, Qt::Key_Delete); // as "Clear selected action"
        QCOMPARE(Action(2), QString());
        QCOMPARE(Fixture->State.Hours->Count(), 0);
        QCOMPARE(edited.count(), 1); // only a change counts as unsaved
    }

    void thePointerOnTheCalendarStartsTheRefreshTimer()
    {
        auto* timer = FindControl<QTimer>(Planner.get(), "Timer1");
        QVERIFY(!timer->isActive());
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(calMain, &enter);
        QVERIFY(timer->isActive());
        QCOMPARE(timer->interval(), 1000);
    }
};

QTEST_MAIN(UDayPlannerTest)
#include "UDayPlannerTest.moc"
