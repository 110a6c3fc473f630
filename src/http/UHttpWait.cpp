#include "http/UHttpWait.h"

#include "http/UMessagePump.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>

namespace {

// True when `fd` is ready for `events` (or failed) within `timeoutMs`.
bool PollOnce(int fd, short events, int timeoutMs)
{
    pollfd entry{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, timeoutMs);
        if (ready >= 0)
            return ready > 0;
        if (errno != EINTR)
            throw EHttpError(std::string("Waiting on the connection failed: ") + std::strerror(errno));
    }
}

} // namespace

TPumpedWaiter::TPumpedWaiter(TMessagePump& pump, const bool& cancelled, const THttpTimings& timings)
    : MessagePump(pump)
    , Cancelled(cancelled)
    , TimingLimits(timings)
    , LastPump(TClock::now())
{
}

void TPumpedWaiter::Pump()
{
    ThrowIfCancelled();
    MessagePump.Pump();
    LastPump = TClock::now();
    ThrowIfCancelled();
}

void TPumpedWaiter::ThrowIfCancelled() const
{
    if (Cancelled)
        throw EHttpAborted();
}

bool TPumpedWaiter::KeepUp()
{
    const TClock::time_point now = TClock::now();
    if (now - LastPump >= std::chrono::milliseconds(TimingLimits.IdleSliceMs))
        Pump();
    return now < Deadline;
}

bool TPumpedWaiter::WaitReadable(int fd)
{
    return Wait(fd, POLLIN);
}

bool TPumpedWaiter::WaitWritable(int fd)
{
    return Wait(fd, POLLOUT);
}

bool TPumpedWaiter::Wait(int fd, short events)
{
    const auto slice = std::chrono::milliseconds(TimingLimits.IdleSliceMs);
    for (;;) {
        const TClock::time_point now = TClock::now();
        if (now >= Deadline)
            return false;
        const TClock::time_point nextPump = LastPump + slice;
        if (now >= nextPump) {
            Pump();
            continue;
        }
        const auto left = std::min(nextPump, Deadline) - now;
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
        if (PollOnce(fd, events, static_cast<int>(std::max<decltype(ms)>(ms, 1))))
            return true;
    }
}

TPumpedWaiter::TDeadline::TDeadline(TPumpedWaiter& waiter, int limitMs)
    : Waiter(waiter)
{
    if (limitMs > 0)
        Waiter.Deadline = TClock::now() + std::chrono::milliseconds(limitMs);
}

TPumpedWaiter::TDeadline::~TDeadline()
{
    Waiter.Deadline = TClock::time_point::max();
}
