#include "workspace/FHour.h"

#include "ui/UAnsiText.h"
#include "ui/UTextGuard.h"
#include "workspace/UEntryDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* AddCaption(QDialog& dialog, QBoxLayout& layout, const char* name, const QString& text)
{
    auto* label = new QLabel(text, &dialog);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText); // the caller's texts come from the model
    layout.addWidget(label);
    return label;
}

} // namespace

TfrmHour::TfrmHour(TMessageService& messages, QWidget* parent)
    : QDialog(parent)
    , Messages(messages)
{
    SetUpEntryDialog(*this, QStringLiteral("Edit action"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    lblDay = AddCaption(*this, *layout, "lblDay", QStringLiteral("Day:"));
    lblHour = AddCaption(*this, *layout, "lblHour", QStringLiteral("Hour:"));
    layout->addSpacing(6);
    edtName = AddNameField(*this, *layout, QStringLiteral("Action:"));
    edtName->setMinimumWidth(340);
    const TEntryButtons buttons = AddEntryButtons(*this, *layout, {edtName});
    connect(buttons.Ok, &QPushButton::clicked, this, &TfrmHour::btnOkClick);
    SetFocusOrder({buttons.Ok, buttons.Cancel, edtName}, edtName);
}

void TfrmHour::SetHour(const std::string& dateText, const std::string& hourCaption, const std::string& action)
{
    lblDay->setText(QStringLiteral("Day: ") + AnsiToQString(dateText));
    lblHour->setText(QStringLiteral("Hour: ") + AnsiToQString(hourCaption));
    TLineGuard::SetText(*edtName, AnsiToQString(action));
}

std::string TfrmHour::Action() const
{
    return QStringToAnsi(edtName->text());
}

void TfrmHour::btnOkClick()
{
    AcceptWhenNamed(*this, *edtName, Messages, QStringLiteral("A valid action is required!"));
}
