#pragma once
// TfrmCreateProject: a project's name, dates and category, for creating or editing one.

#include "model/TTextList.h"

#include <QDate>
#include <QDialog>

#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QLineEdit;
class TDateEdit;
class TMessageService;

class TfrmCreateProject : public QDialog {
    Q_OBJECT

public:
    // The category list becomes a copy of `categories`, the first one picked; both dates
    // start at `today`. Captioned "Create new project".
    TfrmCreateProject(TMessageService& messages, const TTextList& categories, const QDate& today,
                      QWidget* parent = nullptr);

    // For editing: the fields from the project, its category picked (the first item equal
    // with letter case ignored, else item 0).
    void SetProject(std::string_view name, std::string_view category, std::string_view startDate,
                    std::string_view endDate);

    [[nodiscard]] std::string Name() const;
    [[nodiscard]] std::string Category() const; // the picked item, empty when none
    [[nodiscard]] std::string StartDate() const;
    [[nodiscard]] std::string EndDate() const;
    [[nodiscard]] bool UseDefaultTasks() const; // chkDefault, hidden and unchecked

private:
    void btnOkClick();

    TMessageService& Messages;
    TTextList Categories; // the items of cbxCategories, byte for byte
    QLineEdit* edtName = nullptr;
    TDateEdit* edtStartDate = nullptr;
    TDateEdit* edtEndDate = nullptr;
    QComboBox* cbxCategories = nullptr;
    QCheckBox* chkDefault = nullptr;
};
