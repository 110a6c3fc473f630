#pragma once
// The bytes of a request: the multipart form body and the request head.

#include "http/ULocalClock.h"

#include <string>
#include <string_view>
#include <vector>

// One field of a form post: name and value, both sent byte for byte.
struct FormField {
    std::string Name;
    std::string Value;
};

// Eight hyphens, then month, day, two-digit year, hour, minute, second (two digits each)
// and milliseconds (three digits): 23 characters.
[[nodiscard]] std::string MakeBoundary(const TLocalDateTime& time);

// Each field: "--" boundary CRLF, the Content-Disposition line, CRLF, value CRLF
// (72 bytes plus name and value); then CRLF "--" boundary "--" CRLF (31 bytes).
[[nodiscard]] std::string BuildMultipartBody(std::string_view boundary, const std::vector<FormField>& fields);

struct THttpRequestHead {
    std::string Method; // "GET" or "POST"
    std::string Target;
    std::string Version;    // "1.0" or "1.1"
    std::string Connection; // each header is sent only when its value is not empty
    std::string ContentType;
    std::string ContentLength;
    std::string Host;
    std::string Accept;
    std::string UserAgent;
    std::string Cookie;
};

// Request line and headers in their fixed order, each line ending in CRLF, then the empty
// line. Header lines longer than 78 characters are folded.
[[nodiscard]] std::string BuildRequestHead(const THttpRequestHead& head);

// Folds `line` (without its CRLF) at a space or comma so that no piece exceeds 78
// characters where a break allows it; continuation pieces begin with a space. The
// pieces are joined with CRLF.
[[nodiscard]] std::string FoldHeaderLine(std::string_view line);
