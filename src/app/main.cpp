#include "app/FMain.h"
#include "app/URandomSource.h"
#include "app/USettingsFile.h"
#include "ui/UErrorHandler.h"

#include <QFile>
#include <QFont>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    // Where Arial is missing, its metric twin keeps the designed sizes.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));

    TMainWindowOptions options;
    // The file system's own encoding of the folder, whatever bytes its name holds.
    options.ProgramFolder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    // One generator for the run, seeded once, for the welcome page, banner and links.
    TSeededRandom random;
    options.LoadBrandSettings = [&random](const TProgramFolder& folder) { return LoadBrandSettings(folder, random); };
    TfrmMain window(std::move(options));
    window.show();
    return TApplication::exec();
}
