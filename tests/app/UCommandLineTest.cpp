#include "app/UCommandLine.h"

#include <QTest>

using TAction = TCommandLine::TAction;

class UCommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void qtsOwnOptionsAreLeftToQtAndAnythingElseIsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<TAction>("action");
        QTest::newRow("none") << QStringList{} << TAction::Run;
        QTest::newRow("platform with its value") << QStringList{"-platform", "offscreen"} << TAction::Run;
        QTest::newRow("two dashes") << QStringList{"--platform", "xcb", "--reverse"} << TAction::Run;
        QTest::newRow("joined value") << QStringList{"-style=fusion", "-qmljsdebugger=port:1"} << TAction::Run;
        // A Qt option's value is never read as an option of ours.
        QTest::newRow("value like an option") << QStringList{"-qwindowtitle", "--version"} << TAction::Run;
        QTest::newRow("help after Qt's") << QStringList{"-display", ":1", "--help"} << TAction::ShowHelp;
        QTest::newRow("version") << QStringList{"-v"} << TAction::ShowVersion;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << TAction::Refuse;
        QTest::newRow("a file name") << QStringList{"projects.dat"} << TAction::Refuse;
        QTest::newRow("Qt's option without its value") << QStringList{"-platform"} << TAction::Refuse;
    }

    void qtsOwnOptionsAreLeftToQtAndAnythingElseIsRefused()
    {
        QFETCH(QStringList, arguments);
        QFETCH(TAction, action);
        const TCommandLine command = ReadCommandLine(QStringList{"/opt/taskwren/taskwren"} + arguments);
        QCOMPARE(command.Action, action);
        if (action == TAction::Refuse) {
            QVERIFY(command.Text.startsWith(QStringLiteral("taskwren: ")));
            QVERIFY(!command.Text.contains(u'\n'));
        }
    }
};

QTEST_GUILESS_MAIN(UCommandLineTest)
#include "UCommandLineTest.moc"
