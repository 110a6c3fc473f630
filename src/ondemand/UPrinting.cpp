#include "ondemand/UPrinting.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

TPrintOutcome PrintDocument(QTextDocument& document, TPrintChooser& printers)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.metaInformation(QTextDocument::DocumentTitle));
    if (!printers.ChoosePrinter(printer))
        return TPrintOutcome::Cancelled;
    QApplication::setOverrideCursor(Qt::WaitCursor); // print() raises nothing
    document.print(&printer);
    QApplication::restoreOverrideCursor();
    // Printing to a folder that cannot be written, or a printer that fails, says nothing itself.
    return printer.printerState() == QPrinter::Error ? TPrintOutcome::Failed : TPrintOutcome::Printed;
}
