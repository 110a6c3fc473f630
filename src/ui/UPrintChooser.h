#pragma once
// The one way the program asks for a printer (or a PDF file), so that tests can answer
// without a print dialog.

class QPrinter;
class QWidget;

class TPrintChooser {
public:
    virtual ~TPrintChooser() = default;
    // Sets `printer` up as the user chooses; false when the user cancelled.
    virtual bool ChoosePrinter(QPrinter& printer) = 0;
};

// Qt's print dialog, which also offers printing to a PDF file.
class TQtPrintChooser : public TPrintChooser {
public:
    explicit TQtPrintChooser(QWidget* parent)
        : Parent(parent)
    {
    }
    bool ChoosePrinter(QPrinter& printer) override;

private:
    QWidget* Parent;
};
