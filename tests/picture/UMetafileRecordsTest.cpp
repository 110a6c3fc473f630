#include "picture/UMetafileRecords.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Add16(std::string& out, unsigned value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void Add32(std::string& out, std::uint32_t value)
{
    Add16(out, value & 0xFFFF);
    Add16(out, value >> 16);
}

// A WMF without a placeable header: the header, `count` empty records, the end record.
std::string WmfOfRecords(std::size_t count, std::uint32_t largestRecord = 3)
{
    std::string wmf;
    Add16(wmf, 1);
    Add16(wmf, 9);
    Add16(wmf, 0x0300);
    Add32(wmf, static_cast<std::uint32_t>(9 + 3 * (count + 1)));
    Add16(wmf, 0);
    Add32(wmf, largestRecord);
    Add16(wmf, 0);
    for (std::size_t i = 0; i <= count; ++i) {
        Add32(wmf, 3);
        Add16(wmf, i < count ? 0x001E : 0x0000); // SAVEDC, then EOF
    }
    return wmf;
}

// An EMF header whose description has `characters` UTF-16 characters at `offset`.
std::string EmfHeader(std::uint32_t characters, std::uint32_t offset)
{
    std::string emf;
    Add32(emf, 1);
    Add32(emf, 100);
    emf += std::string(52, '\0');
    Add32(emf, characters);
    Add32(emf, offset);
    emf += std::string(28, '\0'); // to 96 bytes, then the description's last character
    Add16(emf, 'x');
    Add16(emf, 0);
    Add32(emf, 14); // EOF
    Add32(emf, 20);
    return emf + std::string(12, '\0');
}

// A million records took 15 s and 1.3 GB to draw.
TEST(UMetafileRecords, AMetafileOfTooManyRecordsIsRefused)
{
    EXPECT_TRUE(WmfWithinBounds(WmfOfRecords(MaxMetafileRecords - 1)));
    EXPECT_FALSE(WmfWithinBounds(WmfOfRecords(MaxMetafileRecords)));
    EXPECT_FALSE(WmfWithinBounds(WmfOfRecords(1, 0x7FFFFFFF))); // asks the library for 4 GB
}

// libemf2svg read past its buffer for such a header (found by EmfFuzz).
TEST(UMetafileRecords, AnEmfHeaderDescribingTextOutsideItselfIsRefused)
{
    EXPECT_TRUE(EmfWithinBounds(EmfHeader(0, 0)));
    EXPECT_TRUE(EmfWithinBounds(EmfHeader(2, 96)));
    EXPECT_FALSE(EmfWithinBounds(EmfHeader(3, 96)));  // runs past the header record
    EXPECT_FALSE(EmfWithinBounds(EmfHeader(1, 96)));  // ends without its zero
    EXPECT_FALSE(EmfWithinBounds(EmfHeader(0, 96)));  // read up to a zero wherever it is
    EXPECT_FALSE(EmfWithinBounds(EmfHeader(2, 40)));  // inside the header's own fields
}

} // namespace
