// Loaded with Qt's "-plugin taskwrenstartupprobe" into the program or the bare window: once a
// window has been exposed and the event loop is about to wait for input (the first frame is
// drawn and start-up is over), it writes the resident bytes and the page faults so far on
// standard output and ends the process at once, so that its teardown costs the run nothing.

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEvent>
#include <QGenericPlugin>
#include <QWindow>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

namespace {

class TProbe : public QObject {
public:
    TProbe() { QCoreApplication::instance()->installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!Armed && event->type() == QEvent::Expose) {
            const auto* window = qobject_cast<QWindow*>(watched);
            if (window != nullptr && window->isTopLevel() && window->isVisible()) {
                Armed = true;
                connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                        [] { Report(); });
            }
        }
        return false;
    }

private:
    static void Report()
    {
        long pages = 0;
        long resident = 0;
        std::ifstream("/proc/self/statm") >> pages >> resident;
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        std::printf("%ld %ld\n", resident * ::sysconf(_SC_PAGESIZE), usage.ru_minflt + usage.ru_majflt);
        std::fflush(stdout);
        ::_exit(0);
    }

    bool Armed = false;
};

} // namespace

class TStartupProbePlugin : public QGenericPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "TStartupProbe.json")

public:
    QObject* create(const QString&, const QString&) override { return new TProbe; }
};

#include "TStartupProbe.moc"
