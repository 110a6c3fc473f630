#pragma once
// The client's cookie store: kept in memory only, for the client's lifetime.

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

class THttpCookieStore {
public:
    // Bounds that keep a flood of cookies from growing the store and every request head.
    static constexpr size_t MaxCookiesPerHost = 50;
    static constexpr size_t MaxCookieBytes = 4096; // name and value together
    static constexpr size_t MaxCookies = 3000;

    // Takes one "Set-Cookie" (or "Set-Cookie2") header value sent by `host` in answer to
    // a request for `requestPath`. The cookie is kept for `host` whatever its Domain
    // attribute says; an expired one removes the stored cookie of the same name; a larger
    // one than MaxCookieBytes, or one whose name or value holds a control byte, is ignored. Past a limit, the oldest cookie (of that host,
    // else of all) goes first.
    void Store(std::string_view host, std::string_view requestPath, std::string_view header, std::time_t now);

    // The "Cookie" header value for a request to `host` and `path`, or "" when no cookie
    // applies. Secure cookies are never sent: the client has no TLS.
    [[nodiscard]] std::string HeaderFor(std::string_view host, std::string_view path, std::time_t now) const;

    [[nodiscard]] bool Empty() const { return Cookies.empty(); }

private:
    struct TCookie {
        std::string Name;
        std::string Value;
        std::string Domain; // the host that set it, lower case
        std::string Path;
        bool Secure = false;
        std::time_t Expires = 0; // 0: until the client ends
    };
    void MakeRoomFor(const std::string& domain);

    std::vector<TCookie> Cookies; // oldest first
};

// Reads an HTTP date such as "Thu, 01 Jan 1970 00:00:00 GMT" (dashes also accepted between
// day, month and year; two-digit years are 19xx from 70 on). Returns false when it does not read.
[[nodiscard]] bool ParseHttpDate(std::string_view text, std::time_t& result);
