#pragma once
// The size refusal in front of Qt's decoders, as in front of libjpeg: a picture wider or
// higher than a banner ever is never reaches them. A GIF of a few frames on a logical screen
// of 65529 by 251 pixels kept the decoder busy for seconds at each start.

#include <QImage>

#include <string_view>

inline constexpr int LargestBannerSide = 4096;

// False for a GIF whose logical screen is empty, or wider or higher than LargestBannerSide,
// and for data too short to say.
[[nodiscard]] bool GifWithinBounds(std::string_view data);

// A BMP or ICO picture ("BMP", "ICO") decoded by Qt once its header gave a size within
// LargestBannerSide; a null image for any other.
[[nodiscard]] QImage DecodeStillWithinBounds(std::string_view data, const char* format);
