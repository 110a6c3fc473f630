#include "http/UHttpConnection.h"

#include "http/UHttpError.h"
#include "http/UHttpWait.h"
#include "http/UMessagePump.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

class TNoPump final : public TMessagePump {
public:
    void Pump() override { }
};

// With SIGPIPE at its default, a send to a socket whose peer has gone would end the process
// unless the write asks the kernel not to raise the signal.
TEST(UHttpConnection, WriteToAClosedPeerIsAnErrorNotASignal)
{
    struct sigaction previous { };
    struct sigaction byDefault { };
    byDefault.sa_handler = SIG_DFL;
    ASSERT_EQ(::sigaction(SIGPIPE, &byDefault, &previous), 0);
    int ends[2] = {-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    ::close(ends[1]);
    {
        TNoPump pump;
        const bool cancelled = false;
        const THttpTimings timings;
        TPumpedWaiter waiter(pump, cancelled, timings);
        THttpConnection connection(ends[0], "peer", 80); // closes ends[0]
        EXPECT_THROW(connection.Write(std::string(4096, 'x'), waiter), EHttpError);
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
}

} // namespace
