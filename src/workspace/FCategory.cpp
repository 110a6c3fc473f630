#include "workspace/FCategory.h"

#include "ui/UAnsiText.h"
#include "ui/UTextGuard.h"
#include "workspace/UEntryDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCategory::TfrmCategory(TMessageService& messages, QWidget* parent)
    : QDialog(parent)
    , Messages(messages)
{
    SetUpEntryDialog(*this, QStringLiteral("Add category"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    edtName = AddNameField(*this, *layout, QStringLiteral("Category Name:"));
    edtName->setMinimumWidth(300);
    const TEntryButtons buttons = AddEntryButtons(*this, *layout, {edtName});
    connect(buttons.Ok, &QPushButton::clicked, this, &TfrmCategory::btnOkClick);
    SetFocusOrder({buttons.Ok, buttons.Cancel, edtName}, edtName);
}

void TfrmCategory::SetName(std::string_view name)
{
    TLineGuard::SetText(*edtName, AnsiToQString(name));
}

std::string TfrmCategory::Name() const
{
    return QStringToAnsi(edtName->text());
}

void TfrmCategory::btnOkClick()
{
    AcceptWhenNamed(*this, *edtName, Messages, QStringLiteral("A valid category name is required!"));
}
