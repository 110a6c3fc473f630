#pragma once
// TfrmAbout: the about window, with the branded product name, the version, the publisher's
// copyright line and about text.

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
struct TBrandSettings;

class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfrmAbout(const TBrandSettings& settings, QWidget* parent = nullptr);

    static constexpr int ClientWidth = 368;
    static constexpr int ClientHeight = 211;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildWindow();
    void FormCreate(const TBrandSettings& settings);
    void editAboutClick();

    QLabel* lblProductName = nullptr;
    QLabel* lblProductVersion = nullptr;
    QLabel* lblCopyright = nullptr;
    QPlainTextEdit* memAbout = nullptr;
    QPushButton* editAbout = nullptr;
};
