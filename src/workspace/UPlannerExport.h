#pragma once
// "Export…": asks what to export and where, and writes the planner, or part of it, as an
// iCalendar or CSV file through a temporary file that replaces the old one.

#include <QObject>
#include <QString>

class TFileChooser;
struct TExportScope;
struct TWorkspaceServices;
struct TWorkspaceState;

class TPlannerExport : public QObject {
    Q_OBJECT

public:
    TPlannerExport(TWorkspaceState& state, TWorkspaceServices& services, TFileChooser& files,
                   QObject* parent = nullptr);

    // Offers what `offered` names and everything, then the file, then writes it. A file
    // that cannot be written is reported and the old one stays whole.
    void Export(const TExportScope& offered);

private:
    TWorkspaceState& State;
    TWorkspaceServices& Services;
    TFileChooser& Files;
    QString LastFolder; // where the last export went, offered again
};
