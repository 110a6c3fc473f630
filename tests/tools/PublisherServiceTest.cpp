// The reference publisher service asked as the program asks it: multipart posts through the
// program's own HTTP client to PHP's built-in server, the raw answers checked byte for byte.

#include "TPublisherService.h"

#include "common/UUtils.h"
#include "http/HttpTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

const std::string EndMarker = "\xAF"
                              "OK";

// UTF-8 in the database: blanks at both ends, "$", é, €, Ω (not in Windows-1252), a line
// break, the macron (0xAF in Windows-1252) and "OK", so that it holds the end marker.
const std::string TrickyBody = "  <p>$5 \xC3\xA9 \xE2\x82\xAC \xCE\xA9</p>\r\n\xC2\xAFOK ";

void AddNews(const TPublisherService& service, const std::string& publisher, const std::string& editions,
             const std::string& title, const std::string& published, const std::string& body,
             const std::string& target = "UA")
{
    service.Admin({"add-news", "--publisher", publisher, "--product", "TW", "--editions", editions, "--title", title,
                   "--published", published, "--body", body, "--target", target});
}

// One service for the suite; its news get the ids 1 to 5 in the order added here.
const TPublisherService& Service()
{
    static const TPublisherService service;
    static const bool seeded = [] {
        for (const std::vector<std::string>& command :
             std::vector<std::vector<std::string>>{{"add-publisher", "P1", "Publisher One"},
                                                   {"add-product", "P1", "TW"},
                                                   {"add-product", "P1", "EMPTY"},
                                                   {"add-publisher", "P2"},
                                                   {"add-product", "P2", "TW"}})
            service.Admin(command);
        AddNews(service, "P1", "BM,BP,BG", "Welcome", "2026-01-05", "<p>Hello</p>");
        AddNews(service, "P1", "BP", "Platinum only", "2026-02-01", "<p>BP</p>");
        AddNews(service, "P1", "bm,BG", "Caf\xC3\xA9 \xE2\x82\xAC \xCE\xA9", "2026-03-01", TrickyBody);
        AddNews(service, "P2", "BM", "Other publisher", "2026-03-02", "<p>P2</p>");
        AddNews(service, "P1", "BM", "Elsewhere", "2026-04-01", "<p>XX</p>", "XX");
        return true;
    }();
    (void)seeded;
    return service;
}

// The six fields of every request, in the program's order.
std::vector<FormField> Fields(const std::string& publisher, const std::string& product, const std::string& edition,
                              const FormField& fourth, const std::string& target = "UA")
{
    return {{"memusername", publisher}, {"prodcode", product}, {"prodtype", edition}, fourth,
            {"newstarget", target},     {"something", ""}};
}

class PublisherService : public testing::Test {
protected:
    std::string Post(const std::string& script, const std::vector<FormField>& fields,
                     const TPublisherService& service = Service())
    {
        return Client.PostForm(service.BaseAddress() + script, fields);
    }
    std::string List(const std::string& edition, const std::string& product = "TW", const std::string& target = "UA")
    {
        return Post("getlastnews.php", Fields("P1", product, edition, {"conttype", "all"}, target));
    }
    std::string Headline(const std::string& edition, const std::string& product = "TW")
    {
        return Post("getlastnews.php", Fields("P1", product, edition, {"conttype", "lastcode"}));
    }
    std::string Body(const std::string& id)
    {
        return Post("getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", id}));
    }

    TCountingPump Pump;
    TFixedClock Clock;
    THttpClient Client{Pump, Clock, FastOptions()};
};

} // namespace

TEST_F(PublisherService, ListsTheNewsOfTheEditionAndTargetNewestFirst)
{
    const std::string welcome = "1^Welcome^2026-01-05" + EndMarker;
    const std::string cafe = "3^Caf\xE9 \x80 ?^2026-03-01\xAF";
    EXPECT_EQ(List("BM"), cafe + welcome);
    EXPECT_EQ(List("BG"), cafe + welcome);
    EXPECT_EQ(List("BP"), "2^Platinum only^2026-02-01\xAF" + welcome);
    EXPECT_EQ(List("BM", "TW", "XX"), "5^Elsewhere^2026-04-01" + EndMarker);
    EXPECT_EQ(List("BM", "EMPTY"), "OK");
}

