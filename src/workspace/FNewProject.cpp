#include "workspace/FNewProject.h"

#include "model/TTextList.h"
#include "ui/TDateEdit.h"
#include "ui/UAnsiText.h"
#include "ui/UTextGuard.h"
#include "workspace/UEntryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <tuple>

TfrmCreateProject::TfrmCreateProject(TMessageService& messages, const TTextList& categories, const QDate& today,
                                     QWidget* parent)
    : QDialog(parent)
    , Messages(messages)
    , Categories(categories)
{
    SetUpEntryDialog(*this, QStringLiteral("Create new project"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edtName = AddNameField(*this, *layout, QStringLiteral("Project Name:"));
    edtName->setMinimumWidth(360);

    std::tie(edtStartDate, edtEndDate) = AddDateFields(*this, *layout, today);

    cbxCategories = new QComboBox(this);
    cbxCategories->setObjectName(QStringLiteral("cbxCategories"));
    // A long category name is cut in the field instead of widening the dialog.
    cbxCategories->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    for (const std::string& category : Categories.All())
        cbxCategories->addItem(AnsiToQString(category));
    cbxCategories->setCurrentIndex(Categories.Count() > 0 ? 0 : -1);
    layout->addSpacing(6);
    AddLabelledField(*layout, QStringLiteral("Category:"), *cbxCategories);

    // Gives a new project the default to-do list; no caller shows it.
    chkDefault = new QCheckBox(QStringLiteral("Use Default Project To Do List"), this);
    chkDefault->setObjectName(QStringLiteral("chkDefault"));
    chkDefault->hide();
    layout->addWidget(chkDefault);

    const TEntryButtons buttons = AddEntryButtons(*this, *layout, {edtName, edtStartDate, edtEndDate});
    connect(buttons.Ok, &QPushButton::clicked, this, &TfrmCreateProject::btnOkClick);
    SetFocusOrder({edtName, chkDefault, buttons.Ok, buttons.Cancel, edtStartDate, edtEndDate, cbxCategories}, edtName);
}

void TfrmCreateProject::SetProject(std::string_view name, std::string_view category, std::string_view startDate,
                                   std::string_view endDate)
{
    TLineGuard::SetText(*edtName, AnsiToQString(name));
    edtStartDate->SetDateText(AnsiToQString(startDate));
    edtEndDate->SetDateText(AnsiToQString(endDate));
    if (Categories.Count() > 0)
        cbxCategories->setCurrentIndex(std::max(Categories.IndexOfIgnoringCase(category), 0));
}

std::string TfrmCreateProject::Name() const
{
    return QStringToAnsi(edtName->text());
}

std::string TfrmCreateProject::Category() const
{
    const int picked = cbxCategories->currentIndex();
    return picked >= 0 ? std::string(Categories[picked]) : std::string();
}

std::string TfrmCreateProject::StartDate() const
{
    return QStringToAnsi(edtStartDate->DateText());
}

std::string TfrmCreateProject::EndDate() const
{
    return QStringToAnsi(edtEndDate->DateText());
}

bool TfrmCreateProject::UseDefaultTasks() const
{
    return chkDefault->isChecked();
}

void TfrmCreateProject::btnOkClick()
{
    AcceptWhenNamed(*this, *edtName, Messages, QStringLiteral("A valid project name is required!"));
}
