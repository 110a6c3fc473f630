#include "http/ScriptedHttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

size_t FindNoCase(const std::string& text, const std::string& lowerNeedle)
{
    std::string lowered = text;
    for (char& c : lowered)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return lowered.find(lowerNeedle);
}

} // namespace

std::string AnswerWithBody(const std::string& statusLine, const std::string& body, const std::string& extraHeaders)
{
    return statusLine + "\r\n" + extraHeaders + "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

TScriptedAnswer HangingAnswer()
{
    TScriptedAnswer answer;
    answer.Hang = true;
    return answer;
}

TScriptedAnswer DelayedAnswer(const std::string& bytes, int delayMs)
{
    TScriptedAnswer answer;
    answer.Bytes = bytes;
    answer.DelayMs = delayMs;
    return answer;
}

TScriptedAnswer Trickle(const std::string& head, const std::string& piece, int everyMs, int count)
{
    TScriptedAnswer answer;
    answer.Bytes = head;
    answer.Repeat = piece;
    answer.RepeatEveryMs = everyMs;
    answer.RepeatCount = count;
    answer.Close = true;
    return answer;
}

TScriptedAnswer IgnoringPeer(int ms)
{
    TScriptedAnswer answer;
    answer.IgnoreMs = ms;
    return answer;
}

TScriptedHttpServer::TScriptedHttpServer()
{
    Listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (Listener < 0 || ::bind(Listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(Listener, 16) != 0 || ::getsockname(Listener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        ::pipe(StopRequested) != 0)
        throw std::runtime_error("cannot start the scripted server");
    PortNumber = ntohs(address.sin_port);
    Thread = std::thread([this] { Run(); });
}

TScriptedHttpServer::~TScriptedHttpServer()
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(StopRequested[1], &byte, 1);
    Thread.join();
    ::close(Listener);
    ::close(StopRequested[0]);
    ::close(StopRequested[1]);
}

std::string TScriptedHttpServer::Url(const std::string& target) const
{
    return "http://127.0.0.1:" + std::to_string(PortNumber) + target;
}

void TScriptedHttpServer::Enqueue(TScriptedAnswer answer)
{
    std::lock_guard lock(Lock);
    Script.push_back(std::move(answer));
}

void TScriptedHttpServer::Answer(const std::string& bytes, bool close)
{
    TScriptedAnswer answer;
    answer.Bytes = bytes;
    answer.Close = close;
    Enqueue(answer);
}

std::vector<TRecordedRequest> TScriptedHttpServer::Requests() const
{
    std::lock_guard lock(Lock);
    return Recorded;
}

int TScriptedHttpServer::Connections() const
{
    std::lock_guard lock(Lock);
    return ConnectionCount;
}

bool TScriptedHttpServer::WaitReadable(int fd)
{
    pollfd entries[2] = {{fd, POLLIN, 0}, {StopRequested[0], POLLIN, 0}};
    while (::poll(entries, 2, -1) < 0) { }
    return entries[1].revents == 0;
}

bool TScriptedHttpServer::Sleep(int ms)
{
    pollfd stop{StopRequested[0], POLLIN, 0};
    while (::poll(&stop, 1, ms) < 0) { }
    return stop.revents == 0;
}

bool TScriptedHttpServer::SendAll(int client, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        pollfd entries[2] = {{client, POLLOUT, 0}, {StopRequested[0], POLLIN, 0}};
        while (::poll(entries, 2, -1) < 0) { }
        if (entries[1].revents != 0)
            return false;
        const ssize_t n = ::send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            return false; // the client has gone: nothing more to play
        sent += static_cast<size_t>(n);
    }
    return true;
}

bool TScriptedHttpServer::Play(int client, const TScriptedAnswer& answer)
{
    if (answer.DelayMs > 0 && !Sleep(answer.DelayMs))
        return false;
    if (!SendAll(client, answer.Bytes))
        return false;
    for (int i = 0; !answer.Repeat.empty() && (answer.RepeatCount == 0 || i < answer.RepeatCount); ++i)
        if ((answer.RepeatEveryMs > 0 && !Sleep(answer.RepeatEveryMs)) || !SendAll(client, answer.Repeat))
            return false;
    if (!answer.Later.empty())
        return Sleep(answer.LaterDelayMs) && SendAll(client, answer.Later);
    return true;
}

bool TScriptedHttpServer::TakeIgnoring(TScriptedAnswer& answer)
{
    std::lock_guard lock(Lock);
    if (Script.empty() || Script.front().IgnoreMs == 0)
        return false;
    answer = Script.front();
    Script.pop_front();
    return true;
}

void TScriptedHttpServer::Run()
{
    while (WaitReadable(Listener)) {
        const int client = ::accept4(Listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        {
            std::lock_guard lock(Lock);
            ++ConnectionCount;
        }
        Serve(client);
        ::close(client);
    }
}

void TScriptedHttpServer::Serve(int client)
{
    TScriptedAnswer ignoring;
    if (TakeIgnoring(ignoring)) {
        (void)Sleep(ignoring.IgnoreMs);
        return;
    }
    std::string pending;
    std::string request;
    while (ReadRequest(client, pending, request)) {
        TScriptedAnswer answer;
        {
            std::lock_guard lock(Lock);
            Recorded.push_back({ConnectionCount, request});
            if (Script.empty())
                return;
            answer = Script.front();
            Script.pop_front();
        }
        if (answer.Hang) {
            char byte;
            while (WaitReadable(client) && ::recv(client, &byte, 1, 0) > 0) { }
            return;
        }
        if (!Play(client, answer) || answer.Close)
            return;
    }
}

// One request: the head up to the empty line, then Content-Length bytes of body.
bool TScriptedHttpServer::ReadRequest(int client, std::string& pending, std::string& request)
{
    size_t headEnd;
    size_t total = std::string::npos;
    for (;;) {
        headEnd = pending.find("\r\n\r\n");
        if (headEnd != std::string::npos && total == std::string::npos) {
            total = headEnd + 4;
            const size_t field = FindNoCase(pending.substr(0, headEnd), "\r\ncontent-length: ");
            if (field != std::string::npos)
                total += std::stoul(pending.substr(field + 18));
        }
        if (total != std::string::npos && pending.size() >= total)
            break;
        char buffer[65536];
        if (!WaitReadable(client))
            return false;
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            return false;
        pending.append(buffer, static_cast<size_t>(got));
    }
    request = pending.substr(0, total);
    pending.erase(0, total);
    return true;
}
