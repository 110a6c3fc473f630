// Reading the settings text: the working text, the moving reading position and the lists.
#include "brand/UBrandSettingsReader.h"

#include <gtest/gtest.h>

namespace {

std::string Element(const std::string& name, const std::string& value)
{
    return "<%%" + name + "%%>" + value + "<%%/" + name + "%%>\r\n";
}

std::string List(const std::string& name, std::initializer_list<int> numbers)
{
    std::string text;
    for (int n : numbers)
        text += Element(name + std::to_string(n), name + " " + std::to_string(n));
    return text;
}

struct WorkingCase {
    std::string Plain;
    std::string Working;
};

class WorkingTextOf : public testing::TestWithParam<WorkingCase> { };

struct ExtractCase {
    std::string Text;
    std::string Value;
    std::string Rest; // the working text afterwards
};

class ExtractTagValueOf : public testing::TestWithParam<ExtractCase> { };

} // namespace

TEST_P(WorkingTextOf, EveryLineEndsInCrLfAndANulEndsTheText)
{
    EXPECT_EQ(WorkingText(GetParam().Plain), GetParam().Working);
}

INSTANTIATE_TEST_SUITE_P(Breaks, WorkingTextOf,
                         testing::Values(WorkingCase{"", ""}, WorkingCase{"a", "a\r\n"},
                                         WorkingCase{"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
                                         WorkingCase{"a\r\n", "a\r\n"}, WorkingCase{"\n\r\r\n", "\r\n\r\n\r\n"},
                                         WorkingCase{std::string("a\nb\0c\n", 6), "a\r\nb\r\n"},
                                         WorkingCase{std::string("\0a", 2), ""}));

TEST_P(ExtractTagValueOf, FindsTheValueAndMovesTheReadingPosition)
{
    std::string_view text = GetParam().Text;
    EXPECT_EQ(ExtractTagValue("<%%Name%%>", "<%%/Name%%>", text), GetParam().Value);
    EXPECT_EQ(text, GetParam().Rest);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtractTagValueOf,
                         testing::Values(ExtractCase{"x<%%Name%%>v<%%/Name%%>y", "v", "<%%/Name%%>y"},
                                         ExtractCase{"<%%name%%> v\r\nw <%%/NAME%%>", " v\r\nw ", "<%%/NAME%%>"},
                                         ExtractCase{"<%%Other%%>v<%%/Name%%>", "", "<%%Other%%>v<%%/Name%%>"},
                                         ExtractCase{"<%%Name%%>v<%%/Other%%>", "", "v<%%/Other%%>"},
                                         ExtractCase{"<%%Name%%><%%/Name%%><%%Name%%>w<%%/Name%%>", "",
                                                     "<%%/Name%%><%%Name%%>w<%%/Name%%>"},
                                         ExtractCase{"<%%N\xC1ME%%>v<%%/Name%%>", "", "<%%N\xC1ME%%>v<%%/Name%%>"}));

TEST(BrandSettingsReader, AnElementBeforeOneReadEarlierIsNeverFound)
{
    const std::string about = Element("AboutText", "About us"), name = Element("ApplicationName", "Doza Varazaz");
    const TBrandSettings outOfOrder = ParseBrandSettings(about + name);
    EXPECT_EQ(outOfOrder.ApplicationName, "Doza Varazaz");
    EXPECT_EQ(outOfOrder.AboutText, "");
    const TBrandSettings inOrder = ParseBrandSettings(name + about);
    EXPECT_EQ(inOrder.ApplicationName, "Doza Varazaz");
    EXPECT_EQ(inOrder.AboutText, "About us");
}

TEST(BrandSettingsReader, AMissingElementDoesNotMoveTheReadingPosition)
{
    // BranderCode is absent; BranderType, read after it, is still found from where
    // ApplicationName ended.
    const TBrandSettings settings =
        ParseBrandSettings(Element("ApplicationName", "A") + Element("BranderType", "Gold") + "trailing text");
    EXPECT_EQ(settings.BranderType, "Gold");
    EXPECT_TRUE(settings.Loaded);
}

TEST(BrandSettingsReader, TagsMatchInAnyLetterCase)
{
    const TBrandSettings settings = ParseBrandSettings("<%%applicationname%%>Doza Varazaz<%%/APPLICATIONNAME%%>\r\n");
    EXPECT_EQ(settings.ApplicationName, "Doza Varazaz");
}

TEST(BrandSettingsReader, EveryUpperCaseAffiliateMarkerIsReplacedOnce)
{
    const TBrandSettings settings = ParseBrandSettings(
        Element("AffiliateURL", "http://a.example/?x=%%AFFILIATEID%%&y=%%AFFILIATEID%%&z=%%affiliateid%%") +
        Element("AffiliateID", "42"));
    EXPECT_EQ(settings.AffiliateURL, "http://a.example/?x=42&y=42&z=%%affiliateid%%");

    // An id that holds the marker itself is put in as it is, not replaced again.
    const TBrandSettings looping =
        ParseBrandSettings(Element("AffiliateURL", "%%AFFILIATEID%%") + Element("AffiliateID", "<%%AFFILIATEID%%>"));
    EXPECT_EQ(looping.AffiliateURL, "<%%AFFILIATEID%%>");
}

TEST(BrandSettingsReader, ListsEndAtTheFirstGapAndHoldAtMostSixteen)
{
    std::string banners;
    for (int n = 1; n <= 17; ++n)
        banners += Element("Banner" + std::to_string(n), "b" + std::to_string(n) + ".jpg^http://b.example/");
    const TBrandSettings settings =
        ParseBrandSettings(List("Welcome", {1, 2, 4}) + banners + Element("Link1", "One^http://one.example/") +
                           "<%%Link2%%>Two^http://two.example/\r\n" + List("Link", {3}));
    EXPECT_EQ(settings.Welcomes, (std::vector<std::string>{"Welcome 1", "Welcome 2"}));
    ASSERT_EQ(settings.Banners.size(), 16u);
    EXPECT_EQ(settings.Banners.back(), "b16.jpg^http://b.example/");
    // Link2 has no close tag: it reads as empty and ends the list.
    EXPECT_EQ(settings.Links, (std::vector<std::string>{"One^http://one.example/"}));
}

TEST(BrandSettingsReader, AnEmptyEntryEndsItsListAndTheNextListStillReads)
{
    const TBrandSettings settings =
        ParseBrandSettings(Element("Welcome1", "") + List("Welcome", {2}) + List("Banner", {1}));
    EXPECT_TRUE(settings.Welcomes.empty());
    // Welcome2 was never looked for, so Banner1 is found after it.
    EXPECT_EQ(settings.Banners, (std::vector<std::string>{"Banner 1"}));
}

TEST(BrandSettingsReader, TheTraceTellsWhereEachElementWasFound)
{
    std::vector<TElementRead> reads;
    const std::string text = Element("ApplicationName", "A") + "<%%BranderCode%%>open";
    ParseBrandSettings(text, &reads);
    ASSERT_GE(reads.size(), 3u);
    EXPECT_EQ(reads[0].Name, "ApplicationName");
    EXPECT_EQ(reads[0].Offset, 0u);
    EXPECT_TRUE(reads[0].Closed);
    EXPECT_EQ(reads[1].Offset, text.find("<%%BranderCode"));
    EXPECT_FALSE(reads[1].Closed);
    EXPECT_EQ(reads[2].Offset, std::string::npos);
    EXPECT_EQ(reads.back().Name, "Link1");
}
