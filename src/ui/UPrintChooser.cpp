#include "ui/UPrintChooser.h"

#include <QPrintDialog>

bool TQtPrintChooser::ChoosePrinter(QPrinter& printer)
{
    QPrintDialog dialog(&printer, Parent);
    return dialog.exec() == QDialog::Accepted;
}
