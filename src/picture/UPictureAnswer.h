#pragma once
// What the helper program taskwren-picture answers on its standard output: "TWP1", the
// width and the height (32 bits each, least significant byte first), then the pixels row
// after row, premultiplied ARGB of 32 bits each in the machine's byte order.

#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr std::string_view PictureHelperName = "taskwren-picture";
inline constexpr std::string_view PictureAnswerMagic = "TWP1";
inline constexpr std::size_t PictureAnswerHeaderBytes = 12;
// Pictures wider or higher than this are refused: a banner never is.
inline constexpr std::uint32_t MaxPictureSide = 4096;
inline constexpr std::size_t MaxPictureAnswerBytes =
    PictureAnswerHeaderBytes + std::size_t{MaxPictureSide} * MaxPictureSide * 4;
