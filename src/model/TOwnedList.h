#pragma once
// An ordered list of labelled entries that owns the object of each entry. The order is the
// order of appending; the list is never sorted.

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

template <class T>
class TOwnedList {
public:
    int Count() const { return static_cast<int>(Entries.size()); }
    T& operator[](int index) { return *Entries.at(static_cast<std::size_t>(index)).Object; }
    const T& operator[](int index) const { return *Entries.at(static_cast<std::size_t>(index)).Object; }
    const std::string& Label(int index) const { return Entries.at(static_cast<std::size_t>(index)).Label; }

    T& Append(std::string label, std::unique_ptr<T> object)
    {
        Entries.push_back({std::move(label), std::move(object)});
        return *Entries.back().Object;
    }
    void SetLabel(int index, std::string label)
    {
        Entries.at(static_cast<std::size_t>(index)).Label = std::move(label);
    }
    // Moves the entry at `from` to the place `to`; the entries between shift by one. The
    // objects themselves stay where they are, so references to them hold.
    void Move(int from, int to)
    {
        const auto begin = Entries.begin();
        const auto first = static_cast<std::ptrdiff_t>(CheckedIndex(from));
        const auto last = static_cast<std::ptrdiff_t>(CheckedIndex(to));
        if (first < last)
            std::rotate(begin + first, begin + first + 1, begin + last + 1);
        else
            std::rotate(begin + last, begin + first, begin + first + 1);
    }
    // Removes the entry and destroys its object.
    void Delete(int index) { Entries.erase(Entries.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(index))); }
    void Clear() { Entries.clear(); }
    void Reserve(std::size_t count) { Entries.reserve(count); }

private:
    struct TEntry {
        std::string Label;
        std::unique_ptr<T> Object;
    };

    std::size_t CheckedIndex(int index) const
    {
        const auto at = static_cast<std::size_t>(index);
        (void)Entries.at(at);
        return at;
    }

    std::vector<TEntry> Entries;
};
