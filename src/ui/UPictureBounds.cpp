#include "ui/UPictureBounds.h"

#include <QBuffer>
#include <QImageReader>

namespace {

int Read16(std::string_view data, std::size_t at)
{
    return static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1]) << 8;
}

} // namespace

bool GifWithinBounds(std::string_view data)
{
    // Signature and version (6 bytes), then the logical screen's width and height. On a screen
    // without width or height Qt draws on one as large as a frame asks, however far away.
    if (data.size() < 10)
        return false;
    const int width = Read16(data, 6);
    const int height = Read16(data, 8);
    return width > 0 && height > 0 && width <= LargestBannerSide && height <= LargestBannerSide;
}

QImage DecodeStillWithinBounds(std::string_view data, const char* format)
{
    QBuffer buffer;
    buffer.setData(data.data(), static_cast<qsizetype>(data.size()));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size(); // from the header alone
    if (!size.isValid() || size.width() > LargestBannerSide || size.height() > LargestBannerSide)
        return {};
    return reader.read();
}
