#include "http/UHttpConnector.h"

#include "http/UHttpWait.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

// Shared by the waiting thread and the attempt; whichever lets go last frees it.
struct TAttempt {
    std::string Host;
    int Port = 0;
    std::mutex Lock;
    std::condition_variable Finished;
    bool Done = false;
    bool Abandoned = false;
    int Socket = -1;
    std::string Error;
    int Wake[2] = {-1, -1}; // written to when the waiting side gives up

    ~TAttempt()
    {
        for (int fd : Wake)
            if (fd >= 0)
                ::close(fd);
    }
};

// Connects one address; -1 with `error` set on failure or when woken.
int ConnectOne(const addrinfo& address, int wake, std::string& error)
{
    const int fd = ::socket(address.ai_family, address.ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, address.ai_protocol);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    int result = ::connect(fd, address.ai_addr, address.ai_addrlen);
    if (result != 0 && errno == EINPROGRESS) {
        pollfd entries[2] = {{fd, POLLOUT, 0}, {wake, POLLIN, 0}};
        int ready;
        while ((ready = ::poll(entries, 2, -1)) < 0 && errno == EINTR) { }
        if (ready < 0 || entries[1].revents != 0) {
            error = ready < 0 ? std::strerror(errno) : "abandoned";
            ::close(fd);
            return -1;
        }
        int socketError = 0;
        socklen_t length = sizeof socketError;
        ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &socketError, &length);
        errno = socketError;
        result = socketError == 0 ? 0 : -1;
    }
    if (result != 0) {
        error = std::strerror(errno);
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one); // the body follows the head at once
    return fd;
}

void RunAttempt(const std::shared_ptr<TAttempt>& attempt)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string port = std::to_string(attempt->Port);
    int fd = -1;
    std::string error;
    const int resolved = ::getaddrinfo(attempt->Host.c_str(), port.c_str(), &hints, &found);
    if (resolved != 0) {
        error = "Could not resolve host \"" + attempt->Host + "\": " + ::gai_strerror(resolved);
    } else {
        for (const addrinfo* a = found; a != nullptr && fd < 0; a = a->ai_next)
            fd = ConnectOne(*a, attempt->Wake[0], error);
        ::freeaddrinfo(found);
        if (fd < 0)
            error = "Could not connect to " + attempt->Host + ":" + port + ": " + error;
    }
    std::lock_guard lock(attempt->Lock);
    if (attempt->Abandoned) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    attempt->Socket = fd;
    attempt->Error = error;
    attempt->Done = true;
    attempt->Finished.notify_one();
}

void Abandon(TAttempt& attempt)
{
    std::lock_guard lock(attempt.Lock);
    attempt.Abandoned = true;
    if (attempt.Socket >= 0)
        ::close(attempt.Socket);
    attempt.Socket = -1;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(attempt.Wake[1], &byte, 1);
}

} // namespace

int ConnectPumped(const std::string& host, int port, TPumpedWaiter& waiter)
{
    auto attempt = std::make_shared<TAttempt>();
    attempt->Host = host;
    attempt->Port = port;
    if (::pipe2(attempt->Wake, O_CLOEXEC | O_NONBLOCK) != 0)
        throw EHttpError(std::string("Could not start connecting: ") + std::strerror(errno));
    try {
        std::thread(RunAttempt, attempt).detach();
    } catch (const std::system_error& error) {
        throw EHttpError(std::string("Could not start connecting: ") + error.what());
    }

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(waiter.Timings().ConnectTimeoutMs);
    const auto slice = std::chrono::milliseconds(waiter.Timings().ConnectSliceMs);
    for (;;) {
        {
            std::unique_lock lock(attempt->Lock);
            attempt->Finished.wait_for(
                lock, std::min<std::chrono::steady_clock::duration>(slice, deadline - std::chrono::steady_clock::now()),
                [&] { return attempt->Done; });
            if (attempt->Done) {
                if (attempt->Socket < 0)
                    throw EHttpError(attempt->Error);
                return attempt->Socket;
            }
        }
        try {
            waiter.Pump();
        } catch (...) {
            Abandon(*attempt);
            throw;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            Abandon(*attempt);
            throw EHttpError("Connect timed out.");
        }
    }
}
