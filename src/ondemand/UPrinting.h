#pragma once
// Printing a document on the printer (or PDF file) the user chooses.

#include "ondemand/UOnDemand.h"

[[nodiscard]] bool ChoosePrinterInDialog(QPrinter& printer, QWidget* parent);
[[nodiscard]] TPrintOutcome PrintDocument(QTextDocument& document, TPrintChooser& printers);
