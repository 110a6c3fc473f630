#include "picture/UMetafileRecords.h"

#include <cstdint>

namespace {

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::size_t PlaceableHeaderBytes = 22;
constexpr std::size_t WmfHeaderBytes = 18;
constexpr std::size_t WmfRecordHeaderBytes = 6;
constexpr std::uint16_t WmfEndRecord = 0x0000;
constexpr std::size_t EmfHeaderBytes = 88;
constexpr std::uint32_t EmfEndRecord = 14;

std::uint16_t Read16(std::string_view data, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[at]) |
                                      static_cast<unsigned char>(data[at + 1]) << 8);
}

std::uint32_t Read32(std::string_view data, std::size_t at)
{
    return Read16(data, at) | static_cast<std::uint32_t>(Read16(data, at + 2)) << 16;
}

} // namespace

bool WmfWithinBounds(std::string_view data)
{
    if (data.size() > MaxMetafileBytes)
        return false;
    std::size_t at = data.size() >= 4 && Read32(data, 0) == PlaceableKey ? PlaceableHeaderBytes : 0;
    if (data.size() < at + WmfHeaderBytes)
        return true; // no records: the library refuses it by itself
    // The library takes a buffer of the largest record's size (in 16-bit words).
    if (Read32(data, at + 12) > data.size() / 2)
        return false;
    at += WmfHeaderBytes;
    for (std::size_t records = 1; at + WmfRecordHeaderBytes <= data.size(); ++records) {
        const std::uint32_t words = Read32(data, at);
        if (records > MaxMetafileRecords)
            return false;
        if (Read16(data, at + 4) == WmfEndRecord || words < 3)
            return true; // the end, or a record the library stops at
        at += std::size_t{words} * 2;
    }
    return true;
}

bool EmfWithinBounds(std::string_view data)
{
    if (data.size() > MaxMetafileBytes)
        return false;
    // libemf2svg reads the header's description (UTF-16 characters at an offset) up to its
    // terminating zero wherever the header says it is: past the data, in a hostile file.
    if (data.size() < EmfHeaderBytes)
        return false;
    const std::uint64_t header = Read32(data, 4);
    const std::uint64_t characters = Read32(data, 60);
    const std::uint64_t description = Read32(data, 64);
    if (header < EmfHeaderBytes || header > data.size())
        return false;
    if ((characters != 0 || description != 0) &&
        (characters == 0 || description < EmfHeaderBytes || description + 2 * characters > header ||
         Read16(data, description + 2 * (characters - 1)) != 0))
        return false;
    std::size_t at = 0;
    for (std::size_t records = 1; at + 8 <= data.size(); ++records) {
        const std::uint32_t bytes = Read32(data, at + 4);
        if (records > MaxMetafileRecords)
            return false;
        if (Read32(data, at) == EmfEndRecord || bytes < 8 || bytes % 4 != 0)
            return true; // the end, or a record the library stops at
        at += bytes;
    }
    return true;
}
