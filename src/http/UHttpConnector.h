#pragma once
// Opening a TCP connection without freezing the window thread.

#include <string>

class TPumpedWaiter;

// Resolves `host` and connects to `port` on a thread of its own, while the calling thread
// sleeps in connect slices and pumps after each. Returns the connected socket (blocking
// mode, close-on-exec). Throws EHttpError when the host does not resolve, the connection
// is refused, or it is not made within the connect timeout ("Connect timed out."); throws
// EHttpAborted when the request is called off meanwhile. An abandoned attempt finishes on
// its own and closes its socket; it touches nothing of the caller's.
[[nodiscard]] int ConnectPumped(const std::string& host, int port, TPumpedWaiter& waiter);
