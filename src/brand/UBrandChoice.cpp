#include "brand/UBrandChoice.h"

#include "brand/URandomSource.h"
#include "common/UUtils.h"
#include "common/UWebAddress.h"

#include <algorithm>
#include <vector>

namespace {

// An index below `count` (at least 1), whatever the source answers.
std::size_t Draw(TRandomSource& random, std::size_t count)
{
    const int index = random.Below(static_cast<int>(count));
    return index < 0 ? 0 : std::min(static_cast<std::size_t>(index), count - 1);
}

} // namespace

TEntryFields SplitEntry(std::string_view entry)
{
    std::vector<std::string> fields;
    SplitByChar('^', entry, fields, 2);
    TEntryFields result;
    if (!fields.empty())
        result.Text = std::move(fields[0]);
    if (fields.size() > 1)
        result.Address = std::move(fields[1]);
    return result;
}

void ChooseBrandEntries(TBrandSettings& settings, TRandomSource& random)
{
    if (!settings.Welcomes.empty())
        settings.WelcomeText = settings.Welcomes[Draw(random, settings.Welcomes.size())];

    if (!settings.Banners.empty()) {
        const std::size_t index = Draw(random, settings.Banners.size());
        TEntryFields banner = SplitEntry(settings.Banners[index]);
        settings.BannerImage = std::move(banner.Text);
        settings.BannerURL = std::move(banner.Address);
        settings.BannerNumber = static_cast<int>(index) + 1;
    }

    // A link the browser would refuse (a local path, "file:") would be a label that does
    // nothing: it is dropped like one without an address.
    std::vector<TEntryFields> links;
    for (const std::string& entry : settings.Links)
        if (TEntryFields link = SplitEntry(entry); !link.Address.empty() && WebAddress(link.Address))
            links.push_back(std::move(link));
    if (links.empty())
        return;
    const auto first = links.begin() + static_cast<std::ptrdiff_t>(Draw(random, links.size()));
    settings.Link1Caption = first->Text;
    settings.Link1URL = first->Address;
    links.erase(first);
    if (links.empty())
        return;
    const TEntryFields& second = links[Draw(random, links.size())];
    settings.Link2Caption = second.Text;
    settings.Link2URL = second.Address;
}
