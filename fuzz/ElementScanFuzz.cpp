// libFuzzer target: taskwren-brand check's element scanner on any settings text: no crash
// or hang, and one message per element at most for each open tag in the text.

#include "ElementScan.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view plain(reinterpret_cast<const char*>(data), size);
    std::vector<TElementRead> reads;
    static_cast<void>(ParseBrandSettings(plain, &reads));
    const std::string working = WorkingText(plain);
    const std::vector<std::string> messages = ElementsNeverRead(working, reads);
    std::size_t openTags = 0;
    for (auto at = working.find("<%%"); at != std::string::npos; at = working.find("<%%", at + 1))
        ++openTags;
    if (messages.size() > openTags)
        std::abort();
    for (const std::string& message : messages)
        if (message.empty())
            std::abort();
    return 0;
}
