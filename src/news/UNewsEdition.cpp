#include "news/UNewsEdition.h"

std::optional<TNewsEdition> NewsEditionOf(const TBrandSettings& settings)
{
    const std::string* publisherId = nullptr;
    std::string productType;
    if (settings.BranderType == "Master") {
        publisherId = &settings.MasterPublID;
        productType = "BM";
    } else if (settings.BranderType == "Platinum") {
        publisherId = &settings.PlatinumPublID;
        productType = "BP";
    } else if (settings.BranderType == "Gold") {
        publisherId = &settings.GoldPublID;
        productType = "BG";
    }
    if (publisherId == nullptr || publisherId->empty())
        return std::nullopt;
    return TNewsEdition{*publisherId, std::move(productType)};
}

const std::string& NewsBaseAddress(const TBrandSettings& settings, std::string_view productType)
{
    static const std::string none;
    if (productType == "BM")
        return settings.MasterNewsBaseURL;
    if (productType == "BP")
        return settings.PlatinumNewsBaseURL;
    if (productType == "BG")
        return settings.GoldNewsBaseURL;
    return none;
}
