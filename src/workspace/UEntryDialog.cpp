#include "workspace/UEntryDialog.h"

#include "model/UTextLines.h"
#include "ui/TDateEdit.h"
#include "ui/UAnsiText.h"
#include "ui/UMessageService.h"
#include "ui/UTextGuard.h"
#include "ui/UWidgets.h"

#include <QBoxLayout>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int ButtonWidth = 80;

// Centres the dialog on its screen as it shows, rather than over its parent.
class TScreenCentre : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Only a shown widget is looked at: events also arrive while the dialog is destroyed.
        if (event->type() != QEvent::Show)
            return false;
        auto* dialog = qobject_cast<QWidget*>(watched);
        if (dialog != nullptr && dialog->screen() != nullptr)
            dialog->move(dialog->screen()->availableGeometry().center() - dialog->rect().center());
        return false;
    }
};

// Enter in the watched controls presses a button, as a default button would.
class TEnterPresses : public QObject {
public:
    TEnterPresses(QPushButton& button, QObject* parent)
        : QObject(parent)
        , Button(button)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        Button.click();
        return true;
    }

private:
    QPushButton& Button;
};

QPushButton* AddButton(QDialog& dialog, QBoxLayout& row, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, &dialog);
    button->setObjectName(QLatin1String(name));
    button->setMinimumWidth(ButtonWidth);
    // An automatic default button would take Enter from every field of the dialog.
    button->setAutoDefault(false);
    button->installEventFilter(new TEnterPresses(*button, button));
    row.addWidget(button);
    return button;
}

} // namespace

void SetUpEntryDialog(QDialog& dialog, const QString& caption)
{
    dialog.setFont(DesignFont());
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    dialog.installEventFilter(new TScreenCentre(&dialog));
}

void AddLabelledField(QBoxLayout& layout, const QString& label, QWidget& field)
{
    auto* caption = new QLabel(label, field.parentWidget());
    caption->setBuddy(&field);
    layout.addWidget(caption);
    layout.addSpacing(2);
    layout.addWidget(&field);
}

QLineEdit* AddNameField(QDialog& dialog, QBoxLayout& layout, const QString& label)
{
    auto* edtName = new QLineEdit(&dialog);
    edtName->setObjectName(QStringLiteral("edtName"));
    TLineGuard::Guard(*edtName);
    AddLabelledField(layout, label, *edtName);
    return edtName;
}

std::pair<TDateEdit*, TDateEdit*> AddDateFields(QDialog& dialog, QBoxLayout& layout, const QDate& today)
{
    auto* row = new QHBoxLayout;
    const auto addField = [&](const char* name, const QString& label) {
        auto* field = new TDateEdit(today, &dialog);
        field->setObjectName(QLatin1String(name));
        auto* column = new QVBoxLayout;
        AddLabelledField(*column, label, *field);
        row->addLayout(column);
        return field;
    };
    auto* start = addField("edtStartDate", QStringLiteral("Start date:"));
    auto* end = addField("edtEndDate", QStringLiteral("End date:"));
    layout.addSpacing(6);
    layout.addLayout(row);
    return {start, end};
}

TEntryButtons AddEntryButtons(QDialog& dialog, QBoxLayout& layout, std::initializer_list<QLineEdit*> fields)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    const TEntryButtons buttons{AddButton(dialog, *row, "btnOk", QStringLiteral("Ok")),
                                AddButton(dialog, *row, "btnCancel", QStringLiteral("Cancel"))};
    layout.addSpacing(8);
    layout.addLayout(row);
    QObject::connect(buttons.Cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    for (QLineEdit* field : fields)
        field->installEventFilter(new TEnterPresses(*buttons.Ok, field));
    return buttons;
}

void SetFocusOrder(std::initializer_list<QWidget*> widgets, QWidget* first)
{
    QWidget* previous = nullptr;
    for (QWidget* widget : widgets) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    first->setFocus();
}

void AcceptWhenNamed(QDialog& dialog, QLineEdit& edtName, TMessageService& messages, const QString& message)
{
    if (!TrimBlanks(QStringToAnsi(edtName.text())).empty()) {
        dialog.accept();
        return;
    }
    messages.Inform(message);
    edtName.setFocus();
}
