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

const std::string ListHeader = "id\tpublisher\tproduct\teditions\ttarget\tpublished\ttitle\n";

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

    service.RemoveDatabase();
    EXPECT_EQ(Post("getlastnews.php", Fields("P1", "TW", "BM", all), service), "CONNECTIONFAIL");
    EXPECT_FALSE(service.DatabaseExists()) << "the service creates no database";
    service.CreateEmptyDatabase(); // a database without tables
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
        {"--title", "a", "--published", "x", "--body", "a\x01" "b"}, // PostgreSQL would cut at a NUL
        {"--title", "a", "--published", "x", "--body", "b", "--target", "UA\n"}, // "$" matches before it
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
    const std::string id = AddedNewsId(first.Out);
    EXPECT_EQ(first.Out,
              "added news " + id + " for product \"EMPTY\" of publisher \"P1\", editions BG,BM, target \"UA\"\n");
    EXPECT_EQ(Service().Admin({"list-news", "--product", "EMPTY"}),
              ListHeader + id + "\tP1\tEMPTY\tBG,BM\tUA\tnow\tScratch\n");
    EXPECT_EQ(Post("getnewsdetails.php", Fields("P1", "EMPTY", "BG", {"newsid", id})),
              "<p>from$20standard$20input</p>" + EndMarker)
        << "without the byte order mark";

    EXPECT_EQ(Service().Admin({"remove-news", id}), "removed news " + id + "\n");
    EXPECT_EQ(Service().RunAdmin({"remove-news", id}).Status, 1);
    EXPECT_EQ(Headline("BM", "EMPTY"), "OK");
    const TAdminRun second = Service().RunAdmin(add, "<p>again</p>");
    ASSERT_EQ(second.Status, 0) << second.Err;
    EXPECT_GT(std::stoi(AddedNewsId(second.Out)), std::stoi(id));
    Service().Admin({"remove-news", AddedNewsId(second.Out)});
}

TEST_F(PublisherService, EveryComparisonIsExact)
{
    // MariaDB's text collations took "ua" and "UA " for "UA", and "p1" for "P1".
    EXPECT_EQ(List("BM", "TW", "ua"), "OK");
    EXPECT_EQ(List("BM", "TW", "UA "), "OK");
    EXPECT_EQ(List("BM", "TW "), "INVALIDPRODUCT");
    EXPECT_EQ(Post("getlastnews.php", Fields("P1 ", "TW", "BM", {"conttype", "all"})), "INVALIDUSER");
    EXPECT_EQ(Service().Admin({"list-news", "--publisher", "p1"}), ListHeader);
    EXPECT_EQ(Service().Admin({"list-news", "--product", "tw"}), ListHeader);
    // Beyond the INTEGER of PostgreSQL and MySQL: no such news, rather than a failed query.
    for (const std::string id : {"2147483648", "999999999999999999"}) {
        EXPECT_EQ(Body(id), "INVALIDNEWS") << id;
        EXPECT_EQ(Service().RunAdmin({"remove-news", id}).Err, "admin.php: no news " + id + "\n");
    }
}

TEST_F(PublisherService, AdminSaysInOneLineWhatItDidOrWhatExists)
{
    const TPublisherService service;
    EXPECT_EQ(service.Admin({"init"}), "the tables are ready; nothing changed\n");
    EXPECT_EQ(service.Admin({"add-publisher", "P1", "Caf\xC3\xA9"}), "added publisher \"P1\" (Caf\xC3\xA9)\n");
    EXPECT_EQ(service.Admin({"add-publisher", "p1"}), "added publisher \"p1\"\n");
    EXPECT_EQ(service.Admin({"add-product", "P1", "TW", "Doza"}), "added product \"TW\" (Doza) of publisher \"P1\"\n");
    EXPECT_EQ(service.RunAdmin({"add-publisher", "P1"}).Err, "admin.php: publisher \"P1\" exists already\n");
    EXPECT_EQ(service.RunAdmin({"add-product", "P1", "TW"}).Err,
              "admin.php: product \"TW\" of publisher \"P1\" exists already\n");
}

