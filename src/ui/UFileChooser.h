#pragma once
// The one way the program asks for a file to write, so that tests can answer without a
// native dialog.

#include <QString>

class QWidget;

class TFileChooser {
public:
    virtual ~TFileChooser() = default;
    // The file to save a `filter` kind of file to ("iCalendar (*.ics)"), starting at
    // `suggested`; a name typed without an extension gets `suffix`. A file that exists is
    // chosen only once the user confirmed replacing it. Empty when the user cancelled.
    virtual QString ChooseSaveFile(const QString& caption, const QString& suggested, const QString& filter,
                                   const QString& suffix) = 0;
};

// The desktop's save dialog over a parent window.
class TQtFileChooser : public TFileChooser {
public:
    explicit TQtFileChooser(QWidget* parent)
        : Parent(parent)
    {
    }
    QString ChooseSaveFile(const QString& caption, const QString& suggested, const QString& filter,
                           const QString& suffix) override;

private:
    QWidget* Parent;
};
