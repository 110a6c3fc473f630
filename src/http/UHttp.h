#pragma once
// The HTTP client of the main window (IdHTTP1): multipart form posts and downloads,
// synchronous on the window thread, pumping window messages while it waits.

#include "http/UHttpAborted.h"
#include "http/UHttpRequest.h"
#include "http/UHttpTimings.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class TLocalClock;
class TMessagePump;
class THttpSession;

// The most an answer may carry, unless a call or the options say otherwise.
inline constexpr uint64_t DefaultMaxAnswerBytes = 64 * 1024 * 1024;

struct THttpClientOptions {
    THttpTimings Timings;
    int RedirectMaximum = 15;                        // requests per call, the first included
    uint64_t MaxAnswerBytes = DefaultMaxAnswerBytes; // the most PostForm holds in memory
};

class THttpClient {
public:
    // `pump` and `clock` must outlive every call, but not the client: a client destroyed
    // from inside the pump ends its waiting call with an EHttpError.
    THttpClient(TMessagePump& pump, const TLocalClock& clock, const THttpClientOptions& options = {});
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // Posts `fields` as multipart/form-data to `address` and returns the final answer's
    // body byte for byte. An exhausted redirect chain returns "". Throws EHttpError.
    [[nodiscard]] std::string PostForm(const std::string& address, const std::vector<FormField>& fields);

    // GETs `address` and writes the final answer's body to `destination` as it arrives,
    // from its position on entry. An exhausted redirect chain writes nothing. Throws
    // EHttpError, also for a body of more than `maxBytes`; a failure may leave part of
    // the body written.
    void GetToStream(const std::string& address, std::ostream& destination, uint64_t maxBytes = DefaultMaxAnswerBytes);

    // Closes the connection, if one is open; cookies stay. Called while a request waits
    // (from inside the pump), it makes that request fail as soon as the pump returns. The
    // pump runs at least every idle slice while a request waits, sends or receives.
    void CloseConnection() noexcept;

    // True while a call waits; a second call meanwhile fails at once.
    [[nodiscard]] bool Busy() const;

private:
    std::shared_ptr<THttpSession> Session;
};
