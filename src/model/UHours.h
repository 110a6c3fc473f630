#pragma once
// The day planner's hourly actions, one per calendar day and hour row.

#include "common/TFileBytes.h"
#include "model/TOwnedList.h"
#include "model/TText.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TProgramFolder;

class TToDoHour {
public:
    TText Date; // the short date text of the day
    TText Hour; // the hour row caption, "1:00 AM" ... "12:00 M" ... "12:00 PM"
    TText Action;

    // The label the entry is found by.
    std::string HourKey() const;
};

// Entries labelled with their HourKey, in the order added. Lookups ignore letter case and
// find the first match, through an index so that they cost the same at any size. The index is
// built by the first lookup that needs it, not by loading.
class THours {
public:
    static constexpr int NotFound = -1;
    static constexpr const char* FileName = "Hours.dat";

    int Count() const { return Entries.Count(); }
    TToDoHour& operator[](int index) { return Entries[index]; }
    const TToDoHour& operator[](int index) const { return Entries[index]; }
    const TText& Label(int index) const { return Entries.Label(index); }

    // Position of the first entry whose label equals `hourKey` with letter case ignored.
    [[nodiscard]] int IndexOf(std::string_view hourKey) const;
    // IndexOf of each key into `found`. Before the index exists, the first such call answers
    // with one pass over the entries instead of building it (the day list at start, whose
    // window need not wait for the index); every later lookup builds it.
    void IndexesOf(std::span<const std::string> hourKeys, std::span<int> found) const;
    TToDoHour& Append(TText hourKey, std::unique_ptr<TToDoHour> entry);
    TToDoHour& Append(TText hourKey, TToDoHour&& entry);
    // Removes the entry and destroys it.
    void Delete(int index);
    // Room for `count` entries in all, in bulk memory.
    void Reserve(std::size_t count);
    // Keeps the bytes of "Hours.dat" as read for as long as the collection lives: the texts
    // read from it are views into them.
    void Keep(TFileBytes bytes) { Files.push_back(std::move(bytes)); }

    // Appends the entries of "Hours.dat", when it exists.
    void LoadHours(const TProgramFolder& folder);
    void SaveHours(TProgramFolder& folder) const;

private:
    std::size_t Probe(std::string_view key, std::uint64_t hash) const;
    void IndexEntry(int index);
    void RebuildIndex() const;

    void IndexesByPass(std::span<const std::string> hourKeys, std::span<int> found) const;

    std::vector<TFileBytes> Files; // before the entries, which it outlives
    TOwnedList<TToDoHour> Entries;
    // Open addressing: each slot holds 1 + the position of the first entry of one key, or 0.
    mutable std::vector<std::uint32_t> Slots;
    mutable std::size_t Used = 0;
    mutable bool IndexStale = false; // set by Delete, which shifts positions
    mutable bool PassDone = false;   // IndexesOf has answered once without the index
};

// Date, "-", Hour: the key of one hour of one day ("7/5/2008-1:00 PM").
[[nodiscard]] std::string MakeHourKey(std::string_view date, std::string_view hour);

// Stores `action` for the hour: a new entry, or the first entry of the key given the date,
// the hour and the action anew (its label stays).
void SetHourAction(THours& hours, const std::string& date, const std::string& hour, const std::string& action);
// Removes the first entry of the hour. False when there is none.
bool ClearHourAction(THours& hours, std::string_view date, std::string_view hour);

// The caption of hour row `row` (1 to 24): "1:00 AM" to "11:00 AM", "12:00 M", then
// "1:00 PM" to "12:00 PM". It is also the hour part of every HourKey.
[[nodiscard]] std::string HourCaption(int row);

// The text of "Hours.dat": Date^Hour^Action^ a line, line breaks escaped.
[[nodiscard]] std::string FormatHours(const THours& hours);
// Appends the entries that `text` holds. Any bytes at all are read without failing.
void ParseHours(std::string_view text, THours& hours);
// The same, decoding `bytes` in place; the entries' texts are views into them, which `hours` keeps.
void ParseHours(TFileBytes bytes, THours& hours);
