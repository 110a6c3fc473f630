#include "news/UNewsAnswers.h"

#include "common/UUtils.h"

#include <charconv>

namespace {

std::string WithoutEndMarkers(std::string_view text)
{
    std::string rest;
    rest.reserve(text.size());
    for (auto at = text.find(NewsEndMarker); at != std::string_view::npos; at = text.find(NewsEndMarker)) {
        rest.append(text.substr(0, at));
        text.remove_prefix(at + NewsEndMarker.size());
    }
    rest.append(text);
    return rest;
}

// A field cut to the most any real news holds, before a list or a balloon lays it out.
std::string Bounded(std::string field)
{
    if (field.size() > MaxNewsFieldLength)
        field.resize(MaxNewsFieldLength);
    return field;
}

} // namespace

std::string NewsRequestAddress(std::string_view base, std::string_view script)
{
    std::string address(base);
    if (!address.ends_with('/'))
        address += '/';
    address += script;
    return address;
}

std::string_view TrimAnswer(std::string_view answer)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!answer.empty() && isBlank(answer.front()))
        answer.remove_prefix(1);
    while (!answer.empty() && isBlank(answer.back()))
        answer.remove_suffix(1);
    return answer;
}

bool IsSuccessAnswer(std::string_view trimmed)
{
    return trimmed.find("OK") != std::string_view::npos;
}

std::optional<std::string_view> NewsErrorMessage(std::string_view trimmed, TNewsRequest request)
{
    if (trimmed.empty())
        return "There is a trouble accessing the news site. Contact your provider.";
    if (trimmed == "CONNECTIONFAIL")
        return "There is a trouble in the settings file on the news site.";
    if (trimmed == "INVALIDUSER")
        return "There is a trouble with the Publisher Id. Contact your provider.";
    if (trimmed == "INVALIDPRODUCT")
        return "There is a trouble with the product validation. Contact your provider.";
    if (trimmed == "INVALIDNEWS" && request == TNewsRequest::Details)
        return "There is a trouble with this news. Contact your provider.";
    return std::nullopt;
}

void AppendNewsRecords(std::string_view trimmed, std::vector<std::string>& list)
{
    std::vector<std::string> pieces;
    SplitByChar(NewsRecordSeparator, trimmed, pieces);
    for (std::string& piece : pieces)
        if (!piece.empty() && piece != "OK")
            list.push_back(std::move(piece));
}

TLastNews ParseLastNews(std::string_view trimmed)
{
    const std::string rest = WithoutEndMarkers(trimmed);
    if (rest == "OK")
        return {};
    std::vector<std::string> pieces;
    SplitByChar(NewsFieldSeparator, rest, pieces, 2);
    pieces.resize(2);
    return {Bounded(std::move(pieces[0])), Bounded(std::move(pieces[1]))};
}

std::string ParseNewsDetails(std::string_view trimmed)
{
    return DecodeHexEscapes(WithoutEndMarkers(trimmed));
}

TNewsRecord SplitNewsRecord(std::string_view record)
{
    std::vector<std::string> fields;
    SplitByChar(NewsFieldSeparator, record, fields, 3);
    fields.resize(3);
    return {Bounded(std::move(fields[0])), Bounded(std::move(fields[1])), Bounded(std::move(fields[2]))};
}

std::int64_t NewsIdValue(std::string_view id)
{
    // from_chars takes a "-" but no "+"; a sign is followed by digits only.
    const std::string_view digits = id.starts_with('+') ? id.substr(1) : id;
    if (digits.empty() || (digits.front() == '-') != id.starts_with('-'))
        return 0;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() ? value : 0;
}
