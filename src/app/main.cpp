#include "app/FCrashReport.h"
#include "app/FMain.h"
#include "app/TFontWarmUp.h"
#include "brand/UAppVersion.h"
#include "app/UCommandLine.h"
#include "brand/URandomSource.h"
#include "brand/USettingsFile.h"
#include "common/UHugePageHeap.h"
#include "common/UProgramFolder.h"
#include "crash/UCrashHandler.h"
#include "crash/UCrashLog.h"
#include "model/UHours.h"
#include "model/UProjects.h"
#include "ui/UDialogRunner.h"
#include "ui/UErrorHandler.h"
#include "ui/UIcons.h"

#include <QFile>
#include <QFont>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <filesystem>

namespace {

// The name of the desktop entry and of its icon, so that the desktop matches the window to both.
constexpr auto DesktopName = "taskwren";

// The files the program replaces through temporary files, which a kill during a save leaves.
constexpr std::string_view OwnFiles[] = {TProjects::CategoriesFileName, TProjects::NewProjectsFileName,
                                         THours::FileName, SettingsFileName, CrashLogName};

// Answers --help, --version and unknown arguments; none of them needs a window system.
std::optional<int> AnswerCommandLine(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const TCommandLine command = ReadCommandLine(arguments);
    switch (command.Action) {
    case TCommandLine::TAction::Run:
        return std::nullopt;
    case TCommandLine::TAction::ShowHelp:
    case TCommandLine::TAction::ShowVersion:
        std::fputs(command.Text.toLocal8Bit().constData(), stdout);
        return 0;
    case TCommandLine::TAction::Refuse:
        std::fprintf(stderr, "%s\n", command.Text.toLocal8Bit().constData());
        return 2;
    }
    return 2;
}

// The folder of the program file itself, the launcher's link resolved, in the file system's
// own encoding whatever bytes its name holds; empty where /proc cannot tell.
std::filesystem::path ProgramFileFolder()
{
    std::error_code failed;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failed);
    return failed ? std::filesystem::path() : program.parent_path();
}

} // namespace

int main(int argc, char** argv)
{
    if (const auto status = AnswerCommandLine(argc, argv))
        return *status;

    GrowHeapInHugePages(); // before the start-up's allocations
    TFontWarmUp fonts;
    TMainWindowOptions options;
    // Where the program's folder is known before Qt starts, its data files are read meanwhile.
    options.ProgramFolder = ProgramFileFolder();
    if (!options.ProgramFolder.empty())
        options.Loading = std::make_unique<TPlannerLoad>(options.ProgramFolder);
    // Where Arial is missing, its metric twin keeps the designed sizes. Set before the fonts'
    // thread lists them: Qt keeps the substitutions without a lock.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    TApplication application(argc, argv);
    fonts.QtStarted();
    QGuiApplication::setApplicationName(QStringLiteral("Taskwren"));
    QGuiApplication::setApplicationVersion(QString::fromLatin1(AppVersion.data(), AppVersion.size()));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopName));
    // A publisher's main.ico replaces it.
    QApplication::setWindowIcon(IconFromFileWhenShown(QStringLiteral(":/taskwren.svg")));

    if (options.ProgramFolder.empty()) // Qt finds it without /proc, from the command line
        options.ProgramFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    InstallCrashHandler(options.ProgramFolder);
    TProgramFolder programFolder(options.ProgramFolder);
    static_cast<void>(programFolder.RemoveStaleTemporaryFiles(OwnFiles));
    // One generator for the run, seeded once, for the welcome page, banner and links.
    TSeededRandom random;
    options.LoadBrandSettings = [&random](const TProgramFolder& folder) { return LoadBrandSettings(folder, random); };
    fonts.Wait(); // the window's first control asks for a font
    TfrmMain window(std::move(options));
    window.show();
    TQtDialogRunner dialogs;
    QTimer::singleShot(0, &window, [&] { OfferCrashReport(programFolder, dialogs, &window); });
    return TApplication::exec();
}
