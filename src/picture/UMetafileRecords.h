#pragma once
// The bounds a metafile must keep before a library reads it: a banner of a million records
// took 15 s and 1.3 GB to draw, and a header may ask the library for any amount of memory.

#include <cstddef>
#include <string_view>

inline constexpr std::size_t MaxMetafileBytes = 16 * 1024 * 1024;
inline constexpr std::size_t MaxMetafileRecords = 50000;

// True when the Windows metafile (with or without its placeable header) is within the bounds:
// no more than MaxMetafileRecords records up to its end record, and a largest record its
// header names that fits in the data.
[[nodiscard]] bool WmfWithinBounds(std::string_view data);
// Likewise for an enhanced metafile.
[[nodiscard]] bool EmfWithinBounds(std::string_view data);
