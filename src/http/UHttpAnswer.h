#pragma once
// Reading an answer: status line, headers and the body in its framing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class THttpConnection;
class TPumpedWaiter;

struct THttpAnswerHead {
    std::string StatusLine;
    int StatusCode = 0;
    std::vector<std::pair<std::string, std::string>> Headers; // in arrival order, values trimmed

    // The first header of that name (any letter case), or nullptr.
    [[nodiscard]] const std::string* Find(std::string_view name) const;
    // Every value of headers of that name, in order.
    [[nodiscard]] std::vector<std::string> FindAll(std::string_view name) const;
};

// Where body bytes go. Write may throw to end the read (a full buffer, a failed file).
class THttpBodySink {
public:
    virtual ~THttpBodySink() = default;
    virtual void Write(const char* data, size_t size) = 0;
};

// Reads status line and headers, skipping every interim answer. Throws EHttpError when the
// connection closes before a whole head arrived, a line is too long, the head (interim
// answers included) passes its limits, or Content-Length values differ.
[[nodiscard]] THttpAnswerHead ReadAnswerHead(THttpConnection& connection, TPumpedWaiter& waiter);

// True when the status carries no body whatever the headers say (204 and 304).
[[nodiscard]] bool StatusHasNoBody(int statusCode);

// Reads the body into `sink`: by Content-Length, chunked coding, or up to the close.
// Waits as the waiter says, within its deadline if one is set. Throws EHttpError when
// the body is cut short, its framing does not read, or the chunk extensions and trailer
// pass the head's limits. Returns true when the body ended by its own framing, so the
// connection may carry another answer.
[[nodiscard]] bool ReadAnswerBody(THttpConnection& connection, const THttpAnswerHead& head, THttpBodySink& sink,
                                  TPumpedWaiter& waiter);

// Case- and blank-insensitive comparison of a header value with a token.
[[nodiscard]] bool HeaderValueIs(const std::string* value, std::string_view token);
