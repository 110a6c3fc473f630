#include "workspace/UPlannerExport.h"

#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "model/UCsvExport.h"
#include "model/UExportSet.h"
#include "model/UICalendarExport.h"
#include "model/UProjects.h"
#include "ui/UAnsiText.h"
#include "ui/UDialogRunner.h"
#include "ui/UFileChooser.h"
#include "ui/ULocaleDateReader.h"
#include "ui/UMessageService.h"
#include "ui/UWaitCursor.h"
#include "workspace/FExport.h"
#include "workspace/UWorkspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <ctime>
#include <filesystem>

namespace {

// A name the save dialog can start with: no folder separators or control characters.
QString FileNameOf(const QString& name)
{
    QString file;
    for (const QChar c : name)
        file += (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) ? u'_' : c;
    file = file.trimmed();
    return file.isEmpty() || file == QStringLiteral(".") || file == QStringLiteral("..") ? QStringLiteral("Planner")
                                                                                         : file;
}

} // namespace

TPlannerExport::TPlannerExport(TWorkspaceState& state, TWorkspaceServices& services, TFileChooser& files,
                               QObject* parent)
    : QObject(parent)
    , State(state)
    , Services(services)
    , Files(files)
    , LastFolder(QDir::homePath())
{
}

void TPlannerExport::Export(const TExportScope& offered)
{
    const TProjects& projects = *State.Projects;
    std::optional<QString> project;
    if (offered.Project >= 0)
        project = AnsiToQString(projects[offered.Project].Name);
    std::optional<QString> category;
    if (offered.Category)
        category = AnsiToQString(*offered.Category);
    TfrmExport dialog(project, category, Services.DialogParent);
    if (!Services.Dialogs.Run(dialog))
        return;

    TExportScope scope;
    QString name = QStringLiteral("Planner");
    switch (dialog.Choice()) {
    case TExportChoice::Project:
        scope.Project = offered.Project;
        name = *project;
        break;
    case TExportChoice::Category:
        scope.Category = offered.Category;
        name = *category;
        break;
    case TExportChoice::Everything:
        break;
    }
    const bool calendar = dialog.Format() == TExportFormat::ICalendar;
    const QString suffix = calendar ? QStringLiteral("ics") : QStringLiteral("csv");
    const QString path =
        Files.ChooseSaveFile(QStringLiteral("Export"), QDir(LastFolder).filePath(FileNameOf(name) + u'.' + suffix),
                             calendar ? QStringLiteral("iCalendar (*.ics)") : QStringLiteral("CSV (*.csv)"), suffix);
    if (path.isEmpty())
        return;
    LastFolder = QFileInfo(path).absolutePath();

    int hoursLeftOut = 0;
    try {
        const TWaitCursor waiting;
        const TExportSet set = SelectForExport(projects, *State.Hours, scope);
        const TLocaleDateReader dates;
        std::string text;
        if (calendar) {
            TICalendarExport exported = FormatICalendar(set, dates, std::time(nullptr));
            text = std::move(exported.Text);
            hoursLeftOut = exported.HoursLeftOut;
        } else {
            text = FormatTasksCsv(set, dates);
        }
        // The data files' way of writing, in the folder the user chose.
        const std::filesystem::path file(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
        TProgramFolder folder(file.parent_path());
        folder.WriteFile(file.filename().string(), text);
    } catch (const EFileError& error) {
        Services.Messages.Warn(QStringLiteral("The export could not be written.\n") +
                               QString::fromLocal8Bit(error.what()));
        return;
    }
    if (hoursLeftOut > 0)
        Services.Messages.Inform(
            (hoursLeftOut == 1 ? QStringLiteral("1 action of the calendar was not exported: its day or hour")
                               : QStringLiteral("%1 actions of the calendar were not exported: their day or hour")
                                     .arg(hoursLeftOut)) +
            QStringLiteral(" cannot be read under the current date settings."));
}
