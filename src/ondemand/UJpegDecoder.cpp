#include "ondemand/UJpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back
// to the decoder, which gives up the picture.
struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Return;
};

[[noreturn]] void LeaveOnError(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Return, 1);
}

void IgnoreMessage(j_common_ptr, int) { }

// Pictures larger than this are refused before anything is allocated for them: a banner
// never is, and a few bytes of header could otherwise ask for gigabytes and minutes of
// decoding at start-up (the metafiles keep the same limit).
constexpr JDIMENSION LargestSide = 4096;

} // namespace

QImage DecodeJpeg(std::string_view data)
{
    if (data.empty())
        return {};
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = LeaveOnError;
    error.Manager.emit_message = IgnoreMessage; // warnings of damaged data are not the user's
    // Only trivially destructible state lives between setjmp and a jump back; the picture is
    // held through a volatile pointer, since it changes after setjmp.
    QImage* volatile picture = nullptr;
    if (setjmp(error.Return) != 0) {
        delete picture;
        jpeg_destroy_decompress(&info);
        return {};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > LargestSide || info.image_height > LargestSide)
        std::longjmp(error.Return, 1);
    // libjpeg converts grey and colour pictures to RGB itself, but not CMYK ones.
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    picture =
        new QImage(width, static_cast<int>(info.output_height), cmyk ? QImage::Format_RGB32 : QImage::Format_RGB888);
    if (picture->isNull())
        std::longjmp(error.Return, 1); // too large to hold
    // Freed with the decompressor, also after a jump back.
    JSAMPARRAY cmykRow = cmyk
        ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1)
        : nullptr;
    while (info.output_scanline < info.output_height) {
        uchar* line = picture->scanLine(static_cast<int>(info.output_scanline));
        JSAMPROW row = cmyk ? cmykRow[0] : line;
        jpeg_read_scanlines(&info, &row, 1);
        if (cmyk) {
            // Adobe's CMYK pictures, the ones in use, store every ink inverted.
            auto* pixels = reinterpret_cast<QRgb*>(line);
            for (int x = 0; x < width; ++x) {
                const JSAMPLE* ink = row + 4 * x;
                pixels[x] = qRgb(ink[0] * ink[3] / 255, ink[1] * ink[3] / 255, ink[2] * ink[3] / 255);
            }
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    QImage result = std::move(*picture);
    delete picture;
    return result;
}
