#pragma once
// An ordered list of texts, such as the category names. A list read from a file keeps the
// file's bytes and holds each line as eight bytes into them, so that a file of a million
// short lines costs little more than its size; texts given later are strings of their own.

#include "common/TFileBytes.h"
#include "common/UBulkMemory.h"
#include "model/TText.h"

#include <cstdint>
#include <memory>
#include <memory_resource>
#include <string>
#include <string_view>
#include <vector>

class TTextList {
public:
    static constexpr int NotFound = -1;

    int Count() const { return static_cast<int>(Items.size()); }
    // Valid until the entry is replaced or deleted, or the list assigned anew.
    std::string_view operator[](int index) const;
    void Append(std::string_view text);
    void Replace(int index, std::string_view text);
    void Delete(int index);
    void Assign(const std::vector<std::string>& items);
    // Takes every line of `bytes` (see ForEachLine) as an entry, blank ones included.
    void AssignLines(TFileBytes bytes);
    void Clear();
    // Position of the first entry equal to `text` with letter case ignored, or NotFound.
    [[nodiscard]] int IndexOfIgnoringCase(std::string_view text) const;

    [[nodiscard]] std::vector<std::string> All() const;

private:
    // Bytes Start to Start + Size of the file, or, with OwnBit set in Size, entry Start of Own.
    struct TItem {
        std::uint32_t Start;
        std::uint32_t Size;
    };
    static constexpr std::uint32_t OwnBit = 0x80000000u;

    TItem OwnItem(std::string_view text);

    std::shared_ptr<const TFileBytes> File; // shared by copies, never changed
    std::vector<TItem, std::pmr::polymorphic_allocator<TItem>> Items{&BulkMemory()};
    std::vector<TText> Own;
};
