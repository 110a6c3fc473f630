// The edition rules, the captions and the random choice of the entries.
#include "brand/UBrandChoice.h"
#include "brand/UBrandRules.h"

#include "TScriptedRandom.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct NewsCase {
    const char* Type;
    const char* MasterId;
    const char* MasterUrl;
    const char* GoldId;
    const char* GoldUrl;
    bool Shown;
};

class NewsButton : public testing::TestWithParam<NewsCase> { };

TBrandSettings Loaded()
{
    TBrandSettings settings;
    settings.Loaded = true;
    return settings;
}

} // namespace

TEST_P(NewsButton, ShowsOnlyForAnEditionWithItsIdAndAddress)
{
    TBrandSettings settings = Loaded();
    settings.BranderType = GetParam().Type;
    settings.MasterPublID = GetParam().MasterId;
    settings.MasterNewsBaseURL = GetParam().MasterUrl;
    settings.GoldPublID = GetParam().GoldId;
    settings.GoldNewsBaseURL = GetParam().GoldUrl;
    EXPECT_EQ(NewsButtonShown(settings), GetParam().Shown);
}

INSTANTIATE_TEST_SUITE_P(Editions, NewsButton,
                         testing::Values(NewsCase{"Master", "7", "http://m/", "", "", true},
                                         NewsCase{"Master", "7", "", "", "", false},
                                         NewsCase{"Free", "7", "http://m/", "", "", true},
                                         NewsCase{"Free", "", "", "9", "http://g/", false},
                                         NewsCase{"Gold", "", "", "9", "http://g/", true},
                                         NewsCase{"Gold", "7", "http://m/", "", "http://g/", false},
                                         NewsCase{"gold", "", "", "9", "http://g/", false},
                                         NewsCase{"Gold ", "", "", "9", "http://g/", false},
                                         NewsCase{"Platinum", "7", "http://m/", "9", "http://g/", false},
                                         NewsCase{"", "7", "http://m/", "9", "http://g/", false}));

TEST(BrandRules, WithoutASettingsFileEveryRuleKeepsTheBuiltInState)
{
    const TBrandSettings none;
    EXPECT_TRUE(NewsButtonShown(none));
    EXPECT_EQ(WindowCaption(none), "Taskwren");
    EXPECT_EQ(MakeMoneyCaption(none), "Make Money");
}

TEST(BrandRules, CaptionsComeFromTheSettingsWhenTheyAreGiven)
{
    TBrandSettings settings = Loaded();
    EXPECT_EQ(WindowCaption(settings), "Taskwren");
    settings.ApplicationName = "Doza Varazaz";
    settings.MakeMoneyButton = "Earn";
    EXPECT_EQ(WindowCaption(settings), "Doza Varazaz v2.0");
    EXPECT_EQ(MakeMoneyCaption(settings), "Earn");
}

TEST(BrandChoice, EntriesSplitIntoTextAndAddress)
{
    const std::pair<const char*, TEntryFields> cases[] = {
        {"pic.gif^http://a/", {"pic.gif", "http://a/"}},
        {"pic.gif", {"pic.gif", ""}},
        {"pic.gif^", {"pic.gif", ""}},
        {"^http://a/", {"", "http://a/"}},
        {"a^b^c", {"a", "b"}},
        {"", {"", ""}},
    };
    for (const auto& [entry, fields] : cases) {
        const TEntryFields got = SplitEntry(entry);
        EXPECT_EQ(got.Text, fields.Text) << entry;
        EXPECT_EQ(got.Address, fields.Address) << entry;
    }
}

TEST(BrandChoice, EachChoiceDrawsItsOwnIndexAndTheBannerKeepsItsNumber)
{
    TBrandSettings settings = Loaded();
    settings.Welcomes = {"<p>one</p>", "<p>two</p>"};
    settings.Banners = {"a.jpg^http://a/", "b.gif", "c.bmp^http://c/"};
    settings.Links = {"L1^http://1/", "L2^http://2/", "L3^http://3/"};
    TScriptedRandom random({1, 1, 2, 1});
    ChooseBrandEntries(settings, random);
    EXPECT_EQ(random.Counts, (std::vector<int>{2, 3, 3, 2}));
    EXPECT_EQ(settings.WelcomeText, "<p>two</p>");
    EXPECT_EQ(settings.BannerImage, "b.gif");
    EXPECT_EQ(settings.BannerURL, "");
    EXPECT_EQ(settings.BannerNumber, 2);
    // The second draw picks among the links left after the first was taken out.
    EXPECT_EQ(settings.Link1Caption, "L3");
    EXPECT_EQ(settings.Link1URL, "http://3/");
    EXPECT_EQ(settings.Link2Caption, "L2");
    EXPECT_EQ(settings.Link2URL, "http://2/");
}

TEST(BrandChoice, LinksWithoutAWebAddressAreDroppedBeforeTheDraws)
{
    TBrandSettings settings = Loaded();
    settings.Links = {"Dead", "Also dead^", "Local^file:///etc/passwd", "Live^http://live/"};
    TScriptedRandom random;
    ChooseBrandEntries(settings, random);
    EXPECT_EQ(random.Counts, (std::vector<int>{1}));
    EXPECT_EQ(settings.Link1Caption, "Live");
    EXPECT_EQ(settings.Link2Caption, "");
    EXPECT_EQ(settings.Link2URL, "");
    EXPECT_EQ(settings.BannerNumber, 0);
    EXPECT_EQ(settings.WelcomeText, "");
}

TEST(BrandChoice, AnAnswerOutOfRangeStillPicksAnEntry)
{
    TBrandSettings settings = Loaded();
    settings.Banners = {"a.jpg^http://a/", "b.jpg^http://b/"};
    TScriptedRandom random({7});
    ChooseBrandEntries(settings, random);
    EXPECT_EQ(settings.BannerNumber, 2);
}

TEST(SeededRandom, DrawsInQuickSuccessionAreIndependent)
{
    // Two generators made within the same millisecond, as a clock-seeded one would be.
    TSeededRandom first, second;
    std::vector<int> a, b;
    std::set<int> seen;
    for (int i = 0; i < 64; ++i) {
        a.push_back(first.Below(1000));
        b.push_back(second.Below(1000));
        seen.insert(first.Below(4));
    }
    EXPECT_NE(a, b);
    EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(first.Below(1), 0);
    EXPECT_EQ(first.Below(0), 0);
}
