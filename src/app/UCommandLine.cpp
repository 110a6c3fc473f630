#include "app/UCommandLine.h"

#include "brand/UAppVersion.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>

namespace {

// Qt's own options, read by QGuiApplication and QApplication after us. Qt takes each with one
// dash or two.
constexpr std::array QtOptionsWithValue{"platform",   "platformpluginpath", "platformtheme", "plugin",
                                        "qwindowgeometry", "geometry",      "qwindowicon",   "icon",
                                        "qwindowtitle", "title",            "session",       "display",
                                        "style",      "stylesheet",         "name",          "visual"};
constexpr std::array QtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
constexpr std::array QtOptionsWithJoinedValue{"style=", "stylesheet=", "qmljsdebugger="};

QString QtOptionName(const QString& argument)
{
    if (argument.startsWith(QStringLiteral("--")))
        return argument.mid(2);
    if (argument.startsWith(u'-'))
        return argument.mid(1);
    return {};
}

template <std::size_t N>
bool Names(const std::array<const char*, N>& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(), [&](const char* known) { return name == QLatin1String(known); });
}

template <std::size_t N>
bool StartsWithAny(const std::array<const char*, N>& prefixes, const QString& name)
{
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const char* prefix) { return name.startsWith(QLatin1String(prefix)); });
}

// The arguments with Qt's own options and their values taken out; `missingValue` names a Qt
// option that ends the line without its value.
QStringList WithoutQtOptions(const QStringList& arguments, QString& missingValue)
{
    QStringList ours;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString name = QtOptionName(arguments[i]);
        if (i > 0 && Names(QtOptionsWithValue, name)) {
            if (++i == arguments.size())
                missingValue = arguments.last();
        } else if (i == 0 || !(Names(QtFlags, name) || StartsWithAny(QtOptionsWithJoinedValue, name))) {
            ours << arguments[i];
        }
    }
    return ours;
}

} // namespace

TCommandLine ReadCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A planner for projects, their tasks and the hours of each day.\n"
                       "Its files lie in the program's own folder, beside the executable.\n"
                       "Qt's own options (-platform, -style, -display...) are taken as by any Qt program."));
    // Qt's own help option would also offer --help-all, which lists Qt's options through an
    // application object that does not exist yet.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version."));
    parser.addOption(help);
    parser.addOption(version);
    const QString program = arguments.isEmpty() ? QStringLiteral("taskwren") : arguments.first().section(u'/', -1);

    QString missingValue;
    const QStringList ours = WithoutQtOptions(arguments, missingValue);
    if (!missingValue.isEmpty())
        return {TCommandLine::TAction::Refuse,
                QStringLiteral("%1: Missing value after '%2'. Try \"%1 --help\".").arg(program, missingValue)};
    if (!parser.parse(ours))
        return {TCommandLine::TAction::Refuse,
                QStringLiteral("%1: %2 Try \"%1 --help\".").arg(program, parser.errorText())};
    if (parser.isSet(help))
        // Without an application object (none exists yet) the parser cannot name the program.
        return {TCommandLine::TAction::ShowHelp, parser.helpText().replace(QStringLiteral("<executable_name>"), program)};
    if (parser.isSet(version))
        return {TCommandLine::TAction::ShowVersion,
                QStringLiteral("Taskwren %1\n").arg(QLatin1String(AppVersion.data(), AppVersion.size()))};
    if (!parser.positionalArguments().isEmpty())
        return {TCommandLine::TAction::Refuse,
                QStringLiteral("%1: Unexpected argument '%2'. Try \"%1 --help\".")
                    .arg(program, parser.positionalArguments().first())};
    return {};
}
