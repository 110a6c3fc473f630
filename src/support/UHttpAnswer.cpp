#include "support/UHttpAnswer.h"

#include "common/UAsciiText.h"
#include "support/UHttpConnection.h"
#include "support/UHttpError.h"

#include <charconv>

namespace {

constexpr size_t ChunkBufferSize = 256 * 1024;
// Every line of a head counts, folded continuations and colonless lines too, and so does
// every byte, so that no server can feed the head without end.
constexpr size_t MaxHeadLines = 1000;
constexpr size_t MaxHeadBytes = 1024 * 1024;

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

// The counts run on over interim 100 heads, which share the same limits.
void CountHeadLine(const std::string& line, size_t& lines, size_t& bytes)
{
    if (++lines > MaxHeadLines)
        throw EHttpError("Too many header lines.");
    bytes += line.size() + 2;
    if (bytes > MaxHeadBytes)
        throw EHttpError("Answer head too large.");
}

void ReadHeaders(THttpConnection& connection, TPumpedWaiter& waiter, THttpAnswerHead& head, size_t& lines,
                 size_t& bytes)
{
    std::string line;
    for (;;) {
        RequireLine(connection.ReadLine(line, waiter, 0));
        if (line.empty())
            return;
        CountHeadLine(line, lines, bytes);
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

// Copies exactly `length` bytes; running out before that is a cut-off body.
void ReadExactly(THttpConnection& connection, uint64_t length, THttpBodySink& sink, TPumpedWaiter& waiter, int limitMs,
                 std::vector<char>& buffer)
{
    while (length > 0) {
        const size_t want = static_cast<size_t>(std::min<uint64_t>(length, buffer.size()));
        const size_t got = connection.ReadSome(buffer.data(), want, waiter, limitMs);
        if (got == 0)
            throw EHttpError("Connection closed before the whole answer arrived.");
        sink.Write(buffer.data(), got);
        length -= got;
    }
}

uint64_t ParseChunkSize(const std::string& line)
{
    const std::string_view digits = TrimSpacesAndTabs(std::string_view(line).substr(0, line.find_first_of(" ;")));
    uint64_t size = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size, 16);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size())
        throw EHttpError("Invalid chunk size: " + line.substr(0, 80));
    return size;
}

void ReadChunked(THttpConnection& connection, THttpBodySink& sink, TPumpedWaiter& waiter, int limitMs,
                 std::vector<char>& buffer)
{
    std::string line;
    for (;;) {
        RequireLine(connection.ReadLine(line, waiter, limitMs));
        const uint64_t size = ParseChunkSize(line);
        if (size == 0)
            break;
        ReadExactly(connection, size, sink, waiter, limitMs, buffer);
        RequireLine(connection.ReadLine(line, waiter, limitMs)); // the CRLF after the data
        if (!line.empty())
            throw EHttpError("Chunk longer than its size.");
    }
    // Trailer fields up to the empty line, so a kept connection starts at the next answer.
    do {
        RequireLine(connection.ReadLine(line, waiter, limitMs));
    } while (!line.empty());
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
    size_t lines = 0;
    size_t bytes = 0;
    do {
        head = THttpAnswerHead();
        RequireLine(connection.ReadLine(head.StatusLine, waiter, 0));
        CountHeadLine(head.StatusLine, lines, bytes);
        head.StatusCode = ParseStatusCode(head.StatusLine);
        ReadHeaders(connection, waiter, head, lines, bytes);
    } while (head.StatusCode == 100);
    return head;
}

bool StatusHasNoBody(int statusCode)
{
    return statusCode == 204 || statusCode == 304;
}

bool ReadAnswerBody(THttpConnection& connection, const THttpAnswerHead& head, THttpBodySink& sink,
                    TPumpedWaiter& waiter, int limitMs)
{
    std::vector<char> buffer(ChunkBufferSize);
    const std::string* lengthHeader = head.Find("Content-Length");
    uint64_t length = 0;
    if (lengthHeader != nullptr) {
        const std::string_view text = TrimSpacesAndTabs(*lengthHeader);
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), length);
        if (text.empty() || error != std::errc() || stop != text.data() + text.size())
            throw EHttpError("Invalid Content-Length: " + lengthHeader->substr(0, 80));
    }
    if (length > 0) {
        ReadExactly(connection, length, sink, waiter, limitMs, buffer);
        return true;
    }
    const std::string* coding = head.Find("Transfer-Encoding");
    std::string lowered = coding == nullptr ? "" : *coding;
    for (char& c : lowered)
        c = LowerAscii(c);
    if (lowered.find("chunked") != std::string::npos) {
        ReadChunked(connection, sink, waiter, limitMs, buffer);
        return true;
    }
    if (lengthHeader != nullptr)
        return true; // Content-Length 0
    while (const size_t got = connection.ReadSome(buffer.data(), buffer.size(), waiter, limitMs))
        sink.Write(buffer.data(), got);
    return false;
}
