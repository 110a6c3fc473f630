#pragma once
// TfrmCrashReport: at a start after a crash, the report the crashed run left, offered once.
// A desktop has no mail client to assume, so the user copies the report to send it.

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class TDialogRunner;
class TProgramFolder;

class TfrmCrashReport : public QDialog {
    Q_OBJECT

public:
    // `report` is the whole report; the window shows its first lines.
    explicit TfrmCrashReport(QString report, QWidget* parent = nullptr);

    static constexpr int ShownLines = 6;

private:
    void btnCopyClick();

    QString Report;
    QLabel* lblMessage = nullptr;
    QPlainTextEdit* memReport = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnClose = nullptr;
};

// Offers the report of the last run's crash, when no start has offered it yet.
void OfferCrashReport(TProgramFolder& folder, TDialogRunner& dialogs, QWidget* parent);
