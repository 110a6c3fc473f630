#pragma once
// The state behind one HTTP client: its connection, cookies and the request in progress.
// Held by shared pointer so that a call can outlive the client that started it.

#include "http/UHttp.h"
#include "http/UHttpCookies.h"
#include "http/UHttpUrl.h"

#include <memory>

class THttpConnection;
struct THttpAnswerHead;
class THttpBodySink;
class TPumpedWaiter;

class THttpSession {
public:
    THttpSession(TMessagePump& pump, const TLocalClock& clock, const THttpClientOptions& options);
    ~THttpSession();

    [[nodiscard]] std::string PostForm(const std::string& address, const std::vector<FormField>& fields);
    void GetToStream(const std::string& address, std::ostream& destination, uint64_t maxBytes);
    // Closes the idle connection, or calls off the request in progress.
    void Cancel() noexcept;
    [[nodiscard]] bool Busy() const { return FBusy; }

private:
    struct TRequest {
        std::string Method;
        std::string Body;        // the multipart body of a POST
        std::string ContentType; // likewise
    };

    // Ends a call: clears the busy mark, closing the connection of a call called off.
    class TCallGuard {
    public:
        explicit TCallGuard(THttpSession& session)
            : Session(session)
        {
        }
        ~TCallGuard();
        TCallGuard(const TCallGuard&) = delete;
        TCallGuard& operator=(const TCallGuard&) = delete;

    private:
        THttpSession& Session;
    };

    // Refuses a call while another waits.
    void StartCall();
    // Runs one call: the request and every redirect. Writes only the final body to `sink`.
    void Execute(const std::string& address, const TRequest& request, THttpBodySink& sink);
    THttpAnswerHead Exchange(const THttpUrl& url, const TRequest& request, TPumpedWaiter& waiter);
    void Send(const THttpUrl& url, const TRequest& request, TPumpedWaiter& waiter);
    void Connect(const THttpUrl& url, TPumpedWaiter& waiter);
    // Reads and drops a body within `limitMs` in all, ignoring any failure. True when the
    // connection may carry on.
    bool DiscardBody(const THttpAnswerHead& head, TPumpedWaiter& waiter, int limitMs, std::string* kept);
    // Whether the answer allows another request on its connection, and nothing is left unread.
    bool MayKeepConnection(const THttpAnswerHead& head, const TRequest& request) const;
    void CloseNow() noexcept;

    TMessagePump& Pump;
    const TLocalClock& Clock;
    THttpClientOptions Options;
    std::unique_ptr<THttpConnection> Connection;
    THttpCookieStore Cookies;
    std::string ConnectionOption; // "keep-alive" from the first POST on
    bool FBusy = false;
    bool Cancelled = false;
};
