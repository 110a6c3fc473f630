#pragma once
// How a request waits on the window thread: in slices, pumping messages between them.

#include "support/UHttpError.h"

class TMessagePump;

struct THttpTimings {
  int ConnectTimeoutMs = 120000;   // "Connect timed out." after this
  int ConnectSliceMs = 125;        // sleep between pumps while connecting
  int IdleSliceMs = 250;           // wait for data between pumps while reading
  int RedirectBodyLimitMs = 4000;  // a redirect's own body is given this long per wait
  int ErrorBodyLimitMs = 2000;     // the body of an error answer likewise
};

// Thrown when the request was called off from inside a pump (CloseConnection, or the
// client destroyed). Never retried.
class EHttpAborted : public EHttpError {
public:
  EHttpAborted() : EHttpError("The request was cancelled: the connection was closed.") {}
};

class TPumpedWaiter {
public:
  // `cancelled` is read after every pump; once it is set the pump is never called again.
  TPumpedWaiter(TMessagePump& pump, const bool& cancelled, const THttpTimings& timings)
      : FPump(pump), FCancelled(cancelled), FTimings(timings) {}

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
