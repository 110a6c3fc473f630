#include "brand/UBrandRules.h"

#include "brand/UAppVersion.h"
#include "common/UAsciiText.h"

std::string WindowCaption(const TBrandSettings& settings)
{
    if (settings.ApplicationName.empty())
        return std::string(BuiltInCaption);
    return settings.ApplicationName + " v" + std::string(AppVersion);
}

bool IsKnownEdition(std::string_view branderType)
{
    return branderType == "Master" || branderType == "Platinum" || branderType == "Gold" || branderType == "Free";
}

bool NewsButtonShown(const TBrandSettings& settings)
{
    if (!settings.Loaded)
        return true;
    const std::string_view type = settings.BranderType;
    const auto both = [](const std::string& id, const std::string& address) { return !id.empty() && !address.empty(); };
    if (type == "Master" || type == "Free")
        return both(settings.MasterPublID, settings.MasterNewsBaseURL);
    if (type == "Platinum")
        return both(settings.PlatinumPublID, settings.PlatinumNewsBaseURL);
    if (type == "Gold")
        return both(settings.GoldPublID, settings.GoldNewsBaseURL);
    return false;
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
