// The news client against a scripted service: addresses, fields, answer parsing and the
// error table, without a network.

#include "news/UNewsClient.h"
#include "news/UNewsEdition.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class UNewsClient : public ::testing::Test {
protected:
    UNewsClient()
    {
        Settings.MasterNewsBaseURL = "http://news.example/pub";
        Settings.GoldNewsBaseURL = "http://news.example/gold/";
    }

    std::string Post(const std::string& address, const std::vector<FormField>& fields)
    {
        Addresses.push_back(address);
        Fields = fields;
        if (Fails)
            throw std::runtime_error("refused");
        return Answer;
    }

    TBrandSettings Settings;
    TNewsClient Client{Settings, [this](const std::string& a, const std::vector<FormField>& f) { return Post(a, f); },
                       [this](std::string_view message) { Warnings.emplace_back(message); }};
    std::string Answer;
    bool Fails = false;
    std::vector<std::string> Addresses;
    std::vector<FormField> Fields;
    std::vector<std::string> Warnings;
};

std::vector<std::string> Names(const std::vector<FormField>& fields)
{
    std::vector<std::string> names;
    for (const FormField& field : fields)
        names.push_back(field.Name + "=" + field.Value);
    return names;
}

TEST_F(UNewsClient, EachRequestPostsItsSixFieldsToItsScriptBehindOneSlash)
{
    Answer = "OK";
    std::vector<std::string> list;
    std::string id, title, body;
    ASSERT_TRUE(Client.FetchNewsList("pub1", "TW", "BM", "UA", list));
    EXPECT_EQ(Names(Fields),
              (std::vector<std::string>{"memusername=pub1", "prodcode=TW", "prodtype=BM", "conttype=all",
                                        "newstarget=UA", "something="}));
    ASSERT_TRUE(Client.FetchLastNews("pub1", "TW", true, "BG", "UA", id, title));
    EXPECT_EQ(Fields[3].Name + "=" + Fields[3].Value, "conttype=lastcode");
    ASSERT_TRUE(Client.FetchNewsDetails("pub1", "TW", "BG", "UA", "42", body));
    EXPECT_EQ(Names(Fields),
              (std::vector<std::string>{"memusername=pub1", "prodcode=TW", "prodtype=BG", "newsid=42", "newstarget=UA",
                                        "something="}));
    EXPECT_EQ(
        Addresses,
        (std::vector<std::string>{"http://news.example/pub/getlastnews.php", "http://news.example/gold/getlastnews.php",
                                  "http://news.example/gold/getnewsdetails.php"}));
}

TEST_F(UNewsClient, ListAppendsTheRecordsInOrderSkippingEmptyPieces)
{
    std::vector<std::string> list{"kept"};
    Answer = " \r\n3^Third^Dec 9\xAF\xAF"
             "2^Second^Dec 8\xAF"
             "1^First^Dec 7\xAFOK\r\n";
    ASSERT_TRUE(Client.FetchNewsList("p", "c", "BM", "UA", list));
    EXPECT_EQ(list, (std::vector<std::string>{"kept", "3^Third^Dec 9", "2^Second^Dec 8", "1^First^Dec 7"}));

    for (const char* nothing : {"OK", "\xAF\xAFOK", "\xAFOK"}) {
        Answer = nothing;
        EXPECT_TRUE(Client.FetchNewsList("p", "c", "BM", "UA", list)) << nothing;
    }
    EXPECT_EQ(list.size(), 4U);
    EXPECT_TRUE(Warnings.empty());
}

TEST_F(UNewsClient, HeadlineGivesTheNewestIdAndTitleOrNoNews)
{
    std::string id = "old", title = "caller's";
    Answer = "7^Spring sale\xAFOK";
    ASSERT_TRUE(Client.FetchLastNews("p", "c", false, "BM", "UA", id, title));
    EXPECT_EQ(id, "7");
    EXPECT_EQ(title, "Spring sale");

    title = "caller's";
    Answer = "OK";
    ASSERT_TRUE(Client.FetchLastNews("p", "c", false, "BM", "UA", id, title));
    EXPECT_EQ(id, "");
    EXPECT_EQ(title, "caller's");

    Answer = "9\xAFOK"; // no title: it reads as empty
    ASSERT_TRUE(Client.FetchLastNews("p", "c", false, "BM", "UA", id, title));
    EXPECT_EQ(id, "9");
    EXPECT_EQ(title, "");
}

TEST_F(UNewsClient, BodyIsDecodedAndAMalformedEscapeStillSucceedsEmpty)
{
    std::string body = "old";
    Answer = "$3Cb$3E$24 5$0D$0A\xAFOK";
    ASSERT_TRUE(Client.FetchNewsDetails("p", "c", "BM", "UA", "1", body));
    EXPECT_EQ(body, "<b>$ 5\r\n");
    Answer = "<p>$Z1</p>\xAFOK";
    EXPECT_TRUE(Client.FetchNewsDetails("p", "c", "BM", "UA", "1", body));
    EXPECT_EQ(body, "");
}

struct TErrorCase {
    std::string Answer;
    TNewsRequest Request;
    std::string Warning; // empty: none
};

class UNewsClientErrors : public UNewsClient, public ::testing::WithParamInterface<TErrorCase> { };

