#include "http/UHttpConnection.h"

#include "http/UHttpWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr size_t BufferSize = 256 * 1024;
}

THttpConnection::THttpConnection(int socket, std::string host, int port)
    : Socket(socket)
    , HostName(std::move(host))
    , PortNumber(port)
    , Buffer(BufferSize)
{
}

THttpConnection::~THttpConnection()
{
    ::close(Socket);
}

void THttpConnection::Write(std::string_view data, TPumpedWaiter& waiter)
{
    while (!data.empty()) {
        const ssize_t sent = ::send(Socket, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent >= 0) {
            data.remove_prefix(static_cast<size_t>(sent));
            if (!waiter.KeepUp())
                throw EHttpError("Write timed out.");
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            throw EHttpError(std::string("Sending the request failed: ") + std::strerror(errno));
        if (!waiter.WaitWritable(Socket))
            throw EHttpError("Write timed out.");
    }
}

size_t THttpConnection::Receive(char* destination, size_t size, TPumpedWaiter& waiter)
{
    for (;;) {
        // Try first: while data streams in, this saves a poll per read.
        const ssize_t got = ::recv(Socket, destination, size, MSG_DONTWAIT);
        if (got >= 0) {
            Received += static_cast<uint64_t>(got);
            if (!waiter.KeepUp())
                throw EHttpError("Read timed out.");
            return static_cast<size_t>(got);
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            throw EHttpError(std::string("Reading the answer failed: ") + std::strerror(errno));
        if (!waiter.WaitReadable(Socket))
            throw EHttpError("Read timed out.");
    }
}

bool THttpConnection::HasPendingInput() const
{
    if (Start != End)
        return true;
    char byte;
    const ssize_t got = ::recv(Socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return got >= 0 || (errno != EAGAIN && errno != EWOULDBLOCK);
}

bool THttpConnection::Fill(TPumpedWaiter& waiter)
{
    if (Start == End) {
        Start = End = 0;
    } else if (End == Buffer.size()) {
        std::copy(Buffer.begin() + static_cast<std::ptrdiff_t>(Start),
                  Buffer.begin() + static_cast<std::ptrdiff_t>(End), Buffer.begin());
        End -= Start;
        Start = 0;
    }
    const size_t got = Receive(Buffer.data() + End, Buffer.size() - End, waiter);
    End += got;
    return got > 0;
}

bool THttpConnection::ReadLine(std::string& line, TPumpedWaiter& waiter)
{
    line.clear();
    for (;;) {
        const char* begin = Buffer.data() + Start;
        const char* end = Buffer.data() + End;
        const char* lf = std::find(begin, end, '\n');
        const size_t taken = static_cast<size_t>((lf == end ? end : lf) - begin);
        line.append(begin, taken);
        Start += taken;
        if (lf != end) {
            ++Start;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() > MaxLineLength)
                throw EHttpError("Max line length exceeded.");
            return true;
        }
        // One byte over the limit may still be the CR of a line that is within it.
        if (line.size() > MaxLineLength + 1)
            throw EHttpError("Max line length exceeded.");
        if (!Fill(waiter))
            return false;
    }
}

size_t THttpConnection::ReadSome(char* destination, size_t size, TPumpedWaiter& waiter)
{
    if (Start == End)
        return Receive(destination, size, waiter);
    const size_t taken = std::min(size, End - Start);
    std::memcpy(destination, Buffer.data() + Start, taken);
    Start += taken;
    return taken;
}
