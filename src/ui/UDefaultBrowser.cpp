#include "ui/UDefaultBrowser.h"

#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// The value of `key` in the group `group` of a desktop-style key file; empty when absent.
QString KeyFileValue(const QString& path, const QString& group, const QString& key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream lines(&file);
    bool inGroup = false;
    while (!lines.atEnd()) {
        const QString line = lines.readLine().trimmed();
        if (line.startsWith(u'['))
            inGroup = line == u'[' + group + u']';
        else if (inGroup && line.section(u'=', 0, 0).trimmed() == key)
            return line.section(u'=', 1).trimmed();
    }
    return {};
}

QString DefaultHttpHandler()
{
    const QString group = QStringLiteral("Default Applications");
    const QString key = QStringLiteral("x-scheme-handler/http");
    for (const auto location : {QStandardPaths::GenericConfigLocation, QStandardPaths::ApplicationsLocation}) {
        for (const QString& list : QStandardPaths::locateAll(location, QStringLiteral("mimeapps.list"))) {
            // The value lists entries in order of preference, each ended by ";".
            const QString entry = KeyFileValue(list, group, key).section(u';', 0, 0);
            if (!entry.isEmpty())
                return entry;
        }
    }
    return {};
}

} // namespace

QStringList DefaultBrowserCommand()
{
    // The user's own choice comes first, then the system's (Debian's alternative).
    const QString entry = DefaultHttpHandler();
    const QString entryFile =
        entry.isEmpty() ? QString() : QStandardPaths::locate(QStandardPaths::ApplicationsLocation, entry);
    if (!entryFile.isEmpty()) {
        QStringList command =
            DesktopEntryCommand(KeyFileValue(entryFile, QStringLiteral("Desktop Entry"), QStringLiteral("Exec")));
        if (!command.isEmpty())
            return command;
    }
    const QString debianBrowser = QStandardPaths::findExecutable(QStringLiteral("x-www-browser"));
    if (!debianBrowser.isEmpty())
        return {debianBrowser};
    return {};
}

QStringList DesktopEntryCommand(const QString& exec)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted && c == u'\\' && i + 1 < exec.size()) {
            word += exec[++i];
        } else if (c == u'"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == u' ' || c == u'\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == u'%' && i + 1 < exec.size()) {
            // "%%" is a percent sign; every other field code stands for what the entry is
            // opened with, and there is nothing here.
            if (exec[++i] == u'%')
                word += u'%';
            inWord = true;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord && !word.isEmpty())
        words << word;
    words.removeAll(QString());
    return words;
}
