#include "workspace/UProjectTree.h"
#include "UPinnedSettings.h"

#include "TWorkspaceFixture.h"
#include "UFindControl.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

class UProjectTreeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TWorkspaceFixture> Fixture;
    std::unique_ptr<TProjectTree> Tree;
    std::unique_ptr<QGroupBox> Group;
    QTreeWidget* tvwMain = nullptr;
    QStringList Shown; // what the task list was asked to show, "-" for nothing

    // The tree's rows as "category: project, project", in order.
    QStringList Rows() const
    {
        QStringList rows;
        for (int c = 0; c < tvwMain->topLevelItemCount(); ++c) {
            const QTreeWidgetItem* category = tvwMain->topLevelItem(c);
            QStringList projects;
            for (int p = 0; p < category->childCount(); ++p)
                projects << category->child(p)->text(0);
            rows << category->text(0) + QStringLiteral(": ") + projects.join(QStringLiteral(", "));
        }
        return rows;
    }

    void Select(int category, int project = -1)
    {
        QTreeWidgetItem* node = tvwMain->topLevelItem(category);
        tvwMain->setCurrentItem(project < 0 ? node : node->child(project));
    }

    void Trigger(const char* item) { TriggerAction(Tree->Widget(), item); }

    // The labels of the nodes not hidden, in order.
    QStringList VisibleNodes() const
    {
        QStringList nodes;
        for (QTreeWidgetItemIterator node(tvwMain, QTreeWidgetItemIterator::NotHidden); *node; ++node)
            nodes << (*node)->text(0);
        return nodes;
    }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init()
    {
        Fixture = std::make_unique<TWorkspaceFixture>();
        Tree = std::make_unique<TProjectTree>(Fixture->State, Fixture->Services);
        Group.reset(Tree->Widget());
        tvwMain = FindControl<QTreeWidget>(Group.get(), "tvwMain");
        Shown.clear();
        connect(Tree.get(), &TProjectTree::ProjectPanelCleared, this, [this] { Shown << QStringLiteral("-"); });
        connect(Tree.get(), &TProjectTree::ProjectChosen, this,
                [this] { Shown << QString::fromStdString(std::string(Fixture->State.CurrentProject->Category)); });
    }

    void cleanup()
    {
        Tree.reset();
        Group.reset();
        QVERIFY(Fixture->Dialogs.Steps.empty());
        QVERIFY(Fixture->Messages.Answers.empty());
    }

    void rebuildListsCategoriesOnceWithTheirProjectsByExactName()
    {
        Fixture->State.Projects->Categories.Assign({"Work", "Home", "Work", "Empty"});
        Fixture->AddProject("Site", "Work");
        Fixture->AddProject("Garden", "Home");
        Fixture->AddProject("Lost", "work");
        Fixture->AddProject("Shop", "Work");
        Tree->RebuildTree("Garden");
        QCOMPARE(Rows(), (QStringList{"Work: Site, Shop", "Home: Garden", "Empty: "}));
        QVERIFY(tvwMain->topLevelItem(0)->isExpanded());
        QCOMPARE(tvwMain->currentItem()->text(0), QStringLiteral("Garden"));
        QCOMPARE(Shown, (QStringList{"-", "Home"}));
        QVERIFY(!Fixture->State.Updating);
        // Every node of a kind shares one picture.
        QCOMPARE(tvwMain->topLevelItem(0)->icon(0).cacheKey(), tvwMain->topLevelItem(1)->icon(0).cacheKey());
    }

    void choosingEitherOfTwoNamesakesShowsTheFirstAndACategoryShowsNothing()
    {
        Fixture->State.Projects->Categories.Assign({"Work"});
        TProject& first = Fixture->AddProject("Twin", "Work");
        Fixture->AddProject("Twin", "Work");
        Tree->RebuildTree("");
        Select(0, 1);
        QCOMPARE(Fixture->State.CurrentProject, &first);
        Select(0);
        QCOMPARE(Shown.last(), QStringLiteral("-"));
        Fixture->State.Updating = true; // a rebuild in progress
        Select(0, 0);
        QCOMPARE(Shown.last(), QStringLiteral("-"));
    }

    void newCategoryIsAddedUnlessItsNameDiffersOnlyInCase()
    {
        Fixture->State.Projects->Categories.Assign({"Work"});
        Tree->RebuildTree("");
        QSignalSpy edited(Tree.get(), &TProjectTree::Edited);
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("WORK")); });
        Trigger("NewCategory1");
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral(" Home ")); });
        Trigger("NewCategory1");
        Fixture->Dialogs.AnswerCancel();
        Trigger("NewCategory1");
        QCOMPARE(Rows(), (QStringList{"Work: ", " Home : "}));
        QCOMPARE(edited.count(), 1); // only what changed the model counts as unsaved
        QCOMPARE(Fixture->Dialogs.Captions.first(), QStringLiteral("Add new category"));
        QVERIFY(Fixture->Messages.Shown.isEmpty());
    }

    void editingACategoryRenamesTheEntryItsNodeShows()
    {
        Fixture->State.Projects->Categories.Assign({"Work", "work"});
        Fixture->AddProject("Site", "Work");
        Fixture->AddProject("Lost", "work");
        Tree->RebuildTree("");
        Select(1);
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Play")); });
        QTest::keyClick(tvwMain, Qt::Key_F2);
        QCOMPARE(Fixture->Dialogs.Captions.last(), QStringLiteral("Edit category"));
        QCOMPARE(Rows(), (QStringList{"Work: Site", "Play: Lost"}));
    }

    void deletingACategoryAsksThenRefusesWhileItHasProjects()
    {
        Fixture->State.Projects->Categories.Assign({"Work", "work"});
        Fixture->AddProject("Site", "Work");
        Tree->RebuildTree("");
        Select(0);
        Fixture->Messages.Answers = {true, true};
        Trigger("Delete1");
        QCOMPARE(Fixture->Messages.Texts(),
                 (QStringList{"Are you sure to delete current category?",
                              "You can't delete a category with asociated projects! Please remove first the projects "
                              "and try again."}));
        QCOMPARE(Fixture->Messages.Shown.last().Buttons, TMsgButtons::OkCancel);
        QVERIFY(!Fixture->State.Updating);

        Select(1); // the empty "work" goes, never "Work"
        Fixture->Messages.Answers = {false};
        Trigger("Delete1");
        QCOMPARE(Rows().size(), 2);
        Fixture->Messages.Answers = {true};
        QTest::keyClick(tvwMain, Qt::Key_Delete);
        QCOMPARE(Rows(), QStringList{"Work: Site"});
    }

    void newProjectWithoutCategoriesIsKeptButShownNowhere()
    {
        Tree->RebuildTree("");
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Solo")); });
        Trigger("AddProject1");
        QCOMPARE(Fixture->Dialogs.Captions.first(), QStringLiteral("Create new project"));
        QCOMPARE(Fixture->State.Projects->Count(), 1);
        QCOMPARE((*Fixture->State.Projects)[0].Category, std::string());
        QCOMPARE((*Fixture->State.Projects)[0].StartDate, std::string(" 7/ 5/2008"));
        QCOMPARE(tvwMain->topLevelItemCount(), 0);
        QCOMPARE(Shown, (QStringList{"-", "-"}));
    }

    void editingAProjectRenamesItsEntryAndShowsIt()
    {
        Fixture->State.Projects->Categories.Assign({"Work", "Home"});
        Fixture->AddProject("Site", "Work");
        Tree->RebuildTree("");
        Select(0, 0);
        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Shop")); });
        Trigger("Rename1");
        QCOMPARE(Fixture->Dialogs.Captions.last(), QStringLiteral("Edit current project"));
        QCOMPARE(Fixture->State.Projects->Label(0), std::string("Shop"));
        QCOMPARE(Rows(), (QStringList{"Work: Shop", "Home: "}));
        QCOMPARE(tvwMain->currentItem()->text(0), QStringLiteral("Shop"));
    }

    void deletingTheShownProjectForgetsIt()
    {
        Fixture->State.Projects->Categories.Assign({"Work"});
        Fixture->AddProject("Site", "Work");
        Tree->RebuildTree("Site");
        Fixture->Messages.Answers = {true};
        Trigger("Delete1");
        QCOMPARE(Fixture->Messages.Texts(), QStringList{"Are you sure to delete current project?"});
        QCOMPARE(Fixture->State.Projects->Count(), 0);
        QCOMPARE(Fixture->State.CurrentProject, nullptr);
        QCOMPARE(Rows(), QStringList{"Work: "});
    }

    void findShowsTheMatchingProjectsWithTheNewOnesAndEscapeShowsAllAgain()
    {
        Fixture->State.Projects->Categories.Assign({"Work", "Home"});
        Fixture->AddProject("Site", "Work")
            .Tasks.Append("t", std::make_unique<TTask>(false, "a", "Call the BANK", "", ""));
        Fixture->AddProject("Shop", "Work");
        Fixture->AddProject("Garden", "Home");
        Tree->RebuildTree("Shop");
        QSignalSpy filtered(Tree.get(), &TProjectTree::FilterChanged);
        Group->show();
        Trigger("Find1");
        auto* edtFind = FindControl<QLineEdit>(Group.get(), "edtFind");
        QTest::keyClicks(edtFind, QStringLiteral("bank"));
        QCOMPARE(VisibleNodes(), (QStringList{"Work", "Site"}));
        QCOMPARE(tvwMain->currentItem(), nullptr); // a hidden project is there to edit or delete no more
        QCOMPARE(Shown.last(), QStringLiteral("-"));
        QCOMPARE(filtered.last().first().toString(), QStringLiteral("bank"));

        Fixture->Dialogs.AnswerOk([](QDialog& dialog) { SetField(dialog, "edtName", QStringLiteral("Pond")); });
        Trigger("AddProject1");
        QCOMPARE(VisibleNodes(), (QStringList{"Work", "Site", "Pond"}));
        QCOMPARE(tvwMain->currentItem()->text(0), QStringLiteral("Pond"));

        const auto filteredBefore = filtered.count();
        QTest::keyClick(edtFind, Qt::Key_Escape);
        QVERIFY(edtFind->isHidden());
        QCOMPARE(VisibleNodes(), (QStringList{"Work", "Site", "Shop", "Pond", "Home", "Garden"}));
        QCOMPARE(filtered.count(), filteredBefore + 1);
        QCOMPARE(filtered.last().first().toString(), QString());
    }

    void aCharacterNoPlannerTextCanHoldFindsNothing()
    {
        Fixture->State.Projects->Categories.Assign({"Work"});
        Fixture->AddProject("Why?", "Work");
        Tree->RebuildTree("");
        Group->show();
        Trigger("Find1");
        FindControl<QLineEdit>(Group.get(), "edtFind")->setText(QStringLiteral("\u03A9")); // not "?"
        QCOMPARE(VisibleNodes(), QStringList());
    }

    void editAndDeleteWithNothingSelectedDoNothing()
    {
        Tree->RebuildTree("");
        Trigger("Rename1");
        Trigger("Delete1");
        QTest::keyClick(tvwMain, Qt::Key_Delete);
        QVERIFY(Fixture->Messages.Shown.isEmpty());
        QVERIFY(Fixture->Dialogs.Captions.isEmpty());
    }
};

QTEST_MAIN(UProjectTreeTest)
#include "UProjectTreeTest.moc"
