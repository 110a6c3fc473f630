#include "workspace/UPlannerPrint.h"

#include "ondemand/UOnDemand.h"
#include "ui/UMessageService.h"
#include "ui/UOnDemandLoader.h"
#include "workspace/UPrintDocuments.h"
#include "workspace/UWorkspace.h"

#include <QTextDocument>

namespace {

void Print(QTextDocument& document, TPrintChooser& printers, TMessageService& messages)
{
    const TOnDemand* functions = OnDemand();
    if (functions == nullptr)
        messages.Warn(QStringLiteral("The printout could not be made.\n") + OnDemandFailure());
    else if (functions->PrintDocument(document, printers) == TPrintOutcome::Failed)
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
