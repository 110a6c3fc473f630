#pragma once
// TfrmExport: what to export (the selected project, its category's projects, or everything)
// and in which format.

#include <QDialog>

#include <optional>

class QRadioButton;

enum class TExportFormat { ICalendar, Csv };
enum class TExportChoice { Project, Category, Everything };

class TfrmExport : public QDialog {
    Q_OBJECT

public:
    // `project` and `category` name what the tree's selection offers; none is not offered.
    // The narrowest choice offered is picked, and iCalendar.
    TfrmExport(const std::optional<QString>& project, const std::optional<QString>& category,
               QWidget* parent = nullptr);

    [[nodiscard]] TExportChoice Choice() const;
    [[nodiscard]] TExportFormat Format() const;

private:
    QRadioButton* rbProject = nullptr;
    QRadioButton* rbCategory = nullptr;
    QRadioButton* rbEverything = nullptr;
    QRadioButton* rbICalendar = nullptr;
    QRadioButton* rbCsv = nullptr;
};
