#include "common/UUtils.h"

#include "common/TTextSink.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char CR = '\r';
constexpr char LF = '\n';
constexpr char EscapedCR = '\xA5';
constexpr char EscapedLF = '\xA7';

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

std::size_t SplitByChar(char separator, std::string_view text, std::string_view* fields, std::size_t maxFields)
{
    std::size_t count = 0;
    std::string_view::size_type start = 0;
    for (auto at = text.find(separator); at != std::string_view::npos && count < maxFields;
         at = text.find(separator, start)) {
        fields[count++] = text.substr(start, at - start);
        start = at + 1;
    }
    if (start < text.size() && count < maxFields)
        fields[count++] = text.substr(start);
    return count;
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

void AppendEncodingLineBreaks(TTextSink& sink, std::string_view text)
{
    // The next CR and the next LF are each looked for once and remembered, so that a text of
    // many breaks of one kind is not scanned again for the other kind at each of them.
    if (text.empty())
        return;
    const char* const end = text.data() + text.size();
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<std::size_t>(end - from));
        return found == nullptr ? end : static_cast<const char*>(found);
    };
    const char* from = text.data();
    const char* cr = next(from, CR);
    const char* lf = next(from, LF);
    for (;;) {
        const char* const at = std::min(cr, lf);
        sink.Append(std::string_view(from, static_cast<std::size_t>(at - from)));
        if (at == end)
            return;
        sink.Append(at == cr ? "\xA5\xA5" : "\xA7\xA7");
        from = at + 1;
        if (at == cr)
            cr = next(from, CR);
        else
            lf = next(from, LF);
    }
}

std::string DecodeLineBreaks(std::string_view text)
{
    std::string decoded(text);
    decoded.resize(DecodeLineBreaksInPlace(decoded.data(), decoded.size()));
    return decoded;
}

// Both replacements in one pass from the left: replacing a pair of one kind by CR or LF
// never makes or breaks a pair of the other kind, so this equals the one after the other.
std::size_t DecodeLineBreaksInPlace(char* text, std::size_t size)
{
    const auto first = [&](char c) {
        const void* found = std::memchr(text, c, size);
        return found == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(found) - text);
    };
    std::size_t in = std::min(first(EscapedCR), first(EscapedLF));
    std::size_t out = in;
    while (in < size) {
        const char c = text[in];
        if ((c == EscapedCR || c == EscapedLF) && in + 1 < size && text[in + 1] == c) {
            text[out++] = c == EscapedCR ? CR : LF;
            in += 2;
        } else {
            text[out++] = text[in++];
        }
    }
    return out;
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
