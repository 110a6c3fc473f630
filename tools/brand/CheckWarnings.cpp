#include "CheckWarnings.h"

#include "brand/UBrandChoice.h"
#include "brand/UBrandRules.h"
#include "common/UAsciiText.h"
#include "common/UWindows1252.h"
#include "news/UNewsEdition.h"
#include "http/UHttpError.h"
#include "http/UHttpUrl.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <vector>

namespace {

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Whether the transport takes `base` (the request address follows it): plain http with a host.
bool TransportTakes(const std::string& base)
{
    try {
        CheckHttpScheme(ParseUrl(base));
        return true;
    } catch (const EHttpError&) {
        return false;
    }
}

bool ReportNewsAddresses(const TBrandSettings& settings, std::ostream& out)
{
    const std::optional<TNewsEdition> asking = NewsEditionOf(settings);
    bool fails = false;
    const std::array<std::pair<const char*, const char*>, 3> addresses{
        {{"BM", "MasterNewsBaseURL"}, {"BP", "PlatinumNewsBaseURL"}, {"BG", "GoldNewsBaseURL"}}};
    for (const auto& [productType, name] : addresses) {
        const std::string& base = NewsBaseAddress(settings, productType);
        if (base.empty() || TransportTakes(base))
            continue;
        const bool used = asking && asking->ProductType == productType;
        fails = fails || used;
        out << (used ? "error: " : "warning: ") << name << " \"" << Windows1252ToUtf8(base)
            << "\" is no http:// address: the program speaks plain HTTP only, so " << (used ? "" : "with this address ")
            << "every news request fails with \"There is a trouble "
            << "accessing the news site. Contact your provider.\"\n";
    }
    return fails;
}

void ReportBannerFormats(const TBrandSettings& settings, std::ostream& out)
{
    for (std::size_t i = 0; i < settings.Banners.size(); ++i) {
        const std::string image = SplitEntry(settings.Banners[i]).Text;
        if (!image.empty() && BannerFormat(image) == TBannerFormat::Unknown)
            out << "warning: Banner" << i + 1 << " \"" << Windows1252ToUtf8(image)
                << "\" is in no format the program shows (gif, bmp, ico, jpg, jpeg, wmf, emf): when it is drawn "
                   "the banner panel is hidden\n";
    }
}

void ReportFreeEdition(const TBrandSettings& settings, std::ostream& out)
{
    if (settings.BranderType == "Free" && NewsButtonShown(settings))
        out << "warning: the Free edition shows the news button but never asks the news service: every click "
               "says \"There's no news for this application!\"\n";
}

// A reference names a local file unless it is a web address, another scheme's address
// ("mailto:") or a place in the page ("#top"). A one-letter scheme is a drive ("C:").
bool NamesLocalFile(std::string_view reference)
{
    reference = TrimSpacesAndTabs(reference);
    if (reference.empty() || reference[0] == '#')
        return false;
    const auto colon = reference.find(':');
    const auto schemeEnd =
        reference.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-.");
    if (colon == std::string_view::npos || colon != schemeEnd || colon < 2)
        return true;
    return EqualsIgnoringAsciiCase(reference.substr(0, colon), "file");
}

// The value of the attribute whose name ends just before `at` ("src" in `src = "a.gif"`);
// none when no "=" follows.
std::optional<std::string_view> AttributeValue(std::string_view html, std::size_t at)
{
    at = html.find_first_not_of(" \t\r\n", at);
    if (at == std::string_view::npos || html[at] != '=')
        return std::nullopt;
    at = html.find_first_not_of(" \t\r\n", at + 1);
    if (at == std::string_view::npos)
        return std::nullopt;
    if (html[at] == '"' || html[at] == '\'') {
        const auto end = html.find(html[at], at + 1);
        return html.substr(at + 1, end == std::string_view::npos ? std::string_view::npos : end - at - 1);
    }
    return html.substr(at, html.find_first_of(" \t\r\n>", at) - at);
}

// The values of src, href and background attributes and of CSS url() in tags and style
// blocks, in the order of the text; the page's own words are not read for them.
std::vector<std::string_view> References(std::string_view html)
{
    const std::string lower = LowerAscii(html);
    std::vector<std::string_view> found;
    bool inTag = false;
    bool inStyle = false;
    for (std::size_t at = 0; at < lower.size(); ++at) {
        if (lower[at] == '<') {
            inTag = true;
            if (lower.compare(at, 6, "<style") == 0)
                inStyle = true;
            else if (lower.compare(at, 7, "</style") == 0)
                inStyle = false;
            continue;
        }
        if (lower[at] == '>') {
            inTag = false;
            continue;
        }
        if (!inTag && !inStyle)
            continue;
        if (lower.compare(at, 4, "url(") == 0) {
            const auto start = at + 4;
            const auto end = html.find(')', start);
            std::string_view value = html.substr(start, end == std::string_view::npos ? 0 : end - start);
            value = TrimSpacesAndTabs(value);
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
                value = value.substr(1, value.size() - 2);
            found.push_back(value);
            continue;
        }
        // An attribute name stands after a blank inside a tag.
        if (!inTag || std::string_view(" \t\r\n").find(lower[at - 1]) == std::string_view::npos)
            continue;
        for (const std::string_view name : {"src", "href", "background"})
            if (lower.compare(at, name.size(), name) == 0)
                if (const auto value = AttributeValue(html, at + name.size()))
                    found.push_back(*value);
    }
    return found;
}

void ReportWelcomePages(const TBrandSettings& settings, std::ostream& out)
{
    for (std::size_t i = 0; i < settings.Welcomes.size(); ++i) {
        std::vector<std::string_view> local = References(settings.Welcomes[i]);
        std::erase_if(local, [](std::string_view reference) { return !NamesLocalFile(reference); });
        if (local.empty())
            continue;
        out << "warning: Welcome" << i + 1 << " refers to the local file \"" << Windows1252ToUtf8(local[0]) << "\"";
        if (local.size() > 1)
            out << " and " << local.size() - 1 << " more";
        out << ": a welcome page shows pictures and opens links from the web only (http:// or https://)\n";
    }
}

} // namespace

void ReportEncoding(std::string_view plain, std::ostream& out)
{
    if (IsAscii(plain)) {
        out << "encoding: ASCII, the same in Windows-1252\n";
    } else if (!IsUtf8BeyondAscii(plain)) {
        out << "encoding: Windows-1252, as the program reads it (shown here in UTF-8)\n";
    } else {
        out << "encoding: UTF-8\n"
            << "warning: the text was sealed in UTF-8, but the program reads Windows-1252 and shows what "
               "follows (\"Caf\xC3\x83\xC2\xA9\" for \"Caf\xC3\xA9\"): encrypt the plain file again with this "
               "taskwren-brand, which converts it\n";
    }
}

bool ReportPitfalls(const TBrandSettings& settings, std::ostream& out)
{
    const bool fails = ReportNewsAddresses(settings, out);
    ReportBannerFormats(settings, out);
    ReportFreeEdition(settings, out);
    ReportWelcomePages(settings, out);
    return fails;
}
