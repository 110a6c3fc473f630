// libFuzzer target: the bounds checked on a metafile before its library reads it, in this
// process, so that a fault of ours is found; the metafile targets run the libraries in fork
// mode, where crashes are expected and not failures.

#include "picture/UMetafileRecords.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view metafile(reinterpret_cast<const char*>(data), size);
    static_cast<void>(WmfWithinBounds(metafile));
    static_cast<void>(EmfWithinBounds(metafile));
    return 0;
}
