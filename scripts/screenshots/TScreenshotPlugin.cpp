// Loaded into the real program with Qt's "-plugin taskwrenscreenshots": once the main window
// shows, it saves pictures of it into $TASKWREN_SCREENSHOT_DIR and closes it. A copy that opens
// on its welcome page gives welcome.png; any other gives tasks.png, with the project named
// $TASKWREN_SCREENSHOT_PROJECT selected, find.png with the tree filtered by
// $TASKWREN_SCREENSHOT_FIND, tasks-menu.png with the task list's context menu, and calendar.png.

#include <QAction>
#include <QApplication>
#include <QGenericPlugin>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
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

// What the screen shows within `area`: a pop-up menu is a window of its own.
void SaveScreen(QWidget* window, const QRect& area, const char* name)
{
    QCoreApplication::processEvents();
    window->screen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .save(qEnvironmentVariable("TASKWREN_SCREENSHOT_DIR") + u'/' + QLatin1String(name));
}

void TakeFindAndMenu(QWidget* window, QTreeWidget* tree, QTreeWidgetItem* project)
{
    window->findChild<QAction*>(QStringLiteral("Find1"))->trigger();
    auto* find = window->findChild<QLineEdit*>(QStringLiteral("edtFind"));
    find->setText(qEnvironmentVariable("TASKWREN_SCREENSHOT_FIND"));
    tree->setCurrentItem(project);
    Save(window, "find.png");

    auto* tasks = window->findChild<QTreeWidget*>(QStringLiteral("lvwItems"));
    tasks->setFocus();
    emit tasks->customContextMenuRequested(tasks->visualItemRect(tasks->topLevelItem(2)).center());
    auto* menu = tasks->findChild<QMenu*>(QStringLiteral("mnuTasks"));
    for (int wait = 0; wait < 100 && !menu->isVisible(); ++wait)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    SaveScreen(window, window->frameGeometry().united(menu->geometry()), "tasks-menu.png");
    menu->hide();

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(find, &escape);
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
        if (!found.isEmpty())
            TakeFindAndMenu(window, tree, found.first());
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
