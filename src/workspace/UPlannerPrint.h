#pragma once
// Ctrl+P: prints the project shown on the "Tasks" tab, or the calendar's day, through the
// print dialog, which also offers a PDF file.

#include <QObject>

class QDate;
class TPrintChooser;
class TProject;
struct TWorkspaceServices;
struct TWorkspaceState;

class TPlannerPrint : public QObject {
    Q_OBJECT

public:
    TPlannerPrint(TWorkspaceState& state, TWorkspaceServices& services, TPrintChooser& printers,
                  QObject* parent = nullptr);

    // The project shown, with name, category, dates, progress and its task table; with none
    // shown the user is told to pick one.
    void PrintProject(const TProject* shown);
    // The day with its 24 hours and their actions.
    void PrintDay(const QDate& date);

private:
    TWorkspaceState& State;
    TWorkspaceServices& Services;
    TPrintChooser& Printers;
};
