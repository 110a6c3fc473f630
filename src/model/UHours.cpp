#include "model/UHours.h"

#include "common/UAnsiCase.h"
#include "common/UProgramFolder.h"
#include "common/USipHash.h"
#include "common/TTextSink.h"
#include "common/UBulkMemory.h"
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
    const std::string_view key = Entries.Label(index);
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
        const std::string_view key = Entries.Label(i);
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

void THours::IndexesOf(std::span<const std::string> hourKeys, std::span<int> found) const
{
    if ((IndexStale || Slots.empty()) && !PassDone) {
        PassDone = true;
        IndexesByPass(hourKeys, found);
        return;
    }
    for (std::size_t k = 0; k < hourKeys.size(); ++k)
        found[k] = IndexOf(hourKeys[k]);
}

void THours::IndexesByPass(std::span<const std::string> hourKeys, std::span<int> found) const
{
    std::fill(found.begin(), found.end(), NotFound);
    if (hourKeys.empty())
        return;
    // The keys of a day share their date: one look at that prefix rules out most entries.
    std::string_view prefix = hourKeys[0];
    for (const std::string& key : hourKeys)
        while (!std::string_view(key).starts_with(prefix))
            prefix.remove_suffix(1);
    std::size_t missing = hourKeys.size();
    for (int i = 0; i < Entries.Count() && missing != 0; ++i) {
        const std::string_view label = Entries.Label(i);
        if (label.size() < prefix.size() || !SameTextIgnoringCase(label.substr(0, prefix.size()), prefix))
            continue;
        for (std::size_t k = 0; k < hourKeys.size(); ++k) {
            if (found[k] == NotFound && SameTextIgnoringCase(label, hourKeys[k])) {
                found[k] = i;
                --missing;
            }
        }
    }
}

TToDoHour& THours::Append(TText hourKey, std::unique_ptr<TToDoHour> entry)
{
    return Append(std::move(hourKey), std::move(*entry));
}

TToDoHour& THours::Append(TText hourKey, TToDoHour&& entry)
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
    Entries.Reserve(count, BulkMemory());
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
    TToDoHour& entry = found == THours::NotFound ? hours.Append(std::move(key), TToDoHour()) : hours[found];
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

namespace {

void WriteHours(const THours& hours, TTextSink& sink)
{
    for (int i = 0; i < hours.Count(); ++i) {
        const TToDoHour& entry = hours[i];
        AppendEncodingLineBreaks(sink, entry.Date);
        sink.Append("^");
        AppendEncodingLineBreaks(sink, entry.Hour);
        sink.Append("^");
        AppendEncodingLineBreaks(sink, entry.Action);
        sink.Append("^\r\n");
    }
}

} // namespace

std::string FormatHours(const THours& hours)
{
    return FormatToString([&](TTextSink& sink) { WriteHours(hours, sink); });
}

void ParseHours(std::string_view text, THours& hours)
{
    ParseHours(TFileBytes::CopyOf(text), hours);
}

void ParseHours(TFileBytes bytes, THours& hours)
{
    hours.Reserve(static_cast<std::size_t>(hours.Count()) + CountLines(bytes.View()));
    ForEachLineIn(bytes.Data(), bytes.Size(), [&](char* line, std::size_t size) {
        if (IsBlankLine(std::string_view(line, size)))
            return;
        size = DecodeLineBreaksInPlace(line, size);
        std::string_view fields[HourFields];
        const std::size_t count = SplitByChar('^', std::string_view(line, size), fields, HourFields);
        const std::string_view date = count > 0 ? fields[0] : std::string_view(line, 0);
        const std::string_view hour = count > 1 ? fields[1] : std::string_view();
        // The label, Date "-" Hour, is made of the line's own bytes: the "^" after the date
        // becomes "-", or, without one, the byte after the line does (one the decoding freed,
        // the first of its line break, or the spare byte after the file).
        const std::size_t dash = date.size();
        line[dash] = '-';
        const TText label = TText::Borrow(std::string_view(line, dash + 1 + hour.size()));
        hours.Append(label, TToDoHour{TText::Borrow(date), TText::Borrow(hour),
                                      TText::Borrow(count > 2 ? fields[2] : std::string_view())});
    });
    hours.Keep(std::move(bytes));
}

void THours::LoadHours(const TProgramFolder& folder)
{
    if (auto bytes = folder.ReadFileBytes(FileName))
        ParseHours(std::move(*bytes), *this);
}

void THours::SaveHours(TProgramFolder& folder) const
{
    folder.WriteFile(folder.NameToWrite(FileName, FileName), [this](TTextSink& sink) { WriteHours(*this, sink); });
}
