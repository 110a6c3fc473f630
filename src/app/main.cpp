#include "app/FMain.h"
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
    TfrmMain window(std::move(options));
    window.show();
    return TApplication::exec();
}
