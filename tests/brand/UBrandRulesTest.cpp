#include "brand/UBrandRules.h"

#include <gtest/gtest.h>

namespace {

TBrandSettings Named(const std::string& name)
{
    TBrandSettings settings;
    settings.ApplicationName = name;
    return settings;
}

TEST(WindowCaption, IsTheNameAndTheVersionOrTheBuiltInCaption)
{
    EXPECT_EQ(WindowCaption(Named("Doza Varazaz")), "Doza Varazaz v2.0");
    EXPECT_EQ(WindowCaption(Named("")), "Taskwren");
}

TEST(MakeMoneyCaption, FallsBackToTheBuiltInCaption)
{
    TBrandSettings settings;
    EXPECT_EQ(MakeMoneyCaption(settings), "Make Money");
    settings.MakeMoneyButton = "Earn";
    EXPECT_EQ(MakeMoneyCaption(settings), "Earn");
}

struct TEditionCase {
    const char* Type;
    bool Master, Platinum, Gold; // whose id and address are set
    bool Visible;
};

class NewsButtonTest : public testing::TestWithParam<TEditionCase> { };

TEST_P(NewsButtonTest, ShowsForAnEditionWithItsIdAndAddress)
{
    const TEditionCase& edition = GetParam();
    TBrandSettings settings;
    settings.Loaded = true;
    settings.BranderType = edition.Type;
    if (edition.Master)
        settings.MasterPublID = "1", settings.MasterNewsBaseURL = "http://m/";
    if (edition.Platinum)
        settings.PlatinumPublID = "2", settings.PlatinumNewsBaseURL = "http://p/";
    if (edition.Gold)
        settings.GoldPublID = "3", settings.GoldNewsBaseURL = "http://g/";
    EXPECT_EQ(NewsButtonShown(settings), edition.Visible);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NewsButtonTest,
    testing::Values(TEditionCase{"Master", true, false, false, true}, TEditionCase{"Master", false, true, true, false},
                    TEditionCase{"Platinum", false, true, false, true},
                    TEditionCase{"Platinum", true, false, true, false}, TEditionCase{"Gold", false, false, true, true},
                    TEditionCase{"gold", false, false, true, false}, TEditionCase{"Gold ", false, false, true, false},
                    TEditionCase{"Free", true, false, false, true}, TEditionCase{"Free", false, true, true, false},
                    TEditionCase{"Silver", true, true, true, false}, TEditionCase{"", true, true, true, false}));

TEST(NewsButton, NeedsBothTheIdAndTheAddress)
{
    TBrandSettings settings;
    settings.Loaded = true;
    settings.BranderType = "Master";
    settings.MasterPublID = "7";
    EXPECT_FALSE(NewsButtonShown(settings));
    settings.MasterPublID.clear();
    settings.MasterNewsBaseURL = "http://m/";
    EXPECT_FALSE(NewsButtonShown(settings));
}

struct TFormatCase {
    const char* ImageName;
    TBannerFormat Format;
};

class BannerFormatTest : public testing::TestWithParam<TFormatCase> { };

TEST_P(BannerFormatTest, IsNamedByTheFileNamePart)
{
    EXPECT_EQ(BannerFormat(GetParam().ImageName), GetParam().Format);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BannerFormatTest,
    testing::Values(TFormatCase{"ad.gif", TBannerFormat::Gif}, TFormatCase{"AD.GIF", TBannerFormat::Gif},
                    TFormatCase{"ad.gif.bmp", TBannerFormat::Gif}, // ".gif" anywhere in the name
                    TFormatCase{"ad.bmp", TBannerFormat::Bitmap}, TFormatCase{"Ad.Ico", TBannerFormat::Icon},
                    TFormatCase{"ad.jpg", TBannerFormat::Jpeg}, TFormatCase{"ad.JPEG", TBannerFormat::Jpeg},
                    TFormatCase{"ad.wmf", TBannerFormat::Wmf}, TFormatCase{"ad.EMF", TBannerFormat::Emf},
                    TFormatCase{"C:\\ads\\banner.jpg", TBannerFormat::Jpeg},
                    TFormatCase{"C:\\my.gif.files\\ad.bmp", TBannerFormat::Bitmap}, // only after the backslash
                    TFormatCase{"disk:ad.gif", TBannerFormat::Gif},
                    TFormatCase{"folder.gif:ad.png", TBannerFormat::Unknown},
                    TFormatCase{"ad.png", TBannerFormat::Unknown}, TFormatCase{"ad", TBannerFormat::Unknown},
                    TFormatCase{"ad.jpg ", TBannerFormat::Unknown}, TFormatCase{"", TBannerFormat::Unknown}));

} // namespace
