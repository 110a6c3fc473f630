#include "http/UHttpRequest.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr size_t FoldWidth = 78;

void AppendHeader(std::string& out, std::string_view name, const std::string& value)
{
    if (value.empty())
        return;
    out += FoldHeaderLine(std::string(name) + ": " + value);
    out += "\r\n";
}

// Where to end the first piece of `lead` followed by `rest`: after the last comma, or
// before the last space, within the width; failing that, at the first break after it;
// npos when there is none. Breaks are looked for only from index `from` on, so a header
// name stays whole. `lead` is "" or the one space that begins a continuation.
size_t FoldPoint(std::string_view lead, std::string_view rest, size_t from)
{
    const size_t size = lead.size() + rest.size();
    const auto at = [&](size_t i) { return i < lead.size() ? lead[i] : rest[i - lead.size()]; };
    for (size_t i = std::min(FoldWidth, size); i > from; --i) {
        if (at(i - 1) == ',')
            return i;
        if (at(i - 1) == ' ')
            return i - 1;
    }
    for (size_t i = std::max(FoldWidth, from); i < size; ++i) {
        if (at(i) == ',')
            return i + 1;
        if (at(i) == ' ')
            return i;
    }
    return std::string_view::npos;
}

} // namespace

std::string MakeBoundary(const TLocalDateTime& t)
{
    char digits[48];
    std::snprintf(digits, sizeof digits, "%02d%02d%02d%02d%02d%02d%03d", t.Month % 100, t.Day % 100, t.Year % 100,
                  t.Hour % 100, t.Minute % 100, t.Second % 100, t.Millisecond % 1000);
    return std::string("--------") + digits;
}

std::string BuildMultipartBody(std::string_view boundary, const std::vector<FormField>& fields)
{
    std::string body;
    for (const FormField& field : fields) {
        body.append("--").append(boundary).append("\r\n");
        body.append("Content-Disposition: form-data; name=\"").append(field.Name).append("\"\r\n");
        body.append("\r\n");
        body.append(field.Value).append("\r\n");
    }
    body.append("\r\n--").append(boundary).append("--\r\n");
    return body;
}

std::string BuildRequestHead(const THttpRequestHead& head)
{
    std::string out = head.Method + " " + head.Target + " HTTP/" + head.Version + "\r\n";
    AppendHeader(out, "Connection", head.Connection);
    AppendHeader(out, "Content-Type", head.ContentType);
    AppendHeader(out, "Content-Length", head.ContentLength);
    AppendHeader(out, "Host", head.Host);
    AppendHeader(out, "Accept", head.Accept);
    AppendHeader(out, "User-Agent", head.UserAgent);
    AppendHeader(out, "Cookie", head.Cookie);
    out += "\r\n";
    return out;
}

// Works on views of `line`, so each byte is copied once however many folds there are.
std::string FoldHeaderLine(std::string_view line)
{
    std::string out;
    out.reserve(line.size() + line.size() / 16);
    std::string_view lead;
    std::string_view rest = line;
    const size_t colon = line.find(": ");
    size_t from = colon == std::string_view::npos ? 1 : colon + 2;
    while (lead.size() + rest.size() > FoldWidth) {
        const size_t point = FoldPoint(lead, rest, from);
        if (point == std::string_view::npos)
            break;
        // A continuation's point is never inside its lead: breaks are looked for from 1 on.
        const size_t taken = point - lead.size();
        std::string_view tail = rest.substr(taken);
        while (!tail.empty() && tail.front() == ' ')
            tail.remove_prefix(1);
        if (tail.empty())
            break; // only blanks follow: nothing to carry over
        out.append(lead).append(rest.substr(0, taken)).append("\r\n");
        lead = " ";
        rest = tail;
        from = 1;
    }
    return out.append(lead).append(rest);
}
