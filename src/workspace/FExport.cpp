#include "workspace/FExport.h"

#include "ui/UWidgets.h"
#include "workspace/UEntryDialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QRadioButton* AddChoice(QGroupBox& group, const char* name, const QString& caption)
{
    auto* button = Named(new QRadioButton(caption, &group), name);
    group.layout()->addWidget(button);
    return button;
}

QGroupBox* ChoiceGroup(const QString& title)
{
    auto* group = new QGroupBox(title);
    new QVBoxLayout(group); // its radio buttons, its children, exclude each other
    return group;
}

} // namespace

TfrmExport::TfrmExport(const std::optional<QString>& project, const std::optional<QString>& category, QWidget* parent)
    : QDialog(parent)
{
    SetUpEntryDialog(*this, QStringLiteral("Export"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QGroupBox* what = ChoiceGroup(QStringLiteral("Export"));
    rbProject =
        AddChoice(*what, "rbProject", QStringLiteral("The project \u201C%1\u201D").arg(project.value_or(QString())));
    rbCategory =
        AddChoice(*what, "rbCategory",
                  QStringLiteral("The projects of the category \u201C%1\u201D").arg(category.value_or(QString())));
    rbEverything = AddChoice(*what, "rbEverything", QStringLiteral("Everything, with the actions of the calendar"));
    rbProject->setVisible(project.has_value());
    rbCategory->setVisible(category.has_value());
    (project ? rbProject : category ? rbCategory : rbEverything)->setChecked(true);

    QGroupBox* format = ChoiceGroup(QStringLiteral("Format"));
    rbICalendar = AddChoice(*format, "rbICalendar", QStringLiteral("iCalendar (.ics), for calendars and to-do lists"));
    rbCsv = AddChoice(*format, "rbCsv", QStringLiteral("CSV (.csv), for spreadsheets"));
    rbICalendar->setChecked(true);

    layout->addWidget(what);
    layout->addWidget(format);
    const TEntryButtons buttons = AddEntryButtons(*this, *layout, {});
    buttons.Ok->setDefault(true); // Return on a choice exports
    connect(buttons.Ok, &QPushButton::clicked, this, &QDialog::accept);
    SetFocusOrder({rbProject, rbCategory, rbEverything, rbICalendar, rbCsv, buttons.Ok, buttons.Cancel}, buttons.Ok);
}

TExportChoice TfrmExport::Choice() const
{
    if (rbProject->isChecked())
        return TExportChoice::Project;
    return rbCategory->isChecked() ? TExportChoice::Category : TExportChoice::Everything;
}

TExportFormat TfrmExport::Format() const
{
    return rbCsv->isChecked() ? TExportFormat::Csv : TExportFormat::ICalendar;
}
