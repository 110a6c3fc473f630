// libFuzzer target: any plain settings text reads without a crash or a hang, the reader's
// trace agrees with the values, and storing a read marker keeps every value readable.

#include "brand/UBrandChoice.h"
#include "brand/UBrandSettingsReader.h"
#include "brand/ULastNewsId.h"
#include "brand/URandomSource.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

// Always the last entry, so every index is used at its edge.
class TLastIndex : public TRandomSource {
public:
    int Below(int count) override { return count - 1; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view plain(reinterpret_cast<const char*>(data), size);

    std::vector<TElementRead> reads;
    TBrandSettings settings = ParseBrandSettings(plain, &reads);
    if (settings.Welcomes.size() > MaxListEntries || settings.Banners.size() > MaxListEntries ||
        settings.Links.size() > MaxListEntries)
        std::abort();
    const std::string working = WorkingText(plain);
    std::size_t position = 0;
    for (const TElementRead& read : reads) {
        // Each element found lies after the one before it, and its value stands there.
        if (read.Offset == std::string::npos)
            continue;
        if (read.Offset < position ||
            working.compare(read.Offset + read.Name.size() + 6, read.Value.size(), read.Value) != 0)
            std::abort();
        position = read.Offset + read.Name.size() + 6 + (read.Closed ? read.Value.size() : 0);
    }

    TLastIndex random;
    ChooseBrandEntries(settings, random);
    if (!settings.Banners.empty() && settings.BannerNumber != static_cast<int>(settings.Banners.size()))
        std::abort();
    if (!settings.Link2URL.empty() && settings.Link1URL.empty())
        std::abort();

    // An id without tag characters or line breaks reads back as stored.
    const std::string marked = WithLastNewsId(plain, "4711");
    const std::string workingMarked = WorkingText(marked);
    std::string_view rest = workingMarked;
    if (ExtractTagValue("<%%LastNewsId%%>", "<%%/LastNewsId%%>", rest) != "4711")
        std::abort();
    return 0;
}
