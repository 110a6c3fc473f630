// A Qt generic plugin that the install test loads into the installed program with Qt's own
// "-plugin" option: once the main window shows, it presses "Save Changes" and closes the
// window, so that a program started as a user starts it can be checked by its files.

#include <QApplication>
#include <QGenericPlugin>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

class TSaveAndClosePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "TSaveAndClosePlugin.json")

public:
    QObject* create(const QString&, const QString&) override
    {
        auto* driver = new QTimer;
        driver->setInterval(20);
        connect(driver, &QTimer::timeout, driver, [driver] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* save = window->findChild<QPushButton*>(QStringLiteral("btnSave"));
                // The native window shows only once the window's show handling has finished.
                if (save != nullptr && window->windowHandle() != nullptr && window->windowHandle()->isVisible()) {
                    driver->stop();
                    save->click();
                    window->close();
                    return;
                }
            }
        });
        driver->start();
        // A program that never shows its window fails the test instead of hanging it.
        QTimer::singleShot(60000, driver, [] { QCoreApplication::exit(3); });
        return driver;
    }
};

#include "TSaveAndClosePlugin.moc"
