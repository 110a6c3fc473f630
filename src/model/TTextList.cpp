#include "model/TTextList.h"

#include "common/UAnsiCase.h"
#include "model/UTextLines.h"

#include <stdexcept>

namespace {

constexpr std::size_t MaxStart = UINT32_MAX;
constexpr std::size_t MaxSize = 0x7FFFFFFFu;

} // namespace

std::string_view TTextList::operator[](int index) const
{
    const TItem& item = Items.at(static_cast<std::size_t>(index));
    if ((item.Size & OwnBit) != 0)
        return Own[item.Start];
    return {File->Data() + item.Start, item.Size};
}

TTextList::TItem TTextList::OwnItem(std::string_view text)
{
    Own.emplace_back(text);
    return {static_cast<std::uint32_t>(Own.size() - 1), OwnBit};
}

void TTextList::Append(std::string_view text)
{
    Items.reserve(Items.size() + 1);
    Items.push_back(OwnItem(text));
}

void TTextList::Replace(int index, std::string_view text)
{
    TItem& item = Items.at(static_cast<std::size_t>(index));
    if ((item.Size & OwnBit) != 0)
        Own[item.Start] = text;
    else
        item = OwnItem(text);
}

void TTextList::Delete(int index)
{
    const TItem item = Items.at(static_cast<std::size_t>(index));
    if ((item.Size & OwnBit) != 0)
        Own[item.Start] = TText(); // its slot stays, so the other entries' numbers hold
    Items.erase(Items.begin() + index);
}

void TTextList::Assign(const std::vector<std::string>& items)
{
    Clear();
    Items.reserve(items.size());
    Own.reserve(items.size());
    for (const std::string& text : items)
        Items.push_back(OwnItem(text));
}

void TTextList::AssignLines(TFileBytes bytes)
{
    Clear();
    Items.reserve(CountLines(bytes.View()));
    const char* const start = bytes.Data();
    ForEachLine(bytes.View(), [&](std::string_view line) {
        const auto at = static_cast<std::size_t>(line.data() - start);
        // Positions past what eight bytes hold (a file of 4 GiB) take a string of their own.
        if (at <= MaxStart && line.size() <= MaxSize)
            Items.push_back({static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(line.size())});
        else
            Items.push_back(OwnItem(line));
    });
    File = std::make_shared<const TFileBytes>(std::move(bytes));
}

void TTextList::Clear()
{
    Items.clear();
    Own.clear();
    File.reset();
}

int TTextList::IndexOfIgnoringCase(std::string_view text) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameTextIgnoringCase((*this)[i], text))
            return i;
    return NotFound;
}

std::vector<std::string> TTextList::All() const
{
    std::vector<std::string> all;
    all.reserve(Items.size());
    for (int i = 0; i < Count(); ++i)
        all.emplace_back((*this)[i]);
    return all;
}
