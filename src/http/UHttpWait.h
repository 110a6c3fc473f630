#pragma once
// How a request waits on the window thread: in slices, pumping messages between them.

#include "http/UHttpAborted.h"
#include "http/UHttpTimings.h"

#include <chrono>

class TMessagePump;

class TPumpedWaiter {
public:
    // `cancelled` is read after every pump; once it is set the pump is never called again.
    TPumpedWaiter(TMessagePump& pump, const bool& cancelled, const THttpTimings& timings);

    // Hands pending messages to the pump, then throws EHttpAborted if the request was called off.
    void Pump();
    void ThrowIfCancelled() const;

    // Called whenever bytes have moved: pumps once a slice has passed since the last pump,
    // so a peer that keeps data flowing cannot keep the window frozen. False once the
    // deadline, if any, has passed.
    [[nodiscard]] bool KeepUp();

    // Wait until `fd` is readable (or at its end, or failed) / writable, pumping every slice
    // of wall-clock time. False when the deadline, if any, passes first.
    [[nodiscard]] bool WaitReadable(int fd);
    [[nodiscard]] bool WaitWritable(int fd);

    // Gives every wait and transfer within its scope one overall deadline, `limitMs` from
    // now; with `limitMs` 0 or less they wait without end.
    class TDeadline {
    public:
        TDeadline(TPumpedWaiter& waiter, int limitMs);
        ~TDeadline();
        TDeadline(const TDeadline&) = delete;
        TDeadline& operator=(const TDeadline&) = delete;

    private:
        TPumpedWaiter& Waiter;
    };

    [[nodiscard]] const THttpTimings& Timings() const { return TimingLimits; }

private:
    using TClock = std::chrono::steady_clock;

    bool Wait(int fd, short events);

    TMessagePump& MessagePump;
    const bool& Cancelled;
    const THttpTimings& TimingLimits;
    TClock::time_point LastPump;
    TClock::time_point Deadline = TClock::time_point::max();
};
