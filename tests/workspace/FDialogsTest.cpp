#include "TScriptedMessages.h"
#include "UFindControl.h"
#include "UPinnedSettings.h"
#include "model/UProjects.h"
#include "workspace/FCategory.h"
#include "workspace/FHour.h"
#include "workspace/FNewProject.h"
#include "workspace/FTask.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QDate Today(2008, 7, 5);

TTextList Categories(std::vector<std::string> names)
{
    TTextList list;
    list.Assign(std::move(names));
    return list;
}

} // namespace

class FDialogsTest : public QObject {
    Q_OBJECT

    TScriptedMessages Messages;
    TTextList ProjectCategories = Categories({"Work", "Home", "home",
                                              "\xC9"
                                              "cole"});

    std::unique_ptr<QDialog> Open(const QString& kind)
    {
        std::unique_ptr<QDialog> dialog;
        if (kind == QLatin1String("category"))
            dialog = std::make_unique<TfrmCategory>(Messages);
        else if (kind == QLatin1String("project"))
            dialog = std::make_unique<TfrmCreateProject>(Messages, ProjectCategories, Today);
        else if (kind == QLatin1String("task"))
            dialog = std::make_unique<TfrmTask>(Messages, Today);
        else
            dialog = std::make_unique<TfrmHour>(Messages);
        dialog->show();
        return dialog;
    }

    static std::string NameOf(QDialog& dialog)
    {
        if (auto* category = qobject_cast<TfrmCategory*>(&dialog))
            return category->Name();
        if (auto* project = qobject_cast<TfrmCreateProject*>(&dialog))
            return project->Name();
        if (auto* task = qobject_cast<TfrmTask*>(&dialog))
            return std::string(task->NewTask()->Description);
        return qobject_cast<TfrmHour*>(&dialog)->Action();
    }

private slots:
    void initTestCase() { PinLocaleAndFonts(); }

    void init()
    {
        Messages.Shown.clear();
        Messages.Answers.clear();
    }

