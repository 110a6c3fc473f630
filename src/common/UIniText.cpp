#include "common/UIniText.h"

#include "common/UAsciiText.h"

namespace {

// The next line of `text` (without its break), consuming it.
std::string_view TakeLine(std::string_view& text)
{
    const auto end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) {
        text = {};
    } else {
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    return line;
}

std::string_view WithoutQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::string ReadIniValue(std::string_view text, std::string_view section, std::string_view key)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    bool inSection = false;
    while (!text.empty()) {
        const std::string_view line = TrimSpacesAndTabs(TakeLine(text));
        if (line.empty() || line.front() == ';' || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const bool matches = close != std::string_view::npos &&
                EqualsIgnoringAsciiCase(TrimSpacesAndTabs(line.substr(1, close - 1)), section);
            if (inSection)
                return {}; // only the first section of that name counts
            inSection = matches;
            continue;
        }
        const auto equals = line.find('=');
        if (inSection && equals != std::string_view::npos &&
            EqualsIgnoringAsciiCase(TrimSpacesAndTabs(line.substr(0, equals)), key))
            return std::string(WithoutQuotes(TrimSpacesAndTabs(line.substr(equals + 1))));
    }
    return {};
}
