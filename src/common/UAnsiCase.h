#pragma once
// Letter case of Windows-1252 text, for the lookups that ignore it: ASCII letters, the
// accented Latin letters of 0xC0-0xFE and the pairs Š/š, Œ/œ, Ž/ž, Ÿ/ÿ.

#include <array>
#include <string_view>

namespace ansi_case_detail {

constexpr std::array<unsigned char, 256> MakeFoldTable()
{
    std::array<unsigned char, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (unsigned c = 'A'; c <= 'Z'; ++c)
        table[c] = static_cast<unsigned char>(c + 0x20);
    for (unsigned c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7) // the multiplication sign has no lower case
            table[c] = static_cast<unsigned char>(c + 0x20);
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

inline constexpr std::array<unsigned char, 256> FoldTable = MakeFoldTable();

} // namespace ansi_case_detail

// The lower-case form of a Windows-1252 byte.
constexpr unsigned char AnsiFold(char c)
{
    return ansi_case_detail::FoldTable[static_cast<unsigned char>(c)];
}

// True when both texts are equal once letter case is ignored.
constexpr bool SameTextIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::string_view::size_type i = 0; i < a.size(); ++i)
        if (AnsiFold(a[i]) != AnsiFold(b[i]))
            return false;
    return true;
}
