#include "http/UHttpUrl.h"

#include "common/UAsciiText.h"
#include "http/UHttpError.h"

#include <algorithm>
#include <charconv>

namespace {

// Splits "/dir/sub/doc?x=1" into path "/dir/sub/", document "doc" and query "?x=1".
void SplitTarget(std::string_view target, THttpUrl& url)
{
    const size_t question = target.find('?');
    std::string_view beforeQuery = target.substr(0, question);
    url.Query = question == std::string_view::npos ? "" : std::string(target.substr(question));
    const size_t slash = beforeQuery.rfind('/');
    if (slash == std::string_view::npos) {
        url.Path = "/";
        url.Document = std::string(beforeQuery);
    } else {
        url.Path = std::string(beforeQuery.substr(0, slash + 1));
        url.Document = std::string(beforeQuery.substr(slash + 1));
    }
}

void SplitAuthority(std::string_view authority, THttpUrl& url)
{
    std::string_view portText;
    if (!authority.empty() && authority.front() == '[') {
        const size_t close = authority.find(']');
        if (close == std::string_view::npos)
            throw EHttpError("Invalid address: unclosed \"[\".");
        url.Host = std::string(authority.substr(1, close - 1));
        std::string_view rest = authority.substr(close + 1);
        if (!rest.empty() && rest.front() == ':')
            portText = rest.substr(1);
    } else {
        const size_t colon = authority.rfind(':');
        url.Host = std::string(authority.substr(0, colon));
        if (colon != std::string_view::npos)
            portText = authority.substr(colon + 1);
    }
    url.Port = 80;
    if (portText.empty())
        return;
    int port = 0;
    const auto [end, error] = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (error != std::errc() || end != portText.data() + portText.size() || port < 1 || port > 65535)
        throw EHttpError("Invalid port in address: " + std::string(portText));
    url.Port = port;
}

} // namespace

std::string THttpUrl::Target() const
{
    return Path + Document + Query;
}

std::string THttpUrl::HostHeader() const
{
    const std::string host = Host.find(':') == std::string::npos ? Host : "[" + Host + "]";
    return Port == 80 ? host : host + ":" + std::to_string(Port);
}

THttpUrl ParseUrl(std::string_view address)
{
    THttpUrl url;
    const size_t schemeEnd = address.find("://");
    if (schemeEnd == std::string_view::npos) {
        SplitTarget(address, url); // no scheme and no host: CheckHttpScheme refuses it
        return url;
    }
    url.Scheme = std::string(address.substr(0, schemeEnd));
    std::string_view rest = address.substr(schemeEnd + 3);
    const size_t targetStart = rest.find_first_of("/?");
    SplitAuthority(rest.substr(0, targetStart), url);
    SplitTarget(targetStart == std::string_view::npos ? "/" : rest.substr(targetStart), url);
    return url;
}

void CheckHttpScheme(const THttpUrl& url)
{
    if (!EqualsIgnoringAsciiCase(url.Scheme, "http"))
        throw EHttpError("Unsupported protocol \"" + url.Scheme + "\": only http is supported.");
    if (url.Host.empty())
        throw EHttpError("The address names no host.");
}

THttpUrl ResolveLocation(const THttpUrl& base, std::string_view location)
{
    // Sent on, such a byte would end or split the next request line.
    const auto control = [](unsigned char c) { return c < 0x20 || c == 0x7F; };
    if (std::any_of(location.begin(), location.end(), control))
        throw EHttpError("Invalid redirect: the Location holds a control character.");
    if (location.find("://") != std::string_view::npos)
        return ParseUrl(location);
    if (location.substr(0, 2) == "//")
        return ParseUrl(base.Scheme + ":" + std::string(location));
    THttpUrl url = base;
    if (location.empty())
        return url;
    if (location.front() == '/') {
        SplitTarget(location, url);
    } else if (location.front() == '?') {
        url.Query = std::string(location);
    } else {
        SplitTarget(base.Path + std::string(location), url);
    }
    return url;
}
