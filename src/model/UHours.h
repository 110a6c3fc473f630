#pragma once
// The day planner's hourly actions, one per calendar day and hour row.

#include "model/TOwnedList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TProgramFolder;

class TToDoHour {
public:
    std::string Date; // the short date text of the day
    std::string Hour; // the hour row caption, "1:00 AM" ... "12:00 M" ... "12:00 PM"
    std::string Action;

    // The label the entry is found by.
    std::string HourKey() const;
};

// Entries labelled with their HourKey, in the order added. Lookups ignore letter case and
// find the first match, through an index so that they cost the same at any size.
class THours {
public:
    static constexpr int NotFound = -1;
    static constexpr const char* FileName = "Hours.dat";

    int Count() const { return Entries.Count(); }
    TToDoHour& operator[](int index) { return Entries[index]; }
    const TToDoHour& operator[](int index) const { return Entries[index]; }
    const std::string& Label(int index) const { return Entries.Label(index); }

    // Position of the first entry whose label equals `hourKey` with letter case ignored.
    [[nodiscard]] int IndexOf(std::string_view hourKey) const;
    TToDoHour& Append(std::string hourKey, std::unique_ptr<TToDoHour> entry);
    // Removes the entry and destroys it.
    void Delete(int index);
    void Reserve(std::size_t count);

    // Appends the entries of "Hours.dat", when it exists.
    void LoadHours(const TProgramFolder& folder);
    void SaveHours(TProgramFolder& folder) const;

private:
    std::size_t Probe(std::string_view key, std::uint64_t hash) const;
    void IndexEntry(int index);
    void RebuildIndex() const;

    TOwnedList<TToDoHour> Entries;
    // Open addressing: each slot holds 1 + the position of the first entry of one key, or 0.
    mutable std::vector<std::uint32_t> Slots;
    mutable std::size_t Used = 0;
    mutable bool IndexStale = false; // set by Delete, which shifts positions
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
