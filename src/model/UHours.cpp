#include "model/UHours.h"

#include "common/UAnsiCase.h"
#include "common/UProgramFolder.h"
#include "common/USipHash.h"
#include "common/UUtils.h"
#include "model/UTextLines.h"

#include <algorithm>

namespace {

constexpr std::size_t MinimumSlots = 64;
constexpr std::size_t HourFields = 3; // Date, Hour, Action; further fields are ignored

std::size_t SlotCountFor(std::size_t entries)
{
    std::size_t slots = MinimumSlots;
    while (slots < entries * 2) // at most half full keeps probe runs short
        slots *= 2;
    return slots;
}

// Agrees with SameTextIgnoringCase. Keyed per process, because the keys come from a file
// that could otherwise be built to pile every key onto one probe run.
std::uint64_t HashIgnoringCase(std::string_view text)
{
    TSipHash24 hash(ProcessSipKey());
    unsigned char folded[64];
    while (!text.empty()) {
        const std::size_t count = std::min(text.size(), sizeof folded);
        for (std::size_t i = 0; i < count; ++i)
            folded[i] = AnsiFold(text[i]);
        hash.Add(folded, count);
        text.remove_prefix(count);
    }
    return hash.Finish();
}

} // namespace

std::size_t THours::Probe(std::string_view key, std::uint64_t hash) const
{
    const std::size_t mask = Slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = Slots[slot];
        if (held == 0 || SameTextIgnoringCase(Entries.Label(static_cast<int>(held - 1)), key))
            return slot;
    }
}

void THours::IndexEntry(int index)
{
    if (Slots.size() < SlotCountFor(Used + 1)) {
        RebuildIndex();
        return;
    }
    const std::string& key = Entries.Label(index);
    const std::size_t slot = Probe(key, HashIgnoringCase(key));
    if (Slots[slot] == 0) { // an earlier entry of the same key keeps the slot
        Slots[slot] = static_cast<std::uint32_t>(index + 1);
        ++Used;
    }
}

void THours::RebuildIndex() const
{
    Slots.assign(SlotCountFor(static_cast<std::size_t>(Entries.Count())), 0);
    Used = 0;
    for (int i = 0; i < Entries.Count(); ++i) {
        const std::string& key = Entries.Label(i);
        const std::size_t slot = Probe(key, HashIgnoringCase(key));
        if (Slots[slot] == 0) {
            Slots[slot] = static_cast<std::uint32_t>(i + 1);
            ++Used;
        }
    }
    IndexStale = false;
}

int THours::IndexOf(std::string_view hourKey) const
{
    if (IndexStale || Slots.empty())
        RebuildIndex();
    const std::uint32_t held = Slots[Probe(hourKey, HashIgnoringCase(hourKey))];
    return held == 0 ? NotFound : static_cast<int>(held - 1);
}

TToDoHour& THours::Append(std::string hourKey, std::unique_ptr<TToDoHour> entry)
{
    TToDoHour& added = Entries.Append(std::move(hourKey), std::move(entry));
    if (!IndexStale && !Slots.empty())
        IndexEntry(Entries.Count() - 1);
    return added;
}

void THours::Delete(int index)
{
    Entries.Delete(index);
    IndexStale = true;
}

void THours::Reserve(std::size_t count)
{
    Entries.Reserve(count);
}

std::string MakeHourKey(std::string_view date, std::string_view hour)
{
    std::string key;
    key.reserve(date.size() + 1 + hour.size());
    key.append(date).append("-").append(hour);
    return key;
}

std::string TToDoHour::HourKey() const
{
    return MakeHourKey(Date, Hour);
}

void SetHourAction(THours& hours, const std::string& date, const std::string& hour, const std::string& action)
{
    std::string key = MakeHourKey(date, hour);
    const int found = hours.IndexOf(key);
    TToDoHour& entry =
        found == THours::NotFound ? hours.Append(std::move(key), std::make_unique<TToDoHour>()) : hours[found];
    entry.Date = date;
    entry.Hour = hour;
    entry.Action = action;
}

bool ClearHourAction(THours& hours, std::string_view date, std::string_view hour)
{
    const int found = hours.IndexOf(MakeHourKey(date, hour));
    if (found == THours::NotFound)
        return false;
    hours.Delete(found);
    return true;
}

std::string HourCaption(int row)
{
    if (row < 12)
        return std::to_string(row) + ":00 AM";
    if (row == 12)
        return "12:00 M";
    return std::to_string(row - 12) + ":00 PM";
}

std::string FormatHours(const THours& hours)
{
    std::string text;
    std::string line;
    for (int i = 0; i < hours.Count(); ++i) {
        const TToDoHour& entry = hours[i];
        line.assign(entry.Date).append("^").append(entry.Hour).append("^").append(entry.Action).append("^");
        AppendLine(text, EncodeLineBreaks(line));
    }
    return text;
}

void ParseHours(std::string_view text, THours& hours)
{
    std::vector<std::string> fields;
    ForEachLine(text, [&](std::string_view line) {
        if (IsBlankLine(line))
            return;
        SplitByChar('^', DecodeLineBreaks(line), fields, HourFields);
        fields.resize(HourFields);
        auto entry = std::make_unique<TToDoHour>();
        entry->Date = std::move(fields[0]);
        entry->Hour = std::move(fields[1]);
        entry->Action = std::move(fields[2]);
        std::string key = entry->HourKey();
        hours.Append(std::move(key), std::move(entry));
    });
}

void THours::LoadHours(const TProgramFolder& folder)
{
    if (const auto text = folder.ReadFile(FileName))
        ParseHours(*text, *this);
}

void THours::SaveHours(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(FileName, FileName), FormatHours(*this));
}