    void okChecksTheNameThenCancelRejects_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // empty when Ok closes the dialog
        const QString blank = QStringLiteral(" \t \x01 ");
        QTest::newRow("category blank") << "category" << blank << "A valid category name is required!";
        QTest::newRow("project empty") << "project" << QString() << "A valid project name is required!";
        QTest::newRow("task blank") << "task" << blank << "A valid task description is required!";
        QTest::newRow("hour blank") << "hour" << blank << "A valid action is required!";
        QTest::newRow("category blanks kept") << "category" << QStringLiteral("  Work \t") << QString();
        QTest::newRow("project blanks kept") << "project" << QStringLiteral(" Site ") << QString();
        QTest::newRow("task blanks kept") << "task" << QStringLiteral(" Buy") << QString();
        QTest::newRow("hour blanks kept") << "hour" << QStringLiteral("Call  ") << QString();
    }

    void okChecksTheNameThenCancelRejects()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        auto dialog = Open(kind);
        auto* edtName = FindControl<QLineEdit>(dialog.get(), "edtName");
        auto* btnOk = FindControl<QPushButton>(dialog.get(), "btnOk");
        auto* btnCancel = FindControl<QPushButton>(dialog.get(), "btnCancel");
        edtName->insert(typed);
        QTest::keyClicks(edtName, QStringLiteral("^")); // every name is guarded
        btnCancel->setFocus();
        QTest::mouseClick(btnOk, Qt::LeftButton);
        if (message.isEmpty()) {
            QTRY_COMPARE(dialog->result(), int(QDialog::Accepted));
            QVERIFY(!dialog->isVisible());
            QVERIFY(Messages.Shown.isEmpty());
            QCOMPARE(NameOf(*dialog), typed.toStdString());
            return;
        }
        QCOMPARE(Messages.Texts(), QStringList{message});
        QCOMPARE(Messages.Shown[0].Kind, TMsgKind::Information);
        QCOMPARE(Messages.Shown[0].Buttons, TMsgButtons::Ok);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), edtName);
        QTest::mouseClick(btnCancel, Qt::LeftButton);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    void focusStartsInTheNameAndTabFollowsTheOrder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("category") << "category" << QStringList{"edtName", "btnOk", "btnCancel"};
        QTest::newRow("project") << "project" << QStringList{"edtName",    "btnOk",        "btnCancel", "edtStartDate",
                                                             "edtEndDate", "cbxCategories"}; // chkDefault hidden
        QTest::newRow("task") << "task" << QStringList{"edtName", "btnOk",        "btnCancel", "memNotes",
                                                       "chkDone", "edtStartDate", "edtEndDate"};
        QTest::newRow("hour") << "hour" << QStringList{"edtName", "btnOk", "btnCancel"};
    }

    void focusStartsInTheNameAndTabFollowsTheOrder()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, order);
        auto dialog = Open(kind);
        QStringList visited;
        for (qsizetype i = 0; i <= order.size() && dialog->focusWidget() != nullptr; ++i) {
            visited << dialog->focusWidget()->objectName();
            QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, order + QStringList{order.front()});
    }

    void enterInATextFieldPressesOk_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("field"); // where Enter is pressed
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("hour, empty") << "hour" << QString() << QByteArray("edtName")
                                     << QStringList{"A valid action is required!"} << false;
        QTest::newRow("hour, action") << "hour" << QStringLiteral("Call") << QByteArray("edtName") << QStringList()
                                      << true;
        QTest::newRow("category") << "category" << QStringLiteral("Work") << QByteArray("edtName") << QStringList()
                                  << true;
        QTest::newRow("task, in a date") << "task" << QStringLiteral("Buy") << QByteArray("edtEndDate") << QStringList()
                                         << true;
    }

    void enterInATextFieldPressesOk()
    {
        QFETCH(QString, kind);
        QFETCH(QString, typed);
        QFETCH(QByteArray, field);
        QFETCH(QStringList, messages);
        QFETCH(bool, accepted);
        auto dialog = Open(kind);
        QTest::keyClicks(dialog->focusWidget(), typed); // typed at once, into the name
        QTest::keyClick(FindControl<QLineEdit>(dialog.get(), field.constData()), Qt::Key_Return);
        QCOMPARE(Messages.Texts(), messages);
        QCOMPARE(dialog->isVisible(), !accepted);
        QCOMPARE(dialog->result() == QDialog::Accepted, accepted);
        QCOMPARE(NameOf(*dialog), typed.toStdString());
    }

    void projectDialogWithoutCategoriesStillCreates()
    {
        TfrmCreateProject dialog(Messages, TTextList(), Today);
        dialog.show();
        auto* cbxCategories = FindControl<QComboBox>(&dialog, "cbxCategories");
        auto* edtName = FindControl<QLineEdit>(&dialog, "edtName");
        auto* chkDefault = FindControl<QCheckBox>(&dialog, "chkDefault");
        QCOMPARE(cbxCategories->count(), 0);
        QVERIFY(chkDefault->isHidden() && !dialog.UseDefaultTasks());
        QTest::keyClicks(edtName, QStringLiteral("Site"));
        QTest::mouseClick(FindControl<QPushButton>(&dialog, "btnOk"), Qt::LeftButton);
        QTRY_COMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Category(), std::string());
        QCOMPARE(dialog.StartDate(), std::string(" 7/ 5/2008"));
    }

    void editingAProjectPicksItsCategoryIgnoringCaseElseTheFirst_data()
    {
        QTest::addColumn<QByteArray>("category");
        QTest::addColumn<QByteArray>("picked");
        QTest::newRow("exact") << QByteArray("Home") << QByteArray("Home");
        QTest::newRow("first of two") << QByteArray("HOME") << QByteArray("Home");
        QTest::newRow("accented letter") << QByteArray("\xE9"
                                                       "COLE")
                                         << QByteArray("\xC9"
                                                       "cole");
        QTest::newRow("gone") << QByteArray("Garden") << QByteArray("Work");
    }

    void editingAProjectPicksItsCategoryIgnoringCaseElseTheFirst()
    {
        QFETCH(QByteArray, category);
        QFETCH(QByteArray, picked);
        TfrmCreateProject dialog(Messages, ProjectCategories, Today);
        dialog.SetProject("Site", category.toStdString(), "", "7/31/2008");
        QCOMPARE(dialog.Category(), picked.toStdString());
        QCOMPARE(dialog.StartDate(), std::string()); // dates as they stand, empty or not padded
        QCOMPARE(dialog.EndDate(), std::string("7/31/2008"));
    }

    void taskDialogGivesBackEveryFieldWithNotesInCrLf_data()
    {
        QTest::addColumn<QByteArray>("notes");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo") << QByteArray("one\r\ntwo");
        QTest::newRow("lone CR and LF") << QByteArray("a\rb\nc\r\n") << QByteArray("a\r\nb\r\nc\r\n");
        QTest::newRow("no-break space") << QByteArray("a\xA0 b") << QByteArray("a\xA0 b");
    }

    void taskDialogGivesBackEveryFieldWithNotesInCrLf()
    {
        QFETCH(QByteArray, notes);
        QFETCH(QByteArray, stored);
        TfrmTask dialog(Messages, Today);
        const TTask task(true, " Buy ", notes.toStdString(), "", "2008-07-31");
        dialog.ShowTask(task);
        TTask back(false, "", "", "x", "x");
        dialog.StoreInto(back);
        QCOMPARE(back.Done, true);
        QCOMPARE(back.Description, task.Description);
        QCOMPARE(back.Notes, stored.toStdString());
        QCOMPARE(back.StartDate, task.StartDate);
        QCOMPARE(back.EndDate, task.EndDate);
    }

    void typedLineBreaksReachTheTaskAsCrLf()
    {
        TfrmTask dialog(Messages, Today);
        dialog.show();
        auto* memNotes = FindControl<QPlainTextEdit>(&dialog, "memNotes");
        QTest::keyClicks(memNotes, QStringLiteral("one"));
        QTest::keyClick(memNotes, Qt::Key_Return);
        QTest::keyClicks(memNotes, QStringLiteral("two"));
        QTest::keyClick(memNotes, Qt::Key_Return, Qt::ShiftModifier); // a line break within the paragraph
        QTest::keyClicks(memNotes, QStringLiteral("th^ree"));         // the notes are guarded
        QCOMPARE(dialog.NewTask()->Notes, std::string("one\r\ntwo\r\nthree"));
    }
};

QTEST_MAIN(FDialogsTest)
#include "FDialogsTest.moc"
