#pragma once
// Splitting an address into the parts a request needs.

#include <string>
#include <string_view>

struct THttpUrl {
    std::string Scheme; // as written, e.g. "http"
    std::string Host;   // without brackets for an IPv6 literal
    int Port = 80;
    std::string Path;     // from the first "/" up to and including the last "/" before the query
    std::string Document; // after the last "/" of the path, up to the query
    std::string Query;    // from "?" on, the "?" included

    // What follows the method on the request line: path, document and query as given.
    [[nodiscard]] std::string Target() const;
    // The Host header value: ":port" is added only when the port is not 80.
    [[nodiscard]] std::string HostHeader() const;
};

// Splits `address`. A missing port means 80; a missing path means "/". Throws EHttpError
// for an address whose port does not read; the scheme is checked by CheckHttpScheme.
[[nodiscard]] THttpUrl ParseUrl(std::string_view address);

// Throws EHttpError unless the scheme is "http" (any letter case) and a host is named.
void CheckHttpScheme(const THttpUrl& url);

// The address a redirect's Location names: as given when it names a host, otherwise
// relative to `base`, the address of the request that was redirected. Throws EHttpError
// for a Location holding a control character (CR, LF, NUL and the like).
[[nodiscard]] THttpUrl ResolveLocation(const THttpUrl& base, std::string_view location);
