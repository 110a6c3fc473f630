#include "brand/ULastNewsId.h"

#include "brand/UBrandSettingsReader.h"
#include "brand/USettingsFile.h"
#include "common/UAsciiText.h"
#include "common/UErrors.h"
#include "common/UProgramFolder.h"
#include "crypto/USettingsContainer.h"

#include <algorithm>
#include <optional>

namespace {

constexpr std::string_view OpenTag = "<%%LastNewsId%%>";
constexpr std::string_view CloseTag = "<%%/LastNewsId%%>";

// The element's place in `text`, the part a new element replaces: from its open tag through
// its close tag on the same line, or to the end of the line when the close tag is not on it.
// The element stands on a line of its own; a close tag further down, left by a hand edit,
// would take the settings between with it, which the reader still reads.
struct TSpan {
    std::size_t Begin = 0;
    std::size_t End = 0;
};

std::optional<TSpan> FindElement(std::string_view text)
{
    const std::size_t open = FindIgnoringAsciiCase(text, OpenTag);
    if (open == std::string_view::npos)
        return std::nullopt;
    const std::size_t value = open + OpenTag.size();
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", value), text.size());
    const std::size_t close = FindIgnoringAsciiCase(text.substr(value, lineEnd - value), CloseTag);
    if (close != std::string_view::npos)
        return TSpan{open, value + close + CloseTag.size()};
    return TSpan{open, lineEnd};
}

} // namespace

std::string WithLastNewsId(std::string_view plain, std::string_view id)
{
    const std::string_view readable = plain.substr(0, plain.find('\0'));
    const std::string_view hidden = plain.substr(readable.size());
    const std::string element = std::string(OpenTag) + std::string(id) + std::string(CloseTag);
    if (const std::optional<TSpan> span = FindElement(readable))
        return std::string(readable.substr(0, span->Begin)) + element + std::string(readable.substr(span->End)) +
            std::string(hidden);
    const bool lineOpen = !readable.empty() && readable.back() != '\r' && readable.back() != '\n';
    return std::string(readable) + (lineOpen ? "\r\n" : "") + element + "\r\n" + std::string(hidden);
}

std::string LoadLastNewsId(const TProgramFolder& folder)
{
    const std::optional<TSettingsText> text = ReadSettingsText(folder);
    if (!text)
        return {};
    const std::string working = WorkingText(text->Plain);
    std::string_view rest = working;
    return ExtractTagValue(OpenTag, CloseTag, rest);
}

bool SaveLastNewsId(TProgramFolder& folder, std::string_view id)
{
    // The id comes from the news service: one that could end the element or open another
    // would let the service rewrite the publisher's settings.
    if (std::any_of(id.begin(), id.end(),
                    [](char c) { return c == '<' || c == '>' || static_cast<unsigned char>(c) < 0x20; }))
        return false;
    const std::optional<TSettingsText> text = ReadSettingsText(folder);
    // A file that fails its checks is left as it is: rewriting it would seal damaged
    // settings as sound, or replace settings read with another key by this one line.
    if (!text || text->Failure != TCryptFailure::None)
        return false;
    std::string container;
    if (EncryptSettings(WithLastNewsId(text->Plain, id), container) != TCryptFailure::None)
        return false;
    try {
        folder.WriteFile(folder.NameToWrite(SettingsFileName, SettingsFileName), container);
    } catch (const EFileError&) {
        return false;
    }
    return true;
}
