#include "app/TFontWarmUp.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <system_error>

TFontWarmUp::TFontWarmUp()
{
    try {
        Reader = std::thread([this] {
            static_cast<void>(FcInit());
            std::unique_lock lock(Lock);
            Changed.wait(lock, [this] { return Started || Waiting; });
            if (Started) {
                lock.unlock();
                // Qt's font database is made under its own lock, which the window's first
                // font then waits for.
                static_cast<void>(QFontDatabase::families());
            }
        });
    } catch (const std::system_error&) {
        // Without a thread, Qt has its fonts read when it needs them.
    }
}

void TFontWarmUp::QtStarted()
{
    {
        const std::lock_guard lock(Lock);
        Started = true;
    }
    Changed.notify_one();
}

void TFontWarmUp::Wait()
{
    {
        const std::lock_guard lock(Lock);
        Waiting = true;
    }
    Changed.notify_one();
    if (Reader.joinable())
        Reader.join();
}
