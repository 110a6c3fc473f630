#include "http/UHttpSession.h"

#include "http/UHttpAnswer.h"
#include "http/UHttpConnection.h"
#include "http/UHttpConnector.h"
#include "http/UHttpSinks.h"
#include "http/UHttpWait.h"
#include "http/ULocalClock.h"

#include <ctime>
#include <ostream>
#include <unistd.h>

namespace {

constexpr const char* AcceptValue = "text/html, */*";
constexpr const char* UserAgentValue = "Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)";

bool IsRedirect(const THttpAnswerHead& head)
{
    const int code = head.StatusCode;
    return (code / 100 == 3 && code != 304) || head.Find("Location") != nullptr;
}

} // namespace

THttpSession::THttpSession(TMessagePump& pump, const TLocalClock& clock, const THttpClientOptions& options)
    : Pump(pump)
    , Clock(clock)
    , Options(options)
{
}

THttpSession::~THttpSession() = default;

std::string THttpSession::PostForm(const std::string& address, const std::vector<FormField>& fields)
{
    StartCall();
    const TCallGuard guard(*this);
    const std::string boundary = MakeBoundary(Clock.Now()); // kept for every redirect of the call
    const TRequest request{"POST", BuildMultipartBody(boundary, fields), "multipart/form-data; boundary=" + boundary};
    std::string answer;
    THttpStringSink sink(answer, Options.MaxAnswerBytes);
    Execute(address, request, sink);
    return answer;
}

void THttpSession::GetToStream(const std::string& address, std::ostream& destination, uint64_t maxBytes)
{
    StartCall();
    const TCallGuard guard(*this);
    THttpStreamSink sink(destination, maxBytes);
    Execute(address, TRequest{"GET", "", ""}, sink);
}

void THttpSession::Cancel() noexcept
{
    if (FBusy)
        Cancelled = true; // the waiting call closes the connection as it unwinds
    else
        CloseNow();
}

void THttpSession::StartCall()
{
    if (FBusy)
        throw EHttpError("The HTTP client is still waiting for another request.");
    FBusy = true;
    Cancelled = false;
}

THttpSession::TCallGuard::~TCallGuard()
{
    if (Session.Cancelled)
        Session.CloseNow();
    Session.FBusy = false;
    Session.Cancelled = false;
}

void THttpSession::Execute(const std::string& address, const TRequest& request, THttpBodySink& sink)
{
    TPumpedWaiter waiter(Pump, Cancelled, Options.Timings);
    THttpUrl url = ParseUrl(address);
    for (int made = 1;; ++made) {
        CheckHttpScheme(url);
        bool keep = false;
        try {
            const THttpAnswerHead head = Exchange(url, request, waiter);
            const std::time_t now = std::time(nullptr);
            for (const char* name : {"Set-Cookie", "Set-Cookie2"})
                for (const std::string& value : head.FindAll(name))
                    Cookies.Store(url.Host, url.Path + url.Document, value, now);

            if (IsRedirect(head)) {
                // The redirect's own body never reaches the caller.
                keep = DiscardBody(head, waiter, Options.Timings.RedirectBodyLimitMs, nullptr) &&
                    MayKeepConnection(head, request);
                if (!keep)
                    CloseNow();
                if (made >= Options.RedirectMaximum)
                    return; // chain exhausted: empty result, no error
                const std::string* location = head.Find("Location");
                if (location == nullptr)
                    throw EHttpError(head.StatusCode, head.StatusLine, "");
                url = ResolveLocation(url, *location);
                continue;
            }
            if (head.StatusCode / 100 == 2) {
                keep = (StatusHasNoBody(head.StatusCode) || ReadAnswerBody(*Connection, head, sink, waiter)) &&
                    MayKeepConnection(head, request);
                if (!keep)
                    CloseNow();
                return;
            }
            std::string body;
            keep =
                DiscardBody(head, waiter, Options.Timings.ErrorBodyLimitMs, &body) && MayKeepConnection(head, request);
            throw EHttpError(head.StatusCode, head.StatusLine, body);
        } catch (...) {
            if (!keep)
                CloseNow();
            throw;
        }
    }
}

THttpAnswerHead THttpSession::Exchange(const THttpUrl& url, const TRequest& request, TPumpedWaiter& waiter)
{
    // A POST always starts on a new connection; a GET reuses one open to the same place.
    const bool reuse = request.Method == "GET" && Connection != nullptr && Connection->Host() == url.Host &&
        Connection->Port() == url.Port && !Connection->HasPendingInput();
    if (reuse) {
        const uint64_t before = Connection->BytesReceived();
        try {
            Send(url, request, waiter);
            return ReadAnswerHead(*Connection, waiter);
        } catch (const EHttpAborted&) {
            throw;
        } catch (const EHttpError&) {
            // The server dropped the idle connection before answering: try once on a new one.
            if (Connection->BytesReceived() != before)
                throw;
        }
    }
    CloseNow();
    Connect(url, waiter);
    Send(url, request, waiter);
    return ReadAnswerHead(*Connection, waiter);
}

void THttpSession::Connect(const THttpUrl& url, TPumpedWaiter& waiter)
{
    const int socket = ConnectPumped(url.Host, url.Port, waiter);
    try {
        Connection = std::make_unique<THttpConnection>(socket, url.Host, url.Port);
    } catch (...) {
        ::close(socket); // a connection that failed to build never owned it
        throw;
    }
}

void THttpSession::Send(const THttpUrl& url, const TRequest& request, TPumpedWaiter& waiter)
{
    const bool post = request.Method == "POST";
    if (post && ConnectionOption.empty())
        ConnectionOption = "keep-alive"; // HTTP/1.0 asks for it explicitly
    THttpRequestHead head;
    head.Method = request.Method;
    head.Target = url.Target();
    head.Version = post ? "1.0" : "1.1";
    head.Connection = ConnectionOption;
    head.ContentType = request.ContentType;
    head.ContentLength = post ? std::to_string(request.Body.size()) : "";
    head.Host = url.HostHeader();
    head.Accept = AcceptValue;
    head.UserAgent = UserAgentValue;
    head.Cookie = Cookies.HeaderFor(url.Host, url.Path + url.Document, std::time(nullptr));
    Connection->Write(BuildRequestHead(head), waiter);
    if (!request.Body.empty())
        Connection->Write(request.Body, waiter);
}

bool THttpSession::DiscardBody(const THttpAnswerHead& head, TPumpedWaiter& waiter, int limitMs, std::string* kept)
{
    if (StatusHasNoBody(head.StatusCode))
        return true;
    try {
        // One deadline for the whole body: a peer trickling it cannot stretch the wait.
        const TPumpedWaiter::TDeadline deadline(waiter, limitMs);
        THttpDiscardSink sink(kept, Options.MaxAnswerBytes);
        return ReadAnswerBody(*Connection, head, sink, waiter);
    } catch (const EHttpAborted&) {
        throw;
    } catch (const EHttpError&) {
        return false; // a redirect or error body that does not arrive changes nothing but the connection
    }
}

bool THttpSession::MayKeepConnection(const THttpAnswerHead& head, const TRequest& request) const
{
    // Bytes past a framed body belong to no request of ours; left there, they would be
    // read as the answer to the next one.
    if (Connection->HasPendingInput())
        return false;
    const std::string* connection = head.Find("Connection");
    return request.Method == "POST" ? HeaderValueIs(connection, "keep-alive") : !HeaderValueIs(connection, "close");
}

void THttpSession::CloseNow() noexcept
{
    Connection.reset();
}