TEST_F(PublisherService, HeadlineIsTheNewestNewsOfTheEdition)
{
    EXPECT_EQ(Headline("BM"), "3^Caf\xE9 \x80 ?" + EndMarker);
    EXPECT_EQ(Headline("BP"), "2^Platinum only" + EndMarker);
    EXPECT_EQ(Headline("BM", "EMPTY"), "OK");
}

TEST_F(PublisherService, BodyEscapesEveryByteTheProgramCouldLose)
{
    EXPECT_EQ(Body("1"), "<p>Hello</p>" + EndMarker);

    const std::string answer = Body("3");
    ASSERT_TRUE(answer.ends_with(EndMarker)) << answer;
    const std::string escaped = answer.substr(0, answer.size() - EndMarker.size());
    for (const char c : escaped)
        ASSERT_TRUE(c >= '!' && c <= '~') << escaped;
    const std::string decoded = DecodeHexEscapes(escaped);
    // Windows-1252, with the character it lacks as an HTML character reference.
    EXPECT_EQ(decoded, "  <p>$5 \xE9 \x80 &#937;</p>\r\n\xAFOK ");
}

TEST_F(PublisherService, ErrorAnswersSayWhatIsUnknown)
{
    struct Case {
        std::string Script;
        std::vector<FormField> Fields;
        std::string Answer;
    };
    const FormField all{"conttype", "all"};
    const std::vector<Case> cases{
        {"getlastnews.php", Fields("P9", "TW", "BM", all), "INVALIDUSER"},
        {"getlastnews.php", Fields("p1", "TW", "BM", all), "INVALIDUSER"},
        {"getlastnews.php", {}, "INVALIDUSER"},
        {"getnewsdetails.php", Fields("P9", "TW", "BM", {"newsid", "1"}), "INVALIDUSER"},
        {"getlastnews.php", Fields("P1", "NONE", "BM", all), "INVALIDPRODUCT"},
        {"getlastnews.php", Fields("P2", "EMPTY", "BM", all), "INVALIDPRODUCT"},
        {"getlastnews.php", Fields("P1", "TW", "BX", all), "INVALIDPRODUCT"},
        {"getlastnews.php", Fields("P1", "TW", "BM", {"conttype", "everything"}), "INVALIDPRODUCT"},
        {"getnewsdetails.php", Fields("P1", "TW", "BX", {"newsid", "1"}), "INVALIDPRODUCT"},
        {"getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "99"}), "INVALIDNEWS"},
        {"getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "2"}), "INVALIDNEWS"}, // Platinum only
        {"getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "4"}), "INVALIDNEWS"}, // P2's
        {"getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "5"}), "INVALIDNEWS"}, // target XX
        {"getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "1 "}), "INVALIDNEWS"},
    };
    for (const Case& c : cases) {
        std::string asked = c.Script;
        for (const FormField& field : c.Fields)
            asked += " " + field.Name + "=" + field.Value;
        EXPECT_EQ(Post(c.Script, c.Fields), c.Answer) << asked;
    }
}

TEST_F(PublisherService, ADatabaseThatCannotBeReadAnswersConnectionFail)
{
    const TPublisherService service;
    service.Admin({"add-publisher", "P1"});
    const FormField all{"conttype", "all"};
    ASSERT_EQ(Post("getlastnews.php", Fields("P1", "TW", "BM", all), service), "INVALIDPRODUCT");

    std::filesystem::remove(service.DatabaseFile());
    EXPECT_EQ(Post("getlastnews.php", Fields("P1", "TW", "BM", all), service), "CONNECTIONFAIL");
    EXPECT_FALSE(std::filesystem::exists(service.DatabaseFile())) << "the service creates no database";
    WriteWhole(service.DatabaseFile(), ""); // a database without tables
    EXPECT_EQ(Post("getnewsdetails.php", Fields("P1", "TW", "BM", {"newsid", "1"}), service), "CONNECTIONFAIL");
}

TEST_F(PublisherService, UpdateDescriptionIsServedAndTheScriptsRefuseGet)
{
    std::ostringstream description;
    Client.GetToStream(Service().UpdateBaseAddress() + "mainappupdate.inf", description);
    EXPECT_EQ(description.str(), "[APPLICATION]\nName=Taskwren\nVersion=2.0\n");
    std::ostringstream ignored;
    EXPECT_NE(FailureOf([&] { Client.GetToStream(Service().BaseAddress() + "getlastnews.php", ignored); }),
              "no exception");
}

TEST_F(PublisherService, AdminRefusesTextsTheProgramWouldSplit)
{
    const std::vector<std::string> base{"add-news", "--publisher", "P1", "--product", "TW", "--editions", "BM"};
    const std::vector<std::vector<std::string>> refused{
        {"--title", "a^b", "--published", "x", "--body", "b"},
        {"--title", "a\xC2\xAF", "--published", "x", "--body", "b"},
        {"--title", "a\r\nb", "--published", "x", "--body", "b"},
        {"--title", "a", "--published", "x\ty", "--body", "b"},
        {"--title", "a", "--published", "", "--body", "b"},
        {"--title", "\xE9", "--published", "x", "--body", "b"}, // not UTF-8
        {"--title", "a", "--published", "x", "--body", "b", "--editions", "BX"},
        {"--title", "a", "--published", "x"},
    };
    for (const std::vector<std::string>& options : refused) {
        std::vector<std::string> arguments = base;
        arguments.insert(arguments.end(), options.begin(), options.end());
        const TAdminRun run = Service().RunAdmin(arguments);
        EXPECT_NE(run.Status, 0) << options[1];
        EXPECT_FALSE(run.Err.empty()) << options[1];
    }
    EXPECT_EQ(List("BM"),
              "3^Caf\xE9 \x80 ?^2026-03-01\xAF"
              "1^Welcome^2026-01-05" +
                  EndMarker);
}

TEST_F(PublisherService, AdminNeverGivesAnIdTwice)
{
    const std::vector<std::string> add{"add-news",   "--publisher", "P1",      "--product", "EMPTY",
                                       "--editions", "BG,BM",       "--title", "Scratch",   "--published",
                                       "now",        "--body-file", "-"};
    const TAdminRun first = Service().RunAdmin(add, "\xEF\xBB\xBF<p>from standard input</p>");
    ASSERT_EQ(first.Status, 0) << first.Err;
    const std::string id = first.Out.substr(0, first.Out.find('\n'));
    EXPECT_EQ(Service().Admin({"list-news", "--product", "EMPTY"}),
              "id\tpublisher\tproduct\teditions\ttarget\tpublished\ttitle\n" + id +
                  "\tP1\tEMPTY\tBG,BM\tUA\tnow\tScratch\n");
    EXPECT_EQ(Post("getnewsdetails.php", Fields("P1", "EMPTY", "BG", {"newsid", id})),
              "<p>from$20standard$20input</p>" + EndMarker)
        << "without the byte order mark";

    Service().Admin({"remove-news", id});
    EXPECT_EQ(Service().RunAdmin({"remove-news", id}).Status, 1);
    EXPECT_EQ(Headline("BM", "EMPTY"), "OK");
    const TAdminRun second = Service().RunAdmin(add, "<p>again</p>");
    ASSERT_EQ(second.Status, 0) << second.Err;
    EXPECT_GT(std::stoi(second.Out), std::stoi(id));
    Service().Admin({"remove-news", std::to_string(std::stoi(second.Out))});
}
