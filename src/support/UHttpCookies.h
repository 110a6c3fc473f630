#pragma once
// The client's cookie store: kept in memory only, for the client's lifetime.

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

class THttpCookieStore {
public:
    // Takes one "Set-Cookie" (or "Set-Cookie2") header value sent by `host` in answer to
    // a request for `requestPath`. A cookie that names a domain the host does not belong
    // to is refused; an expired one removes the stored cookie of the same name.
    void Store(std::string_view host, std::string_view requestPath, std::string_view header, std::time_t now);

    // The "Cookie" header value for a request to `host` and `path`, or "" when no cookie
    // applies. Secure cookies are never sent: the client has no TLS.
    [[nodiscard]] std::string HeaderFor(std::string_view host, std::string_view path, std::time_t now) const;

    [[nodiscard]] bool Empty() const { return FCookies.empty(); }

private:
    struct TCookie {
        std::string Name;
        std::string Value;
        std::string Domain; // lower case, without a leading dot
        std::string Path;
        bool Secure = false;
        std::time_t Expires = 0; // 0: until the client ends
    };
    std::vector<TCookie> FCookies;
};

// Reads an HTTP date such as "Thu, 01 Jan 1970 00:00:00 GMT" (dashes also accepted between
// day, month and year; two-digit years are 19xx from 70 on). Returns false when it does not read.
[[nodiscard]] bool ParseHttpDate(std::string_view text, std::time_t& result);
