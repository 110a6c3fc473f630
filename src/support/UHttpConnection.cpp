#include "support/UHttpConnection.h"

#include "support/UHttpWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr size_t BufferSize = 256 * 1024;
}

THttpConnection::THttpConnection(int socket, std::string host, int port)
    : FSocket(socket)
    , FHost(std::move(host))
    , FPort(port)
    , FBuffer(BufferSize)
{
}

THttpConnection::~THttpConnection()
{
    ::close(FSocket);
}

void THttpConnection::Write(std::string_view data)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(FSocket, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            throw EHttpError(std::string("Sending the request failed: ") + std::strerror(errno));
        }
        data.remove_prefix(static_cast<size_t>(sent));
    }
}

size_t THttpConnection::Receive(char* destination, size_t size, TPumpedWaiter& waiter, int limitMs)
{
    for (;;) {
        // Try first: while data streams in, this saves a poll per read.
        const ssize_t got = ::recv(FSocket, destination, size, MSG_DONTWAIT);
        if (got >= 0) {
            FReceived += static_cast<uint64_t>(got);
            return static_cast<size_t>(got);
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            throw EHttpError(std::string("Reading the answer failed: ") + std::strerror(errno));
        if (!waiter.WaitReadable(FSocket, limitMs))
            throw EHttpError("Read timed out.");
    }
}

bool THttpConnection::Fill(TPumpedWaiter& waiter, int limitMs)
{
    if (FStart == FEnd) {
        FStart = FEnd = 0;
    } else if (FEnd == FBuffer.size()) {
        std::copy(FBuffer.begin() + static_cast<std::ptrdiff_t>(FStart),
                  FBuffer.begin() + static_cast<std::ptrdiff_t>(FEnd), FBuffer.begin());
        FEnd -= FStart;
        FStart = 0;
    }
    const size_t got = Receive(FBuffer.data() + FEnd, FBuffer.size() - FEnd, waiter, limitMs);
    FEnd += got;
    return got > 0;
}

bool THttpConnection::ReadLine(std::string& line, TPumpedWaiter& waiter, int limitMs)
{
    line.clear();
    for (;;) {
        const char* begin = FBuffer.data() + FStart;
        const char* end = FBuffer.data() + FEnd;
        const char* lf = std::find(begin, end, '\n');
        const size_t taken = static_cast<size_t>((lf == end ? end : lf) - begin);
        line.append(begin, taken);
        FStart += taken;
        if (lf != end) {
            ++FStart;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() > MaxLineLength)
                throw EHttpError("Max line length exceeded.");
            return true;
        }
        // One byte over the limit may still be the CR of a line that is within it.
        if (line.size() > MaxLineLength + 1)
            throw EHttpError("Max line length exceeded.");
        if (!Fill(waiter, limitMs))
            return false;
    }
}

size_t THttpConnection::ReadSome(char* destination, size_t size, TPumpedWaiter& waiter, int limitMs)
{
    if (FStart == FEnd)
        return Receive(destination, size, waiter, limitMs);
    const size_t taken = std::min(size, FEnd - FStart);
    std::memcpy(destination, FBuffer.data() + FStart, taken);
    FStart += taken;
    return taken;
}
