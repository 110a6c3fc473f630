#include "support/UHttpWait.h"

#include "support/UMessagePump.h"

#include <cerrno>
#include <cstring>
#include <poll.h>

namespace {

// 1 readable, 0 slice passed without data.
int PollSlice(int fd, int sliceMs)
{
    pollfd entry{fd, POLLIN, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, sliceMs);
        if (ready >= 0)
            return ready > 0 ? 1 : 0;
        if (errno != EINTR)
            throw EHttpError(std::string("Waiting for data failed: ") + std::strerror(errno));
    }
}

} // namespace

void TPumpedWaiter::Pump()
{
    ThrowIfCancelled();
    FPump.Pump();
    ThrowIfCancelled();
}

void TPumpedWaiter::ThrowIfCancelled() const
{
    if (FCancelled)
        throw EHttpAborted();
}

bool TPumpedWaiter::WaitReadable(int fd, int limitMs)
{
    const int slice = FTimings.IdleSliceMs;
    if (limitMs <= 0) {
        while (PollSlice(fd, slice) == 0)
            Pump();
        return true;
    }
    int remaining = limitMs;
    int next = remaining % slice == 0 ? slice : remaining % slice;
    while (remaining > 0) {
        if (PollSlice(fd, next) != 0)
            return true;
        remaining -= next;
        next = slice;
        Pump();
    }
    return false;
}