TEST_F(PublisherService, InitMakesAnOlderDatabaseCompareExactlyAndListsOtherTargets)
{
    const TPublisherService service;
    // The tables as the service made them before; MariaDB compared their keys without letter case.
    for (const char* table : {"publishers", "products", "news", "news_editions"})
        service.Sql(std::string("DROP TABLE ") + table);
    service.Sql("CREATE TABLE publishers (id VARCHAR(64) NOT NULL PRIMARY KEY, name VARCHAR(200) NOT NULL)");
    service.Sql("CREATE TABLE products (publisher_id VARCHAR(64) NOT NULL, code VARCHAR(64) NOT NULL,"
                " name VARCHAR(200) NOT NULL, PRIMARY KEY (publisher_id, code))");
    service.Sql("CREATE TABLE news (id INTEGER NOT NULL PRIMARY KEY, publisher_id VARCHAR(64) NOT NULL,"
                " product_code VARCHAR(64) NOT NULL, target VARCHAR(16) NOT NULL, title VARCHAR(255) NOT NULL,"
                " published VARCHAR(100) NOT NULL, body TEXT NOT NULL)");
    service.Sql("CREATE TABLE news_editions (news_id INTEGER NOT NULL, edition CHAR(2) NOT NULL,"
                " PRIMARY KEY (news_id, edition))");
    service.Sql("INSERT INTO publishers VALUES ('P1', '')");
    service.Sql("INSERT INTO products VALUES ('P1', 'TW', '')");
    service.Sql(
        "INSERT INTO news VALUES (1, 'P1', 'TW', 'UA', 'Exact', 'x', 'b'), (2, 'P1', 'TW', 'ua', 'Lower', 'x', 'b'),"
        " (3, 'P1', 'TW', 'UA ', 'Blank', 'x', 'b')");
    service.Sql("INSERT INTO news_editions VALUES (1, 'BM'), (2, 'BM'), (3, 'BM')");

    const std::string init = service.Admin({"init"});
    EXPECT_NE(init.find("news 2 has the target \"ua\", not \"UA\""), std::string::npos) << init;
    EXPECT_NE(init.find("news 3 has the target \"UA \", not \"UA\""), std::string::npos) << init;
    if (service.Driver() == "mysql") {
        EXPECT_NE(init.find("made publishers.id, products.publisher_id, products.code, news.publisher_id,"
                            " news.product_code, news.target, news_editions.edition compare exactly"),
                  std::string::npos)
            << init;
    }
    EXPECT_EQ(Post("getlastnews.php", Fields("P1", "TW", "BM", {"conttype", "all"}), service), "1^Exact^x" + EndMarker);
    EXPECT_EQ(service.Admin({"add-publisher", "p1"}), "added publisher \"p1\"\n");
}

TEST_F(PublisherService, AdminMeasuresABodyBeforeReadingIt)
{
    const TTempFolder folder;
    const std::string largest(1048576, 'a');
    WriteWhole(folder.File("over.html"), largest + "a");
    WriteWhole(folder.File("huge.html"), "");
    std::filesystem::resize_file(folder.File("huge.html"), 30000000); // took 140 s to refuse when read first
    std::vector<std::string> add{"add-news", "--publisher", "P1",  "--product",   "EMPTY", "--editions",
                                 "BM",       "--title",     "Big", "--published", "now",   "--body-file"};
    const std::vector<std::pair<std::string, std::string>> refused{
        {"/dev/zero", "\"/dev/zero\" is no regular file"},
        {folder.Path().string(), "is a folder"},
        {folder.File("huge.html"), "holds 30000000 bytes; a body holds at most 1 MiB"},
        {folder.File("over.html"), "holds 1048577 bytes"},
    };
    for (const auto& [file, says] : refused) {
        add.push_back(file);
        const TAdminRun run = Service().RunAdmin(add);
        add.pop_back();
        EXPECT_EQ(run.Status, 1) << file;
        EXPECT_NE(run.Err.find(says), std::string::npos) << run.Err;
    }
    add.push_back("-");
    EXPECT_NE(Service().RunAdmin(add, largest + "a").Err.find("standard input holds 1048577 bytes"), std::string::npos);
    const TAdminRun added = Service().RunAdmin(add, "\xEF\xBB\xBF" + largest);
    ASSERT_EQ(added.Status, 0) << added.Err;
    Service().Admin({"remove-news", AddedNewsId(added.Out)});
}
