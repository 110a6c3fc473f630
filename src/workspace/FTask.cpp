#include "workspace/FTask.h"

#include "model/UProjects.h"
#include "ui/TDateEdit.h"
#include "ui/TNotesEdit.h"
#include "ui/UAnsiText.h"
#include "ui/UTextGuard.h"
#include "workspace/UEntryDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

TfrmTask::TfrmTask(TMessageService& messages, const QDate& today, QWidget* parent)
    : QDialog(parent)
    , Messages(messages)
{
    SetUpEntryDialog(*this, QStringLiteral("Task details"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edtName = AddNameField(*this, *layout, QStringLiteral("Description:"));
    edtName->setMinimumWidth(400);

    memNotes = new TNotesEdit(this);
    memNotes->setObjectName(QStringLiteral("memNotes"));
    memNotes->setFixedHeight(120);
    layout->addSpacing(6);
    AddLabelledField(*layout, QStringLiteral("Notes:"), *memNotes);

    chkDone = new QCheckBox(QStringLiteral("Task is done"), this);
    chkDone->setObjectName(QStringLiteral("chkDone"));
    layout->addSpacing(6);
    layout->addWidget(chkDone);

    std::tie(edtStartDate, edtEndDate) = AddDateFields(*this, *layout, today);

    const TEntryButtons buttons = AddEntryButtons(*this, *layout, {edtName, edtStartDate, edtEndDate});
    connect(buttons.Ok, &QPushButton::clicked, this, &TfrmTask::btnOkClick);
    SetFocusOrder({edtName, buttons.Ok, buttons.Cancel, memNotes, chkDone, edtStartDate, edtEndDate}, edtName);
}

void TfrmTask::ShowTask(const TTask& task)
{
    TLineGuard::SetText(*edtName, AnsiToQString(task.Description));
    memNotes->SetNotes(task.Notes);
    chkDone->setChecked(task.Done);
    edtStartDate->SetDateText(AnsiToQString(task.StartDate));
    edtEndDate->SetDateText(AnsiToQString(task.EndDate));
}

std::unique_ptr<TTask> TfrmTask::NewTask() const
{
    return std::make_unique<TTask>(chkDone->isChecked(), QStringToAnsi(edtName->text()), memNotes->Notes(),
                                   QStringToAnsi(edtStartDate->DateText()), QStringToAnsi(edtEndDate->DateText()));
}

void TfrmTask::StoreInto(TTask& task) const
{
    task.Done = chkDone->isChecked();
    task.Description = QStringToAnsi(edtName->text());
    task.Notes = memNotes->Notes();
    task.StartDate = QStringToAnsi(edtStartDate->DateText());
    task.EndDate = QStringToAnsi(edtEndDate->DateText());
}

void TfrmTask::btnOkClick()
{
    AcceptWhenNamed(*this, *edtName, Messages, QStringLiteral("A valid task description is required!"));
}
