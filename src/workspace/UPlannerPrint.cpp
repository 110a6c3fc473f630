#include "workspace/UPlannerPrint.h"

#include "ui/UMessageService.h"
#include "ui/UPrintChooser.h"
#include "ui/UWaitCursor.h"
#include "workspace/UPrintDocuments.h"
#include "workspace/UWorkspace.h"

#include <QPrinter>
#include <QTextDocument>

namespace {

void Print(QTextDocument& document, TPrintChooser& printers, TMessageService& messages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(document.metaInformation(QTextDocument::DocumentTitle));
    if (!printers.ChoosePrinter(printer))
        return;
    const TWaitCursor printing;
    document.print(&printer);
    // Printing to a folder that cannot be written, or a printer that fails, says nothing itself.
    if (printer.printerState() == QPrinter::Error)
        messages.Warn(QStringLiteral("The printout could not be made."));
}

} // namespace

TPlannerPrint::TPlannerPrint(TWorkspaceState& state, TWorkspaceServices& services, TPrintChooser& printers,
                             QObject* parent)
    : QObject(parent)
    , State(state)
    , Services(services)
    , Printers(printers)
{
}

void TPlannerPrint::PrintProject(const TProject* shown)
{
    if (shown == nullptr) {
        Services.Messages.Inform(QStringLiteral("Please select a project to print!"));
        return;
    }
    Print(*ProjectDocument(*shown), Printers, Services.Messages);
}

void TPlannerPrint::PrintDay(const QDate& date)
{
    Print(*DayDocument(date, *State.Hours), Printers, Services.Messages);
}
