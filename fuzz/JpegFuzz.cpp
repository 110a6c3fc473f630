// libFuzzer target: a JPEG banner as the program decodes it, with libjpeg behind the size
// refusal: no crash, no hang, and never a picture wider or higher than 4096 pixels.

#include "ondemand/UJpegDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QImage picture = DecodeJpeg(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!picture.isNull() && (picture.width() > 4096 || picture.height() > 4096))
        std::abort();
    return 0;
}
