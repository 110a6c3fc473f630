#pragma once
// TfrmTask: the five fields of a task, for adding or editing one.

#include <QDate>
#include <QDialog>

#include <memory>

class QCheckBox;
class QLineEdit;
class TDateEdit;
class TMessageService;
class TNotesEdit;
class TTask;

class TfrmTask : public QDialog {
    Q_OBJECT

public:
    // Both dates start at `today`. Captioned "Task details" until the caller sets its own.
    TfrmTask(TMessageService& messages, const QDate& today, QWidget* parent = nullptr);

    // For editing: every field from the task; the notes' CR LF pairs show as line breaks.
    void ShowTask(const TTask& task);
    // The fields as entered; the notes' line breaks as CR LF pairs.
    [[nodiscard]] std::unique_ptr<TTask> NewTask() const;
    void StoreInto(TTask& task) const;

private:
    void btnOkClick();

    TMessageService& Messages;
    QLineEdit* edtName = nullptr;
    TNotesEdit* memNotes = nullptr;
    QCheckBox* chkDone = nullptr;
    TDateEdit* edtStartDate = nullptr;
    TDateEdit* edtEndDate = nullptr;
};
