// libFuzzer target: any document goes through the HTML view's bounds without a crash or a
// hang, never grows by more than its word breaks, and never gains a table.

#include "common/UHtmlBounds.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::size_t Count(std::string_view text, std::string_view part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const std::string bounded = BoundedHtml(html);
    const std::size_t before = Count(html, "&#8203;");
    const std::size_t after = Count(bounded, "&#8203;");
    const std::size_t breaks = after > before ? after - before : 0;
    if (bounded.size() > html.size() + 7 * breaks)
        std::abort();
    if (Count(bounded, "<table") > Count(html, "<table"))
        std::abort();
    return 0;
}
