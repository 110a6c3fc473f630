#include "http/UHttpAnswer.h"

#include "common/UAsciiText.h"
#include "http/UHttpConnection.h"
#include "http/UHttpError.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr size_t ChunkBufferSize = 256 * 1024;
// Every line of a head counts, folded continuations and colonless lines too, and so does
// every byte, so that no server can feed the head without end.
constexpr size_t MaxHeadLines = 1000;
constexpr size_t MaxHeadBytes = 1024 * 1024;
// A 64-bit chunk size needs at most this many hexadecimal digits.
constexpr size_t FreeChunkSizeDigits = 16;

// Lines and bytes spent against the head's limits. One budget covers a head with its
// interim answers; another covers the framing of one chunked body: its chunk extensions
// and its trailer. Chunk sizes themselves cost nothing, so any number of chunks passes.
class TFramingBudget {
public:
    TFramingBudget(const char* tooManyLines, const char* tooLarge)
        : TooManyLinesMessage(tooManyLines)
        , TooLargeMessage(tooLarge)
    {
    }
    void CountLine(const std::string& line)
    {
        if (++Lines > MaxHeadLines)
            throw EHttpError(TooManyLinesMessage);
        CountBytes(line.size() + 2);
    }
    void CountBytes(size_t bytes)
    {
        Bytes += bytes;
        if (Bytes > MaxHeadBytes)
            throw EHttpError(TooLargeMessage);
    }

private:
    const char* TooManyLinesMessage;
    const char* TooLargeMessage;
    size_t Lines = 0;
    size_t Bytes = 0;
};

void RequireLine(bool complete)
{
    if (!complete)
        throw EHttpError("Connection closed gracefully.");
}

// The status code is the second space-separated field.
int ParseStatusCode(const std::string& statusLine)
{
    std::string_view rest = statusLine;
    const size_t space = rest.find(' ');
    if (space != std::string_view::npos) {
        rest.remove_prefix(space);
        while (!rest.empty() && rest.front() == ' ')
            rest.remove_prefix(1);
        const std::string_view field = rest.substr(0, rest.find(' '));
        int code = 0;
        const auto [stop, error] = std::from_chars(field.data(), field.data() + field.size(), code);
        if (error == std::errc() && stop == field.data() + field.size() && code >= 100 && code <= 999)
            return code;
    }
    throw EHttpError("Invalid status line: " + statusLine.substr(0, 200));
}

// An interim answer (RFC 9110, 15.2) precedes the real one and is skipped. 101 switches
// protocols, which we never ask for: it stays an answer, and fails the call.
bool IsInterimStatus(int statusCode)
{
    return statusCode / 100 == 1 && statusCode != 101;
}

void ReadHeaders(THttpConnection& connection, TPumpedWaiter& waiter, THttpAnswerHead& head, TFramingBudget& budget)
{
    std::string line;
    for (;;) {
        RequireLine(connection.ReadLine(line, waiter));
        if (line.empty())
            return;
        budget.CountLine(line);
        if ((line.front() == ' ' || line.front() == '\t') && !head.Headers.empty()) {
            std::string& value = head.Headers.back().second; // an obsolete folded continuation
            const std::string_view more = TrimSpacesAndTabs(line);
            if (!more.empty()) {
                if (!value.empty())
                    value += ' ';
                value.append(more);
            }
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue; // not a header: nothing to keep
        head.Headers.emplace_back(std::string(TrimSpacesAndTabs(std::string_view(line).substr(0, colon))),
                                  std::string(TrimSpacesAndTabs(std::string_view(line).substr(colon + 1))));
    }
}

std::optional<uint64_t> ParseContentLength(std::string_view value)
{
    const std::string_view text = TrimSpacesAndTabs(value);
    uint64_t length = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    if (text.empty() || error != std::errc() || stop != text.data() + text.size())
        return std::nullopt;
    return length;
}

// Lengths that disagree leave the end of the body unknown (RFC 9112, 6.3), and whichever
// one we trusted, the other would let the peer slip bytes in as the next answer.
void RequireAgreeingContentLengths(const THttpAnswerHead& head)
{
    const std::vector<std::string> values = head.FindAll("Content-Length");
    for (const std::string& value : values)
        if (ParseContentLength(value) != ParseContentLength(values.front()))
            throw EHttpError("The answer gives differing Content-Length values.");
}

// Copies exactly `length` bytes; running out before that is a cut-off body.
void ReadExactly(THttpConnection& connection, uint64_t length, THttpBodySink& sink, TPumpedWaiter& waiter,
                 std::vector<char>& buffer)
{
    while (length > 0) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(length, buffer.size()));
        const size_t got = connection.ReadSome(buffer.data(), want, waiter);
        if (got == 0)
            throw EHttpError("Connection closed before the whole answer arrived.");
        sink.Write(buffer.data(), got);
        length -= got;
    }
}

