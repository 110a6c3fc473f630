#pragma once
// The random choice of the welcome page, the banner and the two links among the entries.

#include "brand/UBrandSettings.h"

#include <string>
#include <string_view>

class TRandomSource;

// A banner or link entry cut at "^": the image name or caption, and the address (empty for
// an entry without "^" or with nothing after it).
struct TEntryFields {
    std::string Text;
    std::string Address;
};
TEntryFields SplitEntry(std::string_view entry);

// Sets WelcomeText, BannerImage, BannerURL, BannerNumber and the two links, each choice
// drawing its own index from `random`. Links without an address are dropped first; the
// two links are always different entries.
void ChooseBrandEntries(TBrandSettings& settings, TRandomSource& random);
