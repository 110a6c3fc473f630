#include "ui/UPrintChooser.h"

#include "ondemand/UOnDemand.h"
#include "ui/UOnDemandLoader.h"

bool TQtPrintChooser::ChoosePrinter(QPrinter& printer)
{
    const TOnDemand* functions = OnDemand();
    return functions != nullptr && functions->ChoosePrinter(printer, Parent);
}
