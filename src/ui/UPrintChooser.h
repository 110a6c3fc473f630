#pragma once
// The print dialog as the program's way to ask for a printer (TPrintChooser, which the
// on-demand library calls when it prints).

#include "ondemand/UOnDemand.h"

class QWidget;

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
