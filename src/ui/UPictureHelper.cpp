#include "ui/UPictureHelper.h"

#include "common/UHelperProcess.h"
#include "picture/UPictureAnswer.h"

#include <cstring>

namespace {

std::uint32_t Read32(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

} // namespace

QImage DrawMetafile(const std::filesystem::path& helper, std::string_view format, std::string_view data)
{
    THelperLimits limits;
    limits.Output = MaxPictureAnswerBytes;
    const auto answer = RunHelper(helper, {std::string(format)}, data, limits);
    if (!answer || answer->size() < PictureAnswerHeaderBytes || !answer->starts_with(PictureAnswerMagic))
        return {};
    const std::uint32_t width = Read32(*answer, 4);
    const std::uint32_t height = Read32(*answer, 8);
    if (width == 0 || height == 0 || width > MaxPictureSide || height > MaxPictureSide ||
        answer->size() != PictureAnswerHeaderBytes + std::size_t{width} * height * 4)
        return {};
    QImage picture(static_cast<int>(width), static_cast<int>(height), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return {};
    for (int row = 0; row < picture.height(); ++row)
        std::memcpy(picture.scanLine(row), answer->data() + PictureAnswerHeaderBytes + std::size_t{width} * 4 * row,
                    std::size_t{width} * 4);
    return picture;
}
