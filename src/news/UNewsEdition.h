#pragma once
// Which publisher and product type the news requests of this copy name: the edition's row
// of the edition table.

#include "brand/UBrandSettings.h"

#include <optional>
#include <string>
#include <string_view>

// Every request names this news target.
inline constexpr std::string_view NewsTarget = "UA";

struct TNewsEdition {
    std::string PublisherId;
    std::string ProductType; // "BM", "BP" or "BG"
};

// The request values of "Master", "Platinum" and "Gold" (compared exactly); none for any
// other edition, "Free" included, or when the edition's publisher id is empty.
std::optional<TNewsEdition> NewsEditionOf(const TBrandSettings& settings);

// The news base address that belongs to a product type code; empty for an unknown code.
const std::string& NewsBaseAddress(const TBrandSettings& settings, std::string_view productType);
