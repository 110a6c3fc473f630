#include "common/UUtils.h"

#include <algorithm>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char EscapedCR = '\xA5';
constexpr char EscapedLF = '\xA7';

// Replaces every non-overlapping pair `c c`, scanning left to right, by `replacement`.
void ReplacePairs(std::string& text, char c, char replacement)
{
    std::string::size_type out = 0;
    for (std::string::size_type in = 0; in < text.size(); ++in, ++out) {
        if (text[in] == c && in + 1 < text.size() && text[in + 1] == c) {
            text[out] = replacement;
            ++in;
        } else {
            text[out] = text[in];
        }
    }
    text.resize(out);
}

} // namespace

void SplitByChar(char separator, std::string_view text, std::vector<std::string>& list, std::size_t maxFields)
{
    list.clear();
    std::string_view::size_type start = 0;
    for (auto at = text.find(separator); at != std::string_view::npos && list.size() < maxFields;
         at = text.find(separator, start)) {
        list.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    if (start < text.size() && list.size() < maxFields)
        list.emplace_back(text.substr(start));
}

std::string EncodeLineBreaks(std::string_view text)
{
    const auto breaks = static_cast<std::string::size_type>(
        std::count_if(text.begin(), text.end(), [](char c) { return c == CR || c == LF; }));
    std::string encoded;
    encoded.reserve(text.size() + breaks);
    for (char c : text) {
        if (c == CR)
            encoded.append(2, EscapedCR);
        else if (c == LF)
            encoded.append(2, EscapedLF);
        else
            encoded.push_back(c);
    }
    return encoded;
}

std::string DecodeLineBreaks(std::string_view text)
{
    std::string decoded(text);
    if (decoded.find(EscapedCR) != std::string::npos)
        ReplacePairs(decoded, EscapedCR, CR);
    if (decoded.find(EscapedLF) != std::string::npos)
        ReplacePairs(decoded, EscapedLF, LF);
    return decoded;
}

std::string FlattenLineBreaks(std::string_view text)
{
    std::string flat(text);
    std::replace_if(
        flat.begin(), flat.end(), [](char c) { return c == CR || c == LF; }, ' ');
    return flat;
}
