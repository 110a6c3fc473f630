// Downloading the update description into the program folder, against a scripted server.

#include "news/UUpdateDownload.h"

#include "TTempFolder.h"
#include "common/UProgramFolder.h"
#include "http/HttpTestSupport.h"
#include "http/ScriptedHttpServer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

class UUpdateDownload : public ::testing::Test {
protected:
    std::string Read(const std::string& name) const
    {
        std::ifstream file(Temp.Path() / name, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }
    bool Download()
    {
        return DownloadFile(Client, Pump, Server.Url("/liveupdate/taskwren/mainappupdate.inf"), Folder,
                            "mainappupdate.inf");
    }

    TTempFolder Temp;
    TProgramFolder Folder{Temp.Path()};
    TScriptedHttpServer Server;
    TCountingPump Pump;
    TFixedClock Clock;
    THttpClient Client{Pump, Clock, FastOptions()};
};

TEST_F(UUpdateDownload, ReplacesAnEarlierCopyWithTheWholeBody)
{
    std::ofstream(Temp.Path() / "mainappupdate.inf") << "[APPLICATION]\r\nVersion=1.0 and much older text\r\n";
    Server.Answer("HTTP/1.1 200 OK\r\nContent-Length: 26\r\n\r\n[APPLICATION]\r\nVersion=2.1");
    ASSERT_TRUE(Download());
    EXPECT_EQ(Read("mainappupdate.inf"), "[APPLICATION]\r\nVersion=2.1");
    EXPECT_GE(Pump.Calls, 1); // waiting window messages are handled before the transfer
}

TEST_F(UUpdateDownload, AFailedTransferLeavesNoCopyBehind)
{
    for (const char* answer : {"HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
                               "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n[APPLICATION]\r\n"}) {
        std::ofstream(Temp.Path() / "mainappupdate.inf") << "earlier copy";
        Server.Answer(answer, true);
        EXPECT_FALSE(Download()) << answer;
        EXPECT_FALSE(std::filesystem::exists(Temp.Path() / "mainappupdate.inf")) << answer;
    }
}

TEST_F(UUpdateDownload, AnOversizedDescriptionFails)
{
    Server.Answer("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n01234567890123456789");
    EXPECT_FALSE(DownloadFile(Client, Pump, Server.Url("/x.inf"), Folder, "mainappupdate.inf", 10));
    EXPECT_FALSE(std::filesystem::exists(Temp.Path() / "mainappupdate.inf"));
}

TEST_F(UUpdateDownload, ACopyThatCannotBeCreatedIsAFailedDownload)
{
    std::filesystem::create_directories(Temp.Path() / "mainappupdate.inf" / "in the way");
    EXPECT_FALSE(Download());
    EXPECT_TRUE(Server.Requests().empty());
}

} // namespace

namespace {

TEST_F(UUpdateDownload, WhileTheClientServesAnotherRequestNothingIsTouched)
{
    std::ofstream(Temp.Path() / "mainappupdate.inf") << "earlier copy";
    TScriptedAnswer slow;
    slow.Bytes = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK";
    slow.DelayMs = 100;
    Server.Enqueue(slow);
    std::optional<bool> downloaded;
    Pump.OnPump = [&] {
        if (!downloaded)
            downloaded = Download();
    };
    EXPECT_EQ(Client.PostForm(Server.Url("/news/getlastnews.php"), {{"a", "b"}}), "OK");
    EXPECT_EQ(downloaded, false);
    EXPECT_EQ(Read("mainappupdate.inf"), "earlier copy");
}

} // namespace
