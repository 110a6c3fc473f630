#pragma once
// What the four entry dialogs share: their frame, their "Ok" and "Cancel" buttons, their
// labelled fields and the check of the name at "Ok".

#include <initializer_list>
#include <utility>

class QBoxLayout;
class QDate;
class QDialog;
class QLineEdit;
class QPushButton;
class QString;
class QWidget;
class TDateEdit;
class TMessageService;

struct TEntryButtons {
    QPushButton* Ok;
    QPushButton* Cancel;
};

// Arial at 14 pixels, the caption, and a frame that the user cannot resize, minimise or
// maximise, centred on the screen whenever it is shown. The caller's layout gets a fixed size.
void SetUpEntryDialog(QDialog& dialog, const QString& caption);

// `label` above `field` in `layout`.
void AddLabelledField(QBoxLayout& layout, const QString& label, QWidget& field);

// The single-line field edtName, guarded against what the files cannot keep, under `label`.
[[nodiscard]] QLineEdit* AddNameField(QDialog& dialog, QBoxLayout& layout, const QString& label);

// edtStartDate and edtEndDate side by side under "Start date:" and "End date:", both at `today`.
[[nodiscard]] std::pair<TDateEdit*, TDateEdit*> AddDateFields(QDialog& dialog, QBoxLayout& layout, const QDate& today);

// "Ok" and "Cancel" (btnOk, btnCancel) at the bottom right of `layout`; "Cancel" rejects.
// Neither is the default button: Enter presses a button while it has the focus, and "Ok" in
// each of `fields`, the dialog's single-line text fields.
[[nodiscard]] TEntryButtons AddEntryButtons(QDialog& dialog, QBoxLayout& layout,
                                            std::initializer_list<QLineEdit*> fields);

// Chains the focus through `widgets` in their order; `first` has the focus when the dialog
// opens.
void SetFocusOrder(std::initializer_list<QWidget*> widgets, QWidget* first);

// The check at "Ok": accepts `dialog` when `edtName` holds more than characters of codes
// 0x01 to 0x20; else shows `message`, gives the focus back to `edtName` and stays open.
void AcceptWhenNamed(QDialog& dialog, QLineEdit& edtName, TMessageService& messages, const QString& message);
