// libFuzzer target: a EMF banner as the helper program draws it, libemf2svg and Qt's SVG
// renderer included. libemf2svg is far less fuzzed than the program: what crashes or hangs it
// ends the helper, never the program, and goes to fuzz/regressions/EmfFuzz/ to be replayed
// through the helper. Run in fork mode, so that a crash inside the library does not end
// the run (see the Makefile).

#include "MetafileFuzz.h"
#include "picture/UMetafileDecoder.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    StartPictureHelperApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QImage picture = DecodeEmf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!picture.isNull() && (picture.width() > 4096 || picture.height() > 4096))
        std::abort();
    return 0;
}
