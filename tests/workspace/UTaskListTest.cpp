#include "workspace/UTaskList.h"
#include "UPinnedSettings.h"

#include "TTempFolder.h"
#include "TWorkspaceFixture.h"
#include "UFindControl.h"
#include "common/UProgramFolder.h"
#include "ui/TReorderList.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

class UTaskListTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWorkspaceFixture> Fixture;
    std::unique_ptr<TTaskList> List;
    std::unique_ptr<QWidget> Tab;
    std::unique_ptr<QWidget> Details;
    QTreeWidget* lvwItems = nullptr;
    QProgressBar* MainGauge = nullptr;

    TProject& ShowProject(int tasks, int done)
    {
        TProject& project = Fixture->AddProject("Site", "Work");
        project.StartDate = " 7/ 5/2008";
        for (int t = 0; t < tasks; ++t)
            project.Tasks.Append("t", std::make_unique<TTask>(t < done, "Task " + std::to_string(t), "", "", ""));
        Fixture->State.CurrentProject = &project;
        List->ShowProjectTasks();
        return project;
    }

    QString Label(const char* name) { return FindControl<QLabel>(Details.get(), name)->text(); }
    void Click(const char* name) { QTest::mouseClick(FindControl<QPushButton>(Tab.get(), name), Qt::LeftButton); }
    QString GaugeText() const { return MainGauge->text(); }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init()
    {
        Fixture = std::make_unique<TWorkspaceFixture>();
        List = std::make_unique<TTaskList>(Fixture->State, Fixture->Services);
        Tab.reset(List->TasksTab());
        Details.reset(List->DetailsPanel());
        lvwItems = FindControl<QTreeWidget>(Tab.get(), "lvwItems");
        MainGauge = FindControl<QProgressBar>(Details.get(), "MainGauge");
        Tab->show();
    }

    void cleanup()
    {
        List.reset();
        Tab.reset();
        Details.reset();
        QVERIFY(Fixture->Dialogs.Steps.empty());
        QVERIFY(Fixture->Messages.Answers.empty());
    }

    void showsTheProjectAndClearsBackToNoProject()
    {
        TProject& project = ShowProject(0, 0);
        project.Tasks.Append("d", std::make_unique<TTask>(true, "Two\r\nlines", "a\r\nb", " 7/ 6/2008", ""));
        List->ShowProjectTasks();
        QCOMPARE(lvwItems->topLevelItem(0)->text(1), QStringLiteral("Two  lines"));
        QCOMPARE(lvwItems->topLevelItem(0)->text(2), QStringLiteral("a  b"));
        QCOMPARE(lvwItems->topLevelItem(0)->checkState(0), Qt::Checked);
        QCOMPARE(Label("lblProjName"), QStringLiteral("Project Name:  Site"));
        QCOMPARE(Label("lblStartDate"), QStringLiteral("Start Date:   7/ 5/2008"));
        QCOMPARE(Label("lblEndDate"), QStringLiteral("End Date:  "));
        QCOMPARE(GaugeText(), QStringLiteral("1/1 tasks  100%"));

        List->ClearProjectPanel();
        QCOMPARE(lvwItems->topLevelItemCount(), 0);
        QCOMPARE(Label("lblProjName"), QStringLiteral("Project Name:  "));
        QCOMPARE(Label("lblStartDate"), QStringLiteral("Start Date: "));
        QCOMPARE(Label("lblEndDate"), QStringLiteral("End Date: "));
        QCOMPARE(GaugeText(), QStringLiteral("0/0 tasks  0%"));
    }

    void tickingTheLastTaskMovesTheGaugeTo100()
    {
        TProject& project = ShowProject(4, 3);
        QCOMPARE(MainGauge->value(), 75);
        lvwItems->topLevelItem(3)->setCheckState(0, Qt::Checked);
        QVERIFY(project.Tasks[3].Done);
        QCOMPARE(MainGauge->value(), 100);
        QCOMPARE(GaugeText(), QStringLiteral("4/4 tasks  100%"));
        Fixture->State.Closing = true; // nothing changes once closing has begun
        lvwItems->topLevelItem(3)->setCheckState(0, Qt::Unchecked);
        QVERIFY(project.Tasks[3].Done);
    }

    void spaceTicksTheSelectedRowAsAClickWouldAndReturnEditsIt()
    {
        TProject& project = ShowProject(2, 1);
        QSignalSpy edited(List.get(), &TTaskList::Edited);
        lvwItems->setCurrentItem(lvwItems->topLevelItem(1), 1); // on its description, away from the box
        QTest::keyClick(lvwItems, Qt::Key_Space);
        QVERIFY(project.Tasks[1].Done);
        QCOMPARE(GaugeText(), QStringLiteral("2/2 tasks  100%"));
        QTest::keyClick(lvwItems, Qt::Key_Space);
        QVERIFY(!project.Tasks[1].Done);
        QCOMPARE(edited.count(), 2);
        Fixture->Dialogs.AnswerOk();
        QTest::keyClick(lvwItems, Qt::Key_Return);
        QCOMPARE(Fixture->Dialogs.Captions, QStringList{"Edit task"});
        QCOMPARE(edited.count(), 3);
    }

    void movingATaskTakesItsRowAndTheSelectionAlongAndSavesInTheNewOrder()
    {
        ShowProject(3, 1); // "Task 0" is done
        QSignalSpy edited(List.get(), &TTaskList::Edited);
        lvwItems->setCurrentItem(lvwItems->topLevelItem(0));
        for (const char* move : {"MoveDown1", "MoveDown1", "MoveDown1", "MoveUp1"}) // the third finds the end
            TriggerAction(Tab.get(), move);
        QCOMPARE(lvwItems->currentItem(), lvwItems->topLevelItem(1));
        QCOMPARE(lvwItems->topLevelItem(1)->checkState(0), Qt::Checked);
        emit FindControl<TReorderList>(Tab.get(), "lvwItems")->RowDropped(2, 0); // a row dragged to the top
        QCOMPARE(edited.count(), 4);

        TTempFolder temp;
        TProgramFolder folder(temp.Path());
        Fixture->State.Projects->SaveProjects(folder);
        TProjects saved;
        saved.LoadProjects(folder);
        QStringList order;
        for (int t = 0; t < saved[0].Tasks.Count(); ++t)
            order << QString::fromStdString(std::string(saved[0].Tasks[t].Description)) + (saved[0].Tasks[t].Done ? "+" : "");
        QCOMPARE(order, (QStringList{"Task 2", "Task 1", "Task 0+"}));
        QCOMPARE(lvwItems->topLevelItem(0)->text(1), QStringLiteral("Task 2"));
    }

    void addingNeedsAShownProjectAndLeavesNoRowSelected()
    {
        Click("btnAdd");
        QCOMPARE(Fixture->Messages.Texts(),
                 QStringList{"You have to create a new project or open an existing before add tasks!"});
        TProject& project = ShowProject(1, 0);
        Fixture->Dialogs.AnswerCancel();
        Click("btnAdd");
        QCOMPARE(project.Tasks.Count(), 1);
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) {
            SetField(dialog, "edtName", QStringLiteral(" New "));
            SetField(dialog, "memNotes", QStringLiteral("one\ntwo"));
            FindControl<QCheckBox>(&dialog, "chkDone")->setChecked(true);
        });
        Click("btnAdd");
        QCOMPARE(Fixture->Dialogs.Captions, (QStringList{"Add task", "Add task"}));
        QCOMPARE(project.Tasks.Count(), 2);
        QCOMPARE(project.Tasks[1].Description, std::string(" New "));
        QCOMPARE(project.Tasks[1].Notes, std::string("one\r\ntwo"));
        QCOMPARE(project.Tasks.Label(1), std::string(" New "));
        QCOMPARE(GaugeText(), QStringLiteral("1/2 tasks  50%"));
        QVERIFY(lvwItems->selectedItems().isEmpty());
    }

    void editingNeedsRowsAndASelectionAndKeepsTheRowSelected()
    {
        Click("btnEdit");
        TProject& project = ShowProject(3, 0);
        Click("btnEdit");
        QCOMPARE(Fixture->Messages.Texts(),
                 (QStringList{"There is not tasks to edit!", "Please select a task to edit!"}));
        lvwItems->setCurrentItem(lvwItems->topLevelItem(1));
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Edited")); });
        const QPoint row = lvwItems->visualItemRect(lvwItems->topLevelItem(1)).center();
        QTest::mouseClick(lvwItems->viewport(), Qt::LeftButton, {}, row);
        QTest::mouseDClick(lvwItems->viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(Fixture->Dialogs.Captions, QStringList{"Edit task"});
        QCOMPARE(project.Tasks[1].Description, std::string("Edited"));
        QCOMPARE(lvwItems->topLevelItem(1)->text(1), QStringLiteral("Edited"));
        QVERIFY(lvwItems->topLevelItem(1)->isSelected());
    }

    void removingAsksAndUpdatesTheGauge()
    {
        Click("btnRemove");
        TProject& project = ShowProject(2, 1);
        Click("btnRemove");
        lvwItems->setCurrentItem(lvwItems->topLevelItem(0));
        Fixture->Messages.Answers = {false, true};
        Click("btnRemove");
        QCOMPARE(project.Tasks.Count(), 2);
        QTest::keyClick(lvwItems, Qt::Key_Delete);
        QCOMPARE(
            Fixture->Messages.Texts(),
            (QStringList{"There is not tasks to remove!", "Please select a task to remove!",
                         "Are you sure do you want remove this taks?", "Are you sure do you want remove this taks?"}));
        QCOMPARE(project.Tasks.Count(), 1);
        QCOMPARE(project.Tasks[0].Description, std::string("Task 1"));
        QCOMPARE(lvwItems->topLevelItemCount(), 1);
        QCOMPARE(GaugeText(), QStringLiteral("0/1 tasks  0%"));
    }
};

QTEST_MAIN(UTaskListTest)
#include "UTaskListTest.moc"
