// libFuzzer target: any bytes a server sends read as an answer without a crash or a hang:
// the status line, headers and their folding, Content-Length and chunked framing, trailers.
// The bytes come through a socket pair, so the real connection and reading code runs. A
// body either arrives or the reading fails with an EHttpError, and it never holds more than
// was sent.

#include "http/UHttpAnswer.h"
#include "http/UHttpConnection.h"
#include "http/UHttpError.h"
#include "http/UHttpSinks.h"
#include "http/UHttpWait.h"
#include "http/UMessagePump.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

class TNoPump : public TMessagePump {
public:
    void Pump() override { }
};

// What one write into the socket pair takes at once.
constexpr std::size_t MaxInput = 64 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > MaxInput)
        return 0;
    int ends[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        std::abort();
    if (size > 0 && ::write(ends[0], data, size) != static_cast<ssize_t>(size))
        std::abort();
    ::shutdown(ends[0], SHUT_WR);

    THttpConnection connection(ends[1], "fuzz.example", 80); // owns its end
    TNoPump pump;
    const bool cancelled = false;
    const THttpTimings timings;
    TPumpedWaiter waiter(pump, cancelled, timings);
    try {
        const THttpAnswerHead head = ReadAnswerHead(connection, waiter);
        std::string body;
        THttpStringSink sink(body, MaxInput);
        if (!StatusHasNoBody(head.StatusCode))
            static_cast<void>(ReadAnswerBody(connection, head, sink, waiter));
        if (body.size() > size)
            std::abort();
        static_cast<void>(connection.HasPendingInput());
    } catch (const EHttpError&) {
        // A malformed or cut answer fails the call: what the callers expect.
    }
    ::close(ends[0]);
    return 0;
}
