#include "ui/UPictureBounds.h"

namespace {

int Read16(std::string_view data, std::size_t at)
{
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

} // namespace

bool GifWithinBounds(std::string_view data)
{
    // Signature and version (6 bytes), then the logical screen's width and height.
    return data.size() >= 10 && Read16(data, 6) <= LargestBannerSide && Read16(data, 8) <= LargestBannerSide;
}
