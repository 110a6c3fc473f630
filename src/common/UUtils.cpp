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

// The value of a hexadecimal digit of either letter case, or -1.
int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
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

std::string DecodeHexEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::string_view::size_type at = 0; at < text.size();) {
        if (text[at] != '$') {
            decoded += text[at++];
            continue;
        }
        // The escape reads the two characters after the sign, or as many as remain.
        const std::string_view digits = text.substr(at + 1, 2);
        if (digits.empty())
            return {};
        int value = 0;
        for (const char digit : digits) {
            const int digitValue = HexDigitValue(digit);
            if (digitValue < 0)
                return {};
            value = value * 16 + digitValue;
        }
        decoded += static_cast<char>(value);
        at += 1 + digits.size();
    }
    return decoded;
}
