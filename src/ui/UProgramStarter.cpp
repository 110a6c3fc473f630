#include "ui/UProgramStarter.h"

#include "ui/UAnsiText.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

bool TDetachedProgramStarter::Start(const std::filesystem::path& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << AnsiToQString(argument);
    // The path's bytes as the file system holds them, whatever the locale.
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program.string())), list);
}