// The hexadecimal size before any space or ";"; `overhead` is what else the line holds:
// extensions, blanks, and padding beyond the digits a 64-bit size needs.
uint64_t ParseChunkSize(const std::string& line, size_t& overhead)
{
    const std::string_view digits = TrimSpacesAndTabs(std::string_view(line).substr(0, line.find_first_of(" ;")));
    uint64_t size = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size, 16);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size())
        throw EHttpError("Invalid chunk size: " + line.substr(0, 80));
    overhead = line.size() - std::min(digits.size(), FreeChunkSizeDigits);
    return size;
}

void ReadChunked(THttpConnection& connection, THttpBodySink& sink, TPumpedWaiter& waiter, std::vector<char>& buffer)
{
    TFramingBudget budget("Too many trailer lines.", "Chunked framing too large.");
    std::string line;
    for (;;) {
        RequireLine(connection.ReadLine(line, waiter));
        size_t overhead = 0;
        const uint64_t size = ParseChunkSize(line, overhead);
        budget.CountBytes(overhead);
        if (size == 0)
            break;
        ReadExactly(connection, size, sink, waiter, buffer);
        RequireLine(connection.ReadLine(line, waiter)); // the CRLF after the data
        if (!line.empty())
            throw EHttpError("Chunk longer than its size.");
    }
    // Trailer fields up to the empty line, so a kept connection starts at the next answer.
    for (;;) {
        RequireLine(connection.ReadLine(line, waiter));
        if (line.empty())
            break;
        budget.CountLine(line);
    }
}

} // namespace

const std::string* THttpAnswerHead::Find(std::string_view name) const
{
    for (const auto& [key, value] : Headers)
        if (EqualsIgnoringAsciiCase(key, name))
            return &value;
    return nullptr;
}

std::vector<std::string> THttpAnswerHead::FindAll(std::string_view name) const
{
    std::vector<std::string> values;
    for (const auto& [key, value] : Headers)
        if (EqualsIgnoringAsciiCase(key, name))
            values.push_back(value);
    return values;
}

bool HeaderValueIs(const std::string* value, std::string_view token)
{
    return value != nullptr && EqualsIgnoringAsciiCase(TrimSpacesAndTabs(*value), token);
}

THttpAnswerHead ReadAnswerHead(THttpConnection& connection, TPumpedWaiter& waiter)
{
    THttpAnswerHead head;
    TFramingBudget budget("Too many header lines.", "Answer head too large.");
    do {
        head = THttpAnswerHead();
        RequireLine(connection.ReadLine(head.StatusLine, waiter));
        budget.CountLine(head.StatusLine);
        head.StatusCode = ParseStatusCode(head.StatusLine);
        ReadHeaders(connection, waiter, head, budget);
    } while (IsInterimStatus(head.StatusCode));
    RequireAgreeingContentLengths(head);
    return head;
}

bool StatusHasNoBody(int statusCode)
{
    return statusCode == 204 || statusCode == 304;
}

bool ReadAnswerBody(THttpConnection& connection, const THttpAnswerHead& head, THttpBodySink& sink,
                    TPumpedWaiter& waiter)
{
    std::vector<char> buffer(ChunkBufferSize);
    const std::string* lengthHeader = head.Find("Content-Length");
    uint64_t length = 0;
    if (lengthHeader != nullptr) {
        const std::optional<uint64_t> parsed = ParseContentLength(*lengthHeader);
        if (!parsed)
            throw EHttpError("Invalid Content-Length: " + lengthHeader->substr(0, 80));
        length = *parsed;
    }
    if (length > 0) {
        ReadExactly(connection, length, sink, waiter, buffer);
        return true;
    }
    const std::string* coding = head.Find("Transfer-Encoding");
    std::string lowered = coding == nullptr ? "" : *coding;
    for (char& c : lowered)
        c = LowerAscii(c);
    if (lowered.find("chunked") != std::string::npos) {
        ReadChunked(connection, sink, waiter, buffer);
        return true;
    }
    if (lengthHeader != nullptr)
        return true; // Content-Length 0
    while (const size_t got = connection.ReadSome(buffer.data(), buffer.size(), waiter))
        sink.Write(buffer.data(), got);
    return false;
}
