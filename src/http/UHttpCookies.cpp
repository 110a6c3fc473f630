#include "http/UHttpCookies.h"

#include "common/UAsciiText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

// Host equals the domain or ends with "." and the domain (RFC 6265, 5.1.3). A plain
// substring test would hand the cookies of "news.com" to "fakenews.com".
bool DomainMatches(std::string_view host, std::string_view domain)
{
    const std::string h = LowerAscii(host);
    if (h == domain)
        return true;
    return h.size() > domain.size() && h.compare(h.size() - domain.size(), domain.size(), domain) == 0 &&
        h[h.size() - domain.size() - 1] == '.';
}

// The directory of the request path (RFC 6265, 5.1.4).
std::string DefaultPath(std::string_view requestPath)
{
    const size_t slash = requestPath.rfind('/');
    if (requestPath.empty() || requestPath.front() != '/' || slash == 0)
        return "/";
    return std::string(requestPath.substr(0, slash));
}

// A control byte (a bare CR above all) sent back in the Cookie header would end or split the
// next request's head: a hostile server could write headers of its own into it.
bool HoldsControlByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

std::string_view SkipSpaces(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    return text;
}

// Takes a decimal number in [low, high] from the front of `text`, after any spaces.
bool TakeNumber(std::string_view& text, int low, int high, int& value)
{
    text = SkipSpaces(text);
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || value < low || value > high)
        return false;
    text.remove_prefix(static_cast<size_t>(stop - text.data()));
    return true;
}

bool TakeColon(std::string_view& text)
{
    if (text.empty() || text.front() != ':')
        return false;
    text.remove_prefix(1);
    return true;
}

} // namespace

bool ParseHttpDate(std::string_view text, std::time_t& result)
{
    static const char* const Months[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                         "jul", "aug", "sep", "oct", "nov", "dec"};
    std::string s(text);
    std::replace(s.begin(), s.end(), '-', ' ');
    const size_t comma = s.find(',');
    std::string_view rest(s);
    if (comma != std::string::npos)
        rest.remove_prefix(comma + 1);
    // "day month year hh:mm:ss"; only three letters of the month are read.
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    if (!TakeNumber(rest, 1, 31, day))
        return false;
    rest = SkipSpaces(rest);
    const std::string monthName = LowerAscii(rest.substr(0, std::min(rest.find_first_of(" \t"), size_t{3})));
    rest.remove_prefix(monthName.size());
    const auto found =
        std::find_if(std::begin(Months), std::end(Months), [&](const char* m) { return monthName == m; });
    if (found == std::end(Months))
        return false;
    if (!TakeNumber(rest, 0, 9999, year) || !TakeNumber(rest, 0, 23, hour) || !TakeColon(rest) ||
        !TakeNumber(rest, 0, 59, minute) || !TakeColon(rest) || !TakeNumber(rest, 0, 60, second))
        return false;
    if (year < 100)
        year += year >= 70 ? 1900 : 2000;
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = static_cast<int>(found - std::begin(Months));
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    result = timegm(&tm);
    return true;
}

void THttpCookieStore::Store(std::string_view host, std::string_view requestPath, std::string_view header,
                             std::time_t now)
{
    TCookie cookie;
    cookie.Domain = LowerAscii(host);
    cookie.Path = DefaultPath(requestPath);
    bool expired = false;
    bool first = true;
    while (!header.empty()) {
        const size_t semicolon = header.find(';');
        const std::string_view part = TrimSpacesAndTabs(header.substr(0, semicolon));
        header = semicolon == std::string_view::npos ? std::string_view() : header.substr(semicolon + 1);
        const size_t equals = part.find('=');
        const std::string_view name = TrimSpacesAndTabs(part.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? "" : TrimSpacesAndTabs(part.substr(equals + 1));
        if (first) {
            if (equals == std::string_view::npos || name.empty() || HoldsControlByte(name) || HoldsControlByte(value))
                return;
            cookie.Name = std::string(name);
            cookie.Value = std::string(value);
            first = false;
            continue;
        }
        // A Domain attribute is ignored: the cookie stays with the host that set it, so no
        // host can hand cookies to its siblings or to a whole top-level domain.
        const std::string attribute = LowerAscii(name);
        if (attribute == "path" && !value.empty() && value.front() == '/') {
            cookie.Path = std::string(value);
        } else if (attribute == "secure") {
            cookie.Secure = true;
        } else if (attribute == "max-age") {
            long long seconds = 0;
            const auto [stop, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (error != std::errc() || stop != value.data() + value.size())
                continue; // unreadable: ignored
            expired = seconds <= 0;
            // A lifetime past the end of time_t lasts as long as time_t can say.
            constexpr std::time_t Latest = std::numeric_limits<std::time_t>::max();
            const bool endless = now >= 0 && seconds > Latest - now;
            cookie.Expires = expired ? 0 : endless ? Latest : now + static_cast<std::time_t>(seconds);
        } else if (attribute == "expires" && cookie.Expires == 0 && !expired) {
            std::time_t when = 0;
            if (ParseHttpDate(value, when)) {
                expired = when <= now;
                cookie.Expires = expired ? 0 : when;
            }
        }
    }
    if (first || cookie.Name.size() + cookie.Value.size() > MaxCookieBytes)
        return;
    std::erase_if(Cookies, [&](const TCookie& c) {
        const bool lapsed = c.Expires != 0 && c.Expires <= now;
        return lapsed || (c.Name == cookie.Name && c.Domain == cookie.Domain && c.Path == cookie.Path);
    });
    if (expired)
        return;
    MakeRoomFor(cookie.Domain);
    Cookies.push_back(std::move(cookie));
}

// The store keeps arrival order, so the first cookie found is the oldest.
void THttpCookieStore::MakeRoomFor(const std::string& domain)
{
    const auto sameHost = [&](const TCookie& c) { return c.Domain == domain; };
    if (static_cast<size_t>(std::count_if(Cookies.begin(), Cookies.end(), sameHost)) >= MaxCookiesPerHost)
        Cookies.erase(std::find_if(Cookies.begin(), Cookies.end(), sameHost));
    if (Cookies.size() >= MaxCookies)
        Cookies.erase(Cookies.begin());
}

std::string THttpCookieStore::HeaderFor(std::string_view host, std::string_view path, std::time_t now) const
{
    std::string header;
    for (const TCookie& cookie : Cookies) {
        if (cookie.Secure || (cookie.Expires != 0 && cookie.Expires <= now))
            continue;
        if (!DomainMatches(host, cookie.Domain) || path.substr(0, cookie.Path.size()) != cookie.Path)
            continue;
        if (!header.empty())
            header += "; ";
        header.append(cookie.Name).append("=").append(cookie.Value);
    }
    return header;
}
