// libFuzzer target: addresses, redirect targets and cookies from hostile servers. The input
// is lines: the first an address, then "L" and a Location to follow from the address reached
// so far, or "C" and a Set-Cookie value that host sends. Then the cookies go back with a
// request to each host seen and to another one. Whatever arrives, no request head built
// from a Location or a cookie holds a line break of its own: nothing a server sends can add
// headers to the next request.

#include "http/UHttpCookies.h"
#include "http/UHttpError.h"
#include "http/UHttpRequest.h"
#include "http/UHttpUrl.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

constexpr std::time_t Now = 1800000000;

bool HoldsControlByte(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return true;
    return false;
}

// A request head has one line break per line, each CR LF, and the empty line only at its end.
void RequireWellFormedHead(const THttpUrl& url, const std::string& cookie)
{
    THttpRequestHead head;
    head.Method = "GET";
    head.Target = url.Target();
    head.Version = "1.1";
    head.Host = url.HostHeader();
    head.Cookie = cookie;
    const std::string text = BuildRequestHead(head);
    if (text.find("\r\n\r\n") != text.size() - 4)
        std::abort();
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] == '\r' && text[i + 1] != '\n') || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')))
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> lines;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        lines.push_back(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    // The first address comes from the publisher's settings, not from a server.
    THttpUrl url = ParseUrl("http://news.example/a/getlastnews.php");
    if (!lines.empty() && !HoldsControlByte(lines.front())) {
        try {
            url = ParseUrl(lines.front());
        } catch (const EHttpError&) {
        }
    }
    THttpCookieStore cookies;
    std::vector<THttpUrl> reached{url};
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (line.starts_with('L')) {
            try {
                url = ResolveLocation(url, line.substr(1));
                reached.push_back(url);
            } catch (const EHttpError&) {
            }
        } else if (line.starts_with('C')) {
            cookies.Store(url.Host, url.Path + url.Document, line.substr(1), Now);
        }
    }
    THttpUrl other = url;
    other.Host = "other." + url.Host;
    reached.push_back(other);
    for (const THttpUrl& target : reached) {
        const std::string cookie = cookies.HeaderFor(target.Host, target.Path + target.Document, Now);
        if (HoldsControlByte(cookie))
            std::abort();
        if (!HoldsControlByte(target.Target()) && !HoldsControlByte(target.HostHeader()))
            RequireWellFormedHead(target, cookie);
    }
    return 0;
}
