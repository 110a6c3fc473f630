#pragma once
// A loopback HTTP server for tests: plays scripted answers in order and records every
// request byte for byte. One connection at a time, on a thread of its own.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct TScriptedAnswer {
    std::string Bytes;  // sent exactly as given
    bool Close = false; // close the connection after sending
    bool Hang = false;  // send nothing and hold the connection until the client leaves
    int DelayMs = 0;    // wait this long before sending
    std::string Repeat; // then sent RepeatCount times (0: until the client leaves), RepeatEveryMs apart
    int RepeatCount = 0;
    int RepeatEveryMs = 0;
    std::string Later; // sent LaterDelayMs after the rest
    int LaterDelayMs = 0;
    // Taken when a connection is accepted: read nothing from it for this long, then drop it.
    int IgnoreMs = 0;
};

struct TRecordedRequest {
    int Connection = 0; // 1 for the first accepted connection, and so on
    std::string Bytes;
};

class TScriptedHttpServer {
public:
    TScriptedHttpServer();
    ~TScriptedHttpServer();

    [[nodiscard]] int Port() const { return PortNumber; }
    // "http://127.0.0.1:<port>" followed by `target`.
    [[nodiscard]] std::string Url(const std::string& target) const;

    void Enqueue(TScriptedAnswer answer);
    void Answer(const std::string& bytes, bool close = false);

    [[nodiscard]] std::vector<TRecordedRequest> Requests() const;
    [[nodiscard]] int Connections() const;

private:
    void Run();
    void Serve(int client);
    bool ReadRequest(int client, std::string& pending, std::string& request);
    // Plays Bytes, Repeat and Later; false once the client has gone or the server stops.
    bool Play(int client, const TScriptedAnswer& answer);
    bool SendAll(int client, const std::string& bytes);
    // Each waits for the event or the server's stop; false on the stop.
    bool WaitReadable(int fd);
    bool Sleep(int ms);
    // Takes an IgnoreMs answer from the front of the script, if there is one.
    bool TakeIgnoring(TScriptedAnswer& answer);

    int Listener = -1;
    int PortNumber = 0;
    int StopRequested[2] = {-1, -1};
    mutable std::mutex Lock;
    std::deque<TScriptedAnswer> Script;
    std::vector<TRecordedRequest> Recorded;
    int ConnectionCount = 0;
    std::thread Thread;
};

// An answer that never comes; one that comes after `delayMs`.
[[nodiscard]] TScriptedAnswer HangingAnswer();
[[nodiscard]] TScriptedAnswer DelayedAnswer(const std::string& bytes, int delayMs);
// `head`, then `piece` every `everyMs`, `count` times (0: until the client leaves), then
// the connection closes.
[[nodiscard]] TScriptedAnswer Trickle(const std::string& head, const std::string& piece, int everyMs, int count);
// A connection taken and never read from, dropped after `ms` or when the server stops.
[[nodiscard]] TScriptedAnswer IgnoringPeer(int ms);

// A complete answer with a Content-Length header; `extraHeaders` lines end in CRLF.
[[nodiscard]] std::string AnswerWithBody(const std::string& statusLine, const std::string& body,
                                         const std::string& extraHeaders = "");
