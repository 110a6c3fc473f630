#include "app/UBrandRules.h"

#include "common/UAsciiText.h"

namespace {

bool Edition(const TBrandSettings& settings, std::string_view type, const std::string& publisherId,
             const std::string& newsBaseUrl)
{
    return settings.BranderType == type && !publisherId.empty() && !newsBaseUrl.empty();
}

} // namespace

std::string BrandedCaption(const TBrandSettings& settings)
{
    if (settings.ApplicationName.empty())
        return {};
    return settings.ApplicationName + " v" + std::string(AppVersion);
}

bool NewsButtonVisible(const TBrandSettings& settings)
{
    return Edition(settings, "Master", settings.MasterPublID, settings.MasterNewsBaseURL) ||
        Edition(settings, "Platinum", settings.PlatinumPublID, settings.PlatinumNewsBaseURL) ||
        Edition(settings, "Gold", settings.GoldPublID, settings.GoldNewsBaseURL) ||
        Edition(settings, "Free", settings.MasterPublID, settings.MasterNewsBaseURL);
}

std::string MakeMoneyCaption(const TBrandSettings& settings)
{
    return settings.MakeMoneyButton.empty() ? std::string("Make Money") : settings.MakeMoneyButton;
}

TBannerFormat BannerFormat(std::string_view imageName)
{
    const auto separator = imageName.find_last_of("\\:");
    const std::string fileName =
        LowerAscii(separator == std::string_view::npos ? imageName : imageName.substr(separator + 1));
    if (fileName.find(".gif") != std::string::npos)
        return TBannerFormat::Gif;
    const auto dot = fileName.rfind('.');
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    if (extension == "bmp")
        return TBannerFormat::Bitmap;
    if (extension == "ico")
        return TBannerFormat::Icon;
    if (extension == "jpg" || extension == "jpeg")
        return TBannerFormat::Jpeg;
    if (extension == "wmf")
        return TBannerFormat::Wmf;
    if (extension == "emf")
        return TBannerFormat::Emf;
    return TBannerFormat::Unknown;
}
