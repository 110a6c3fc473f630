// Loaded into the real program with Qt's "-plugin taskwrenscreenshots": once the main window
// shows, it saves pictures of it into $TASKWREN_SCREENSHOT_DIR and closes it. A copy that opens
// on its welcome page gives welcome.png; any other gives tasks.png, with the project named
// $TASKWREN_SCREENSHOT_PROJECT selected, and calendar.png.

#include <QApplication>
#include <QGenericPlugin>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

namespace {

void Save(QWidget* window, const char* name)
{
    QCoreApplication::processEvents();
    window->grab().save(qEnvironmentVariable("TASKWREN_SCREENSHOT_DIR") + u'/' + QLatin1String(name));
}

void TakeScreenshots(QWidget* window)
{
    auto* pages = window->findChild<QTabWidget*>(QStringLiteral("pgcPrinc"));
    if (pages->currentWidget()->objectName() == QLatin1String("stsWelcome")) {
        Save(window, "welcome.png");
    } else {
        auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("tvwMain"));
        const auto found = tree->findItems(qEnvironmentVariable("TASKWREN_SCREENSHOT_PROJECT"),
                                           Qt::MatchExactly | Qt::MatchRecursive);
        if (!found.isEmpty())
            tree->setCurrentItem(found.first());
        Save(window, "tasks.png");
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("pgcMain"));
        tabs->setCurrentIndex(1);
        auto* hours = window->findChild<QTreeWidget*>(QStringLiteral("lvwToDo"));
        hours->setCurrentItem(hours->topLevelItem(9));
        Save(window, "calendar.png");
    }
    window->close();
}

} // namespace

class TScreenshotPlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "TScreenshotPlugin.json")

public:
    QObject* create(const QString&, const QString&) override
    {
        auto* driver = new QTimer;
        driver->setInterval(50);
        connect(driver, &QTimer::timeout, driver, [driver] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->findChild<QPushButton*>(QStringLiteral("btnSave")) != nullptr &&
                    window->windowHandle() != nullptr && window->windowHandle()->isVisible()) {
                    driver->stop();
                    // Pictures and the HTML view settle before the first picture is taken.
                    QTimer::singleShot(500, window, [window] { TakeScreenshots(window); });
                    return;
                }
            }
        });
        driver->start();
        return driver;
    }
};

#include "TScreenshotPlugin.moc"
