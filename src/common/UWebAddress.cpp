#include "common/UWebAddress.h"

#include "common/UAsciiText.h"

#include <algorithm>

namespace {

bool IsAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The scheme before the first ":", when the text starts with one (RFC 3986, 3.1). A colon
// followed by a digit ends a host and starts its port ("localhost:8080"), not a scheme.
std::optional<std::string_view> SchemeOf(std::string_view address)
{
    const auto colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(address[0]))
        return std::nullopt;
    const std::string_view scheme = address.substr(0, colon);
    const bool schemeCharacters = std::all_of(scheme.begin(), scheme.end(), [](char c) {
        return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '+' || c == '-' || c == '.';
    });
    if (!schemeCharacters)
        return std::nullopt;
    if (colon + 1 < address.size() && IsAsciiDigit(address[colon + 1]))
        return std::nullopt;
    return scheme;
}

// A host name or address begins the text: a letter or digit, or "[" of an IPv6 address. A
// slash, a backslash, a dot or a tilde in front names a local file instead.
bool StartsWithHost(std::string_view rest)
{
    return !rest.empty() && (IsAsciiLetter(rest[0]) || IsAsciiDigit(rest[0]) || rest[0] == '[');
}

} // namespace

std::optional<std::string> WebAddress(std::string_view address)
{
    address = TrimSpacesAndTabs(address);
    if (std::any_of(address.begin(), address.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return std::nullopt;
    if (address.empty())
        return std::string();
    if (const auto scheme = SchemeOf(address)) {
        if (!EqualsIgnoringAsciiCase(*scheme, "http") && !EqualsIgnoringAsciiCase(*scheme, "https"))
            return std::nullopt;
        const std::string_view rest = address.substr(scheme->size() + 1);
        if (!rest.starts_with("//") || !StartsWithHost(rest.substr(2)))
            return std::nullopt;
        return std::string(address);
    }
    if (!StartsWithHost(address))
        return std::nullopt;
    return "http://" + std::string(address);
}