TEST_P(UNewsClientErrors, FailedAnswersWarnByTheWholeAnswerAndLeaveTheOutputsEmpty)
{
    const TErrorCase& c = GetParam();
    Answer = c.Answer;
    std::vector<std::string> list{"kept"};
    std::string id = "old", title = "old", body = "old";
    bool result = true;
    switch (c.Request) {
    case TNewsRequest::List:
        result = Client.FetchNewsList("p", "c", "BM", "UA", list);
        break;
    case TNewsRequest::LastNews:
        result = Client.FetchLastNews("p", "c", false, "BM", "UA", id, title);
        break;
    case TNewsRequest::Details:
        result = Client.FetchNewsDetails("p", "c", "BM", "UA", "1", body);
        break;
    }
    EXPECT_FALSE(result);
    EXPECT_EQ(Warnings, c.Warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.Warning});
    EXPECT_EQ(list, std::vector<std::string>{"kept"});
    EXPECT_EQ(id, c.Request == TNewsRequest::LastNews ? "" : "old");
    EXPECT_EQ(body, c.Request == TNewsRequest::Details ? "" : "old");
}

INSTANTIATE_TEST_SUITE_P(
    Table, UNewsClientErrors,
    ::testing::Values(
        TErrorCase{"", TNewsRequest::List, "There is a trouble accessing the news site. Contact your provider."},
        TErrorCase{" \r\n", TNewsRequest::LastNews,
                   "There is a trouble accessing the news site. Contact your provider."},
        TErrorCase{"CONNECTIONFAIL", TNewsRequest::Details,
                   "There is a trouble in the settings file on the news site."},
        TErrorCase{"\nINVALIDUSER ", TNewsRequest::List,
                   "There is a trouble with the Publisher Id. Contact your provider."},
        TErrorCase{"INVALIDPRODUCT", TNewsRequest::LastNews,
                   "There is a trouble with the product validation. Contact your provider."},
        TErrorCase{"INVALIDNEWS", TNewsRequest::Details, "There is a trouble with this news. Contact your provider."},
        TErrorCase{"INVALIDNEWS", TNewsRequest::List, ""}, TErrorCase{"invaliduser", TNewsRequest::List, ""},
        TErrorCase{"Ok", TNewsRequest::Details, ""}, TErrorCase{"INVALIDUSER!", TNewsRequest::List, ""}));

TEST_F(UNewsClient, TransferFailuresReadAsAnEmptyAnswerAndSilenceHidesThem)
{
    Fails = true;
    std::string id = "old", title;
    EXPECT_FALSE(Client.FetchLastNews("p", "c", true, "BM", "UA", id, title));
    EXPECT_EQ(id, "");
    EXPECT_TRUE(Warnings.empty());

    std::vector<std::string> list;
    EXPECT_FALSE(Client.FetchNewsList("p", "c", "BM", "UA", list));
    EXPECT_EQ(Warnings, std::vector<std::string>{"There is a trouble accessing the news site. Contact your provider."});
}

TEST_F(UNewsClient, AnyAnswerHoldingOkSucceeds)
{
    std::vector<std::string> list;
    Answer = "INVALIDUSER but OK";
    EXPECT_TRUE(Client.FetchNewsList("p", "c", "BM", "UA", list));
    EXPECT_EQ(list, std::vector<std::string>{"INVALIDUSER but OK"});
    EXPECT_TRUE(Warnings.empty());
}

TEST(UNewsEdition, OnlyTheThreePaidEditionsWithAPublisherIdMakeRequests)
{
    TBrandSettings settings;
    settings.MasterPublID = "m";
    settings.PlatinumPublID = "p";
    for (const auto& [edition, expected] : std::vector<std::pair<std::string, std::string>>{
             {"Master", "m/BM"}, {"Platinum", "p/BP"}, {"Gold", ""}, {"Free", ""}, {"master", ""}, {"", ""}}) {
        settings.BranderType = edition;
        const auto request = NewsEditionOf(settings);
        EXPECT_EQ(request ? request->PublisherId + "/" + request->ProductType : "", expected) << edition;
    }
}

TEST(UNewsAnswers, NewsIdsAreDecimalIntegersOrZero)
{
    for (const auto& [text, value] :
         std::vector<std::pair<std::string, std::int64_t>>{{"7", 7},
                                                           {"+7", 7},
                                                           {"-3", -3},
                                                           {"007", 7},
                                                           {"", 0},
                                                           {"7a", 0},
                                                           {" 7", 0},
                                                           {"+-7", 0},
                                                           {"0x10", 0},
                                                           {"99999999999999999999", 0},
                                                           {"9223372036854775807", 9223372036854775807}})
        EXPECT_EQ(NewsIdValue(text), value) << text;
}

TEST(UNewsAnswers, ShortRecordsReadTheirMissingFieldsAsEmpty)
{
    const TNewsRecord record = SplitNewsRecord("5^Title only");
    EXPECT_EQ(record.Id, "5");
    EXPECT_EQ(record.Title, "Title only");
    EXPECT_EQ(record.Published, "");
    EXPECT_EQ(SplitNewsRecord("1^a^b^c").Published, "b");
}

// A 2 MB title stalled the news window at each selection and the balloon at start.
TEST(UNewsAnswers, LongFieldsAreCutBeforeAnythingLaysThemOut)
{
    const std::string huge(2'000'000, 'T');
    const TNewsRecord record = SplitNewsRecord("5^" + huge + "^" + huge);
    EXPECT_EQ(record.Title, std::string(MaxNewsFieldLength, 'T'));
    EXPECT_EQ(record.Published.size(), MaxNewsFieldLength);
    EXPECT_EQ(ParseLastNews("9^" + huge + "\xAFOK").Title, std::string(MaxNewsFieldLength, 'T'));
    EXPECT_EQ(SplitNewsRecord("5^" + std::string(255, 'x') + "^9 December 2026").Title, std::string(255, 'x'));
}

} // namespace
