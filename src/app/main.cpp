#include "app/FMain.h"
#include "ui/UErrorHandler.h"

#include <QFont>

int main(int argc, char** argv)
{
    TApplication application(argc, argv);
    // Where Arial is missing, its metric twin keeps the designed sizes.
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));

    TMainWindowOptions options;
    options.ProgramFolder = QCoreApplication::applicationDirPath().toStdString();
    TfrmMain window(std::move(options));
    window.show();
    return TApplication::exec();
}
