#include "common/UHtmlBounds.h"

#include "common/UAsciiText.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::string_view WordBreak = "&#8203;";
constexpr std::uint64_t ElementCost = 10;
constexpr std::uint64_t LineFeedCost = 10; // a line in preformatted text
constexpr std::uint64_t LineBreakCost = 20;
constexpr std::uint64_t CellCost = 50;
constexpr std::uint64_t PictureCost = 2000; // each one is also fetched from the web
constexpr std::size_t LongestReference = 32;

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsLetterOrDigit(char c)
{
    return IsLetter(c) || (c >= '0' && c <= '9');
}

bool IsNameCharacter(char c)
{
    return IsLetterOrDigit(c) || c == ':' || c == '-' || c == '_';
}

// Every byte but UTF-8's continuation bytes starts a character.
bool StartsCharacter(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

template <std::size_t N>
bool OneOf(std::string_view name, const std::array<std::string_view, N>& names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::uint64_t CostOf(std::string_view element)
{
    if (element == "td" || element == "th")
        return CellCost;
    if (element == "img")
        return PictureCost;
    if (element == "br")
        return LineBreakCost;
    return ElementCost;
}

constexpr std::array<std::string_view, 14> VoidElements{"area", "base", "br",   "col",   "embed",  "hr",    "img",
                                                        "input", "link", "meta", "param", "source", "track", "wbr"};
constexpr std::array<std::string_view, 4> TableSections{"thead", "tbody", "tfoot", "caption"};
constexpr std::array<std::string_view, 2> Cells{"td", "th"};
constexpr std::array<std::string_view, 10> TableParts{"table", "caption", "colgroup", "col", "thead",
                                                      "tbody", "tfoot",   "tr",       "td",  "th"};

struct TTag {
    enum class TKind { Open, Close, Declaration, Unreadable };
    TKind Kind;
    std::string Name; // lower case
    std::size_t End;  // one past its ">", or the end of the text
};

// The tag at `at` (a "<"), read as Qt reads it: Qt takes every "<" for a tag, skips blanks
// before the name or "/", ends the name at a blank, "<", "=", ">" or "/>", and ends the tag
// at the first ">" that no quoted value holds. Ending it at the first ">" of all, as here,
// never hides a tag from the count. A name Qt might read otherwise (quoted, with references,
// after a blank outside ASCII) is unreadable.
TTag ReadTag(std::string_view html, std::size_t at)
{
    const std::size_t close = html.find('>', at + 1);
    const std::size_t end = close == std::string_view::npos ? html.size() : close + 1;
    std::size_t position = at + 1;
    while (position < end && IsSpace(html[position]))
        ++position;
    if (position < end && html[position] == '!') // a comment ends at this ">" or at a later one
        return {TTag::TKind::Declaration, {}, end};
    const bool closing = position < end && html[position] == '/';
    position += closing ? 1 : 0;
    std::size_t nameEnd = position;
    const auto endsName = [&](std::size_t i) {
        const char c = html[i];
        return IsSpace(c) || c == '>' || c == '<' || c == '=' || (c == '/' && i + 1 < end && html[i + 1] == '>');
    };
    while (nameEnd < end && !endsName(nameEnd))
        ++nameEnd;
    const std::string_view name = html.substr(position, nameEnd - position);
    if (name.empty() || !IsLetter(name.front()) || !std::all_of(name.begin(), name.end(), IsNameCharacter))
        return {TTag::TKind::Unreadable, {}, end};
    return {closing ? TTag::TKind::Close : TTag::TKind::Open, LowerAscii(name), end};
}

class TBounder {
public:
    TBounder(std::string_view html, int tables)
        : Html(html)
        , Tables(tables)
    {
    }

    std::string Run();
    // The layout cost ran out and the rest of the document was cut.
    [[nodiscard]] bool WasCut() const { return Cut; }

private:
    void Text(std::size_t from, std::size_t to);
    void OpenTag(const TTag& tag, std::string_view bytes);
    void CloseTag(const TTag& tag, std::string_view bytes);
    // The elements a new one closes before it opens, where Qt closes them as well (or more).
    void CloseImplied(const std::string& name);
    void Pop();
    [[nodiscard]] bool TopIs(std::string_view name) const { return !Open.empty() && Open.back() == name; }
    template <std::size_t N>
    [[nodiscard]] bool TopIsOneOf(const std::array<std::string_view, N>& names) const
    {
        return !Open.empty() && OneOf(Open.back(), names);
    }
    // Adds to the layout cost; false, and the document cut, once it runs out.
    bool Spend(std::uint64_t cost);

    std::string_view Html;
    int Tables; // the tables that may be open at once
    std::string Out;
    std::vector<std::string> Open; // the elements open, innermost last
    int TablesOpen = 0;
    std::size_t ListItems = 0;
    bool StyleText = false; // the text right after <style> or <script>: not laid out
    std::size_t Word = 0;   // characters since the last blank
    std::uint64_t Cost = 0;
    bool Cut = false;
};

std::string TBounder::Run()
{
    std::size_t at = 0;
    while (at < Html.size() && !Cut) {
        const std::size_t tag = std::min(Html.find('<', at), Html.size());
        Text(at, tag);
        StyleText = false;
        if (Cut || tag == Html.size())
            break;
        const TTag read = ReadTag(Html, tag);
        const std::string_view bytes = Html.substr(tag, read.End - tag);
        switch (read.Kind) {
        case TTag::TKind::Declaration:
            Out.append(bytes);
            break;
        case TTag::TKind::Unreadable:
            break; // dropped
        case TTag::TKind::Open:
            OpenTag(read, bytes);
            break;
        case TTag::TKind::Close:
            CloseTag(read, bytes);
            break;
        }
        at = read.End;
    }
    return std::move(Out);
}

void TBounder::Text(std::size_t from, std::size_t to)
{
    std::size_t kept = from;
    std::size_t at = from;
    while (at < to) {
        // One character: a reference, or one encoded character.
        std::size_t next = at + 1;
        if (Html[at] == '&') {
            while (next < to && next - at < LongestReference && (IsLetterOrDigit(Html[next]) || Html[next] == '#'))
                ++next;
            if (next < to && Html[next] == ';')
                ++next;
        } else {
            while (next < to && !StartsCharacter(Html[next]))
                ++next;
        }
        if (!StyleText) {
            if (!Spend(Html[at] == '\n' ? LineFeedCost : 1))
                break;
            if (IsSpace(Html[at]) || Html.substr(at, next - at) == WordBreak) {
                Word = 0;
            } else if (++Word > MaxWordCharacters) {
                Out.append(Html.substr(kept, at - kept)).append(WordBreak);
                kept = at;
                Word = 1;
            }
        }
        at = next;
    }
    Out.append(Html.substr(kept, std::min(at, to) - kept));
}

void TBounder::OpenTag(const TTag& tag, std::string_view bytes)
{
    CloseImplied(tag.Name);
    const bool table = tag.Name == "table";
    if ((table && TablesOpen >= Tables) || (Tables == 0 && OneOf(tag.Name, TableParts)))
        return; // dropped: its content stays in the cell around it
    const bool isVoid = OneOf(tag.Name, VoidElements);
    if ((!isVoid && Open.size() >= MaxHtmlDepth) || (tag.Name == "li" && ++ListItems > MaxListItems))
        return;
    if (!Spend(CostOf(tag.Name)))
        return;
    Out.append(bytes);
    if (isVoid)
        return;
    Open.push_back(tag.Name);
    TablesOpen += table ? 1 : 0;
    StyleText = tag.Name == "style" || tag.Name == "script";
}

void TBounder::CloseTag(const TTag& tag, std::string_view bytes)
{
    // Qt closes the innermost open element of that name and everything inside it, and
    // ignores a close tag that matches none; so is it dropped here.
    const auto found = std::find(Open.rbegin(), Open.rend(), tag.Name);
    if (found == Open.rend())
        return;
    const auto remaining = static_cast<std::size_t>(Open.rend() - found - 1);
    while (Open.size() > remaining)
        Pop();
    Out.append(bytes);
}

void TBounder::CloseImplied(const std::string& name)
{
    // A cell, row or section may stand only in its row or table: Qt looks up past every
    // element that cannot hold it, so it closes at least what is closed here. A paragraph
    // or list item never stands right inside another.
    if (OneOf(name, Cells)) {
        while (TopIsOneOf(Cells))
            Pop();
    } else if (name == "tr") {
        while (TopIsOneOf(Cells) || TopIs("tr"))
            Pop();
    } else if (OneOf(name, TableSections)) {
        while (TopIsOneOf(Cells) || TopIs("tr") || TopIsOneOf(TableSections))
            Pop();
    } else if (name == "dt") {
        while (TopIs("dt") || TopIs("dd"))
            Pop();
    } else if (name == "p" || name == "li" || name == "dd") {
        if (TopIs(name))
            Pop();
    }
}

void TBounder::Pop()
{
    TablesOpen -= Open.back() == "table" ? 1 : 0;
    Open.pop_back();
}

bool TBounder::Spend(std::uint64_t cost)
{
    Cost += cost << TablesOpen;
    Cut = Cost > MaxLayoutCost;
    return !Cut;
}

} // namespace

std::string BoundedHtml(std::string_view html)
{
    if (html.size() > MaxHtmlBytes) {
        std::size_t cut = MaxHtmlBytes;
        while (cut > 0 && !StartsCharacter(html[cut]))
            --cut;
        html = html.substr(0, cut);
    }
    TBounder withTables(html, MaxTableDepth);
    std::string bounded = withTables.Run();
    if (!withTables.WasCut())
        return bounded;
    // Too costly with its tables: without them the same text costs far less.
    return TBounder(html, 0).Run();
}
