#pragma once
// TfrmHour: the action planned for one hour of one day.

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class TMessageService;

class TfrmHour : public QDialog {
    Q_OBJECT

public:
    explicit TfrmHour(TMessageService& messages, QWidget* parent = nullptr); // "Edit action"

    // "Day: " and the date text, "Hour: " and the row's caption, and the action shown.
    void SetHour(const std::string& dateText, const std::string& hourCaption, const std::string& action);
    [[nodiscard]] std::string Action() const;

private:
    void btnOkClick();

    TMessageService& Messages;
    QLabel* lblDay = nullptr;
    QLabel* lblHour = nullptr;
    QLineEdit* edtName = nullptr;
};
