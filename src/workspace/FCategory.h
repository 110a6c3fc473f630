#pragma once
// TfrmCategory: the name of a category, for adding or renaming one.

#include <QDialog>

#include <string>
#include <string_view>

class QLineEdit;
class TMessageService;

class TfrmCategory : public QDialog {
    Q_OBJECT

public:
    // Captioned "Add category" until the caller sets its own caption.
    explicit TfrmCategory(TMessageService& messages, QWidget* parent = nullptr);

    void SetName(std::string_view name); // Windows-1252
    [[nodiscard]] std::string Name() const; // exactly as typed

private:
    void btnOkClick();

    TMessageService& Messages;
    QLineEdit* edtName = nullptr;
};
