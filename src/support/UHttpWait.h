#pragma once
// How a request waits on the window thread: in slices, pumping messages between them.

#include "support/UHttpAborted.h"
#include "support/UHttpTimings.h"

class TMessagePump;

class TPumpedWaiter {
public:
    // `cancelled` is read after every pump; once it is set the pump is never called again.
    TPumpedWaiter(TMessagePump& pump, const bool& cancelled, const THttpTimings& timings)
        : FPump(pump)
        , FCancelled(cancelled)
        , FTimings(timings)
    {
    }

    // Hands pending messages to the pump, then throws EHttpAborted if the request was called off.
    void Pump();
    void ThrowIfCancelled() const;

    // Waits until `fd` is readable (or at its end). With `limitMs` 0 it waits without end;
    // otherwise the first slice takes the remainder of the limit over whole slices, and the
    // result is false when the limit passes without data.
    [[nodiscard]] bool WaitReadable(int fd, int limitMs);

    [[nodiscard]] const THttpTimings& Timings() const { return FTimings; }

private:
    TMessagePump& FPump;
    const bool& FCancelled;
    const THttpTimings& FTimings;
};
