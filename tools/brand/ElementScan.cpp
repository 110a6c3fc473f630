#include "ElementScan.h"

#include "common/UAsciiText.h"

#include <algorithm>
#include <map>
#include <optional>

namespace {

struct TTagAt {
    std::size_t Offset;
    std::string Name;
};

// Every open tag "<%%" name "%%>" in the text. The program matches tags as written, so a
// name may hold any byte but a line break or an angle bracket: a blank or a hyphen in a
// misspelt name still makes an element, which the program never reads.
std::vector<TTagAt> OpenTags(std::string_view text)
{
    std::vector<TTagAt> tags;
    auto end = std::string_view::npos; // the first "%%>" at or after the name's start
    for (auto at = text.find("<%%"); at != std::string_view::npos; at = text.find("<%%", at + 1)) {
        const auto start = at + 3;
        if (end == std::string_view::npos || end < start)
            end = text.find("%%>", start);
        if (end == std::string_view::npos)
            break;
        const std::string_view name = text.substr(start, end - start);
        // A name that runs into a line break or another tag is none; close tags start with "/".
        if (!name.empty() && name[0] != '/' && name.find_first_of("\r\n<>") == std::string_view::npos)
            tags.push_back({at, std::string(name)});
    }
    return tags;
}

std::size_t OpenTagLength(const std::string& name)
{
    return name.size() + 6;
}

// A tag inside the value of an element that was read is part of that value.
bool InsideAValue(std::size_t offset, const std::vector<TElementRead>& reads)
{
    return std::any_of(reads.begin(), reads.end(), [offset](const TElementRead& read) {
        return read.Offset != std::string::npos && read.Closed && offset > read.Offset &&
            offset < read.Offset + OpenTagLength(read.Name) + read.Value.size();
    });
}

// The list a numbered name belongs to: "Welcome", "Banner" or "Link" followed by a
// number without leading zero; none for any other name.
std::optional<std::string> ListOf(std::string_view name)
{
    for (const std::string_view list : {"Welcome", "Banner", "Link"}) {
        if (name.size() <= list.size() || !EqualsIgnoringAsciiCase(name.substr(0, list.size()), list))
            continue;
        const std::string_view digits = name.substr(list.size());
        if (digits[0] != '0' && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::string(list);
    }
    return std::nullopt;
}

class TScan {
public:
    TScan(std::string_view working, const std::vector<TElementRead>& reads)
        : Reads(reads)
    {
        for (std::size_t i = 0; i < reads.size(); ++i)
            ByName[LowerAscii(reads[i].Name)] = i;
        for (auto at = working.find('\n'); at != std::string_view::npos; at = working.find('\n', at + 1))
            LineEnds.push_back(at);
    }

    std::string Where(const std::string& name, std::size_t offset) const
    {
        // Found among the line ends, not counted again for every message.
        const auto line = 1 + (std::lower_bound(LineEnds.begin(), LineEnds.end(), offset) - LineEnds.begin());
        return "<%%" + name + "%%> (line " + std::to_string(line) + ")";
    }

    // Why the tag at `tag` is not the element the reader took; empty when it is.
    std::string Problem(const TTagAt& tag)
    {
        const auto read = ByName.find(LowerAscii(tag.Name));
        if (read != ByName.end())
            return OfReadName(tag, read->second);
        if (EqualsIgnoringAsciiCase(tag.Name, "LastNewsId")) {
            if (!LastNewsIdSeen) {
                LastNewsIdSeen = true; // the read marker, found wherever it stands
                return {};
            }
            return Where(tag.Name, tag.Offset) + " is never read: it repeats the read marker LastNewsId";
        }
        if (const std::optional<std::string> list = ListOf(tag.Name))
            return OfListEntry(tag, *list);
        return Where(tag.Name, tag.Offset) + " is never read: it is not a setting of the program";
    }

private:
    std::string OfReadName(const TTagAt& tag, std::size_t index) const
    {
        const TElementRead& read = Reads[index];
        if (read.Offset == tag.Offset)
            return {};
        if (read.Offset != std::string::npos)
            return Where(tag.Name, tag.Offset) + " is never read: it repeats " + Where(read.Name, read.Offset);
        // The reading position had passed it: it stands before an element read earlier.
        for (std::size_t i = index; i-- > 0;)
            if (Reads[i].Offset != std::string::npos)
                return Where(tag.Name, tag.Offset) + " is never read: it stands before " +
                    Where(Reads[i].Name, Reads[i].Offset) + ", which is read earlier";
        return Where(tag.Name, tag.Offset) + " is never read";
    }

    std::string OfListEntry(const TTagAt& tag, const std::string& list) const
    {
        if (std::stoul(tag.Name.substr(list.size()).substr(0, 3)) > MaxListEntries)
            return Where(tag.Name, tag.Offset) + " is never read: lists hold at most sixteen entries";
        std::string end;
        for (const TElementRead& read : Reads)
            if (ListOf(read.Name) == list)
                end = read.Name;
        return Where(tag.Name, tag.Offset) + " is never read: it follows a gap, the list ends at " + end +
            " (missing, empty, without its close tag or out of order)";
    }

    const std::vector<TElementRead>& Reads;
    std::vector<std::size_t> LineEnds; // offsets of the working text's LF bytes, ascending
    std::map<std::string, std::size_t> ByName;
    bool LastNewsIdSeen = false;
};

} // namespace

std::vector<std::string> ElementsNeverRead(std::string_view working, const std::vector<TElementRead>& reads)
{
    TScan scan(working, reads);
    std::vector<std::pair<std::size_t, std::string>> problems;
    for (const TElementRead& read : reads)
        if (read.Offset != std::string::npos && !read.Closed)
            problems.emplace_back(read.Offset, scan.Where(read.Name, read.Offset) + " has no close tag: read as empty");
    for (const TTagAt& tag : OpenTags(working))
        if (!InsideAValue(tag.Offset, reads))
            if (std::string problem = scan.Problem(tag); !problem.empty())
                problems.emplace_back(tag.Offset, std::move(problem));
    std::stable_sort(problems.begin(), problems.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::string> messages;
    for (auto& problem : problems)
        messages.push_back(std::move(problem.second));
    return messages;
}
