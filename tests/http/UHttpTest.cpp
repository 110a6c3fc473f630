#include "http/UHttp.h"

#include "http/HttpTestSupport.h"
#include "http/ScriptedHttpServer.h"
#include "http/TUnacceptingListener.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <functional>
#include <netinet/in.h>
#include <sstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

constexpr const char* Boundary = "--------120926050703042";

std::string Ok(const std::string& body, const std::string& headers = "")
{
    return AnswerWithBody("HTTP/1.1 200 OK", body, headers);
}

std::string Redirect(const std::string& location, const std::string& status = "HTTP/1.1 302 Found")
{
    return AnswerWithBody(status, "redirect body", "Location: " + location + "\r\n");
}

std::string Get(THttpClient& client, const std::string& url)
{
    std::ostringstream out;
    client.GetToStream(url, out);
    return out.str();
}

class UHttp : public ::testing::Test {
protected:
    TScriptedHttpServer Server;
    TCountingPump Pump;
    TFixedClock Clock;
    std::unique_ptr<THttpClient> Client = std::make_unique<THttpClient>(Pump, Clock, FastOptions());
};

TEST_F(UHttp, PostSendsTheExactRequestWithLength278ForThreeShortFields)
{
    Server.Answer(Ok("OK"));
    const std::string answer = Client->PostForm(Server.Url("/news/getlastnews.php"),
                                                {{"memusername", "ab"}, {"prodcode", "x"}, {"something", ""}});
    EXPECT_EQ(answer, "OK");
    const std::string body = std::string("--") + Boundary + "\r\n" +
        "Content-Disposition: form-data; name=\"memusername\"\r\n\r\nab\r\n" + "--" + Boundary + "\r\n" +
        "Content-Disposition: form-data; name=\"prodcode\"\r\n\r\nx\r\n" + "--" + Boundary + "\r\n" +
        "Content-Disposition: form-data; name=\"something\"\r\n\r\n\r\n" + "\r\n--" + Boundary + "--\r\n";
    ASSERT_EQ(body.size(), 278u);
    const std::string expected = "POST /news/getlastnews.php HTTP/1.0\r\n"
                                 "Connection: keep-alive\r\n"
                                 "Content-Type: multipart/form-data; boundary=" +
        std::string(Boundary) +
        "\r\n"
        "Content-Length: 278\r\n"
        "Host: 127.0.0.1:" +
        std::to_string(Server.Port()) +
        "\r\n"
        "Accept: text/html, */*\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)\r\n"
        "\r\n" +
        body;
    ASSERT_EQ(Server.Requests().size(), 1u);
    EXPECT_EQ(Server.Requests()[0].Bytes, expected);
}

TEST_F(UHttp, FieldValuesAndAnswersTravelByteForByte)
{
    const std::string value = "100% \"quoted\"\r\nnext line\n\xAF\x01";
    const std::string reply = std::string("id^title\xAFOK\0\xFF", 13);
    Server.Answer(Ok(reply));
    EXPECT_EQ(Client->PostForm(Server.Url("/p"), {{"v", value}}), reply);
    EXPECT_THAT(Server.Requests()[0].Bytes, HasSubstr("name=\"v\"\r\n\r\n" + value + "\r\n\r\n--"));
}

TEST_F(UHttp, GetIsHttp11WithoutBodyOrConnectionHeaderBeforeAnyPost)
{
    Server.Answer(Ok("data"));
    EXPECT_EQ(Get(*Client, Server.Url("/dir/file.inf?x=%20y")), "data");
    EXPECT_EQ(Server.Requests()[0].Bytes,
              "GET /dir/file.inf?x=%20y HTTP/1.1\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(Server.Port()) +
                  "\r\n"
                  "Accept: text/html, */*\r\n"
                  "User-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)\r\n\r\n");
}

TEST_F(UHttp, RedirectRepeatsThePostWithTheSameBodyAndDropsTheRedirectBody)
{
    Server.Answer(Redirect("/second.php"), true);
    Server.Answer(Ok("final"));
    EXPECT_EQ(Client->PostForm(Server.Url("/first.php"), {{"a", "1"}}), "final");
    const auto requests = Server.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_THAT(requests[1].Bytes, StartsWith("POST /second.php HTTP/1.0\r\n"));
    const auto body = [](const std::string& r) { return r.substr(r.find("\r\n\r\n")); };
    EXPECT_EQ(body(requests[0].Bytes), body(requests[1].Bytes));
}

TEST_F(UHttp, FourteenRedirectsAreFollowedAndTheFifteenthAnswerIsTheResult)
{
    for (int i = 0; i < 14; ++i)
        Server.Answer(Redirect("/r" + std::to_string(i)));
    Server.Answer(Ok("end"));
    EXPECT_EQ(Get(*Client, Server.Url("/start")), "end");
    EXPECT_EQ(Server.Requests().size(), 15u);
}

TEST_F(UHttp, FifteenRedirectsEndEmptyWithoutErrorAndTheNextCallCountsAfresh)
{
    for (int i = 0; i < 15; ++i)
        Server.Answer(Redirect("/r"));
    std::ostringstream out;
    out << "before";
    Client->GetToStream(Server.Url("/start"), out);
    EXPECT_EQ(out.str(), "before");
    for (int i = 0; i < 15; ++i)
        Server.Answer(Redirect("/r"), true);
    EXPECT_EQ(Client->PostForm(Server.Url("/p"), {}), "");
    for (int i = 0; i < 14; ++i)
        Server.Answer(Redirect("/r"));
    Server.Answer(Ok("third"));
    EXPECT_EQ(Get(*Client, Server.Url("/start")), "third");
    EXPECT_EQ(Server.Requests().size(), 45u);
}

TEST_F(UHttp, LocationOnA200IsFollowedAndRelativeLocationsResolveAgainstThePreviousAddress)
{
    Server.Answer(AnswerWithBody("HTTP/1.1 200 OK", "not this", "Location: next.inf\r\n"));
    Server.Answer(Ok("this"));
    EXPECT_EQ(Get(*Client, Server.Url("/dir/first.inf")), "this");
    EXPECT_THAT(Server.Requests()[1].Bytes, StartsWith("GET /dir/next.inf HTTP/1.1\r\n"));
}

TEST_F(UHttp, RedirectBodyThatNeverArrivesIsAbandonedAndTheChainGoesOn)
{
    Server.Answer("HTTP/1.1 301 Moved\r\nLocation: /there\r\nContent-Length: 50\r\n\r\npartial");
    Server.Answer(Ok("arrived"));
    EXPECT_EQ(Get(*Client, Server.Url("/here")), "arrived");
    EXPECT_EQ(Server.Connections(), 2);
}

class UHttpFailingStatus : public UHttp, public ::testing::WithParamInterface<const char*> { };

TEST_P(UHttpFailingStatus, FailsWithCodeStatusLineAndBody)
{
    const std::string statusLine = std::string("HTTP/1.1 ") + GetParam();
    Server.Answer(AnswerWithBody(statusLine, "the reason"));
    try {
        Get(*Client, Server.Url("/x"));
        FAIL() << "no exception";
    } catch (const EHttpError& error) {
        EXPECT_EQ(error.StatusCode(), std::stoi(GetParam()));
        EXPECT_EQ(error.StatusLine(), statusLine);
        EXPECT_THAT(error.what(), HasSubstr(statusLine));
        if (error.StatusCode() != 304) {
            EXPECT_THAT(error.what(), HasSubstr("the reason"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Statuses, UHttpFailingStatus,
                         ::testing::Values("404 Not Found", "500 Internal Server Error", "304 Not Modified",
                                           "401 Unauthorized", "407 Proxy Authentication Required"));

TEST_F(UHttp, ErrorBodyThatNeverEndsStillFailsWithTheStatus)
{
    Server.Answer("HTTP/1.1 503 Busy\r\nContent-Length: 100\r\n\r\nhalf");
    try {
        Get(*Client, Server.Url("/x"));
        FAIL() << "no exception";
    } catch (const EHttpError& error) {
        EXPECT_EQ(error.StatusCode(), 503);
        EXPECT_EQ(error.Body(), "half");
    }
}

TEST_F(UHttp, BodiesByLengthChunksAndCloseArriveWithoutFraming)
{
    Server.Answer("HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                  "5; ext=1\r\nhello\r\n7\r\n, world\r\n0\r\nTrailer: x\r\n\r\n");
    Server.Answer("HTTP/1.0 200 OK\r\n\r\nread up to the close", true);
    EXPECT_EQ(Get(*Client, Server.Url("/chunked")), "hello, world");
    EXPECT_EQ(Get(*Client, Server.Url("/close")), "read up to the close");
    EXPECT_EQ(Server.Connections(), 1); // the chunked answer ended cleanly, so the GET reused it
}

TEST_F(UHttp, DownloadReachesTheStreamAsItArrives)
{
    TScriptedAnswer answer;
    answer.Bytes = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nfirst";
    answer.Later = "-last";
    answer.LaterDelayMs = 150;
    Server.Enqueue(answer);
    std::ostringstream out;
    out << ">";
    bool firstPartSeenWhileWaiting = false; // early pumps may come before any of the body
    Pump.OnPump = [&] {
        if (out.str() == ">first")
            firstPartSeenWhileWaiting = true;
    };
    Client->GetToStream(Server.Url("/slow"), out);
    EXPECT_TRUE(firstPartSeenWhileWaiting);
    EXPECT_EQ(out.str(), ">first-last");
}

TEST_F(UHttp, NoContentAnswerEndsAtItsHeadOnAConnectionThatStaysOpen)
{
    Server.Answer("HTTP/1.1 204 No Content\r\n\r\n");
    Server.Answer(Ok("next"));
    EXPECT_EQ(Get(*Client, Server.Url("/empty")), "");
    EXPECT_EQ(Get(*Client, Server.Url("/next")), "next");
    EXPECT_EQ(Server.Connections(), 1);
}

TEST_F(UHttp, BodyCutShortFailsInsteadOfPassingAsComplete)
{
    Server.Answer("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc", true);
    Server.Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\na\r\nabc", true);
    Server.Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nabc\r\n0\r\n\r\n", true);
    Server.Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFFFFFFFFFFFFFF\r\nabc", true);
    Server.Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabcdef\r\n0\r\n\r\n", true);
    for (int i = 0; i < 5; ++i)
        EXPECT_THROW(Get(*Client, Server.Url("/cut")), EHttpError) << "answer " << i;
}

TEST_F(UHttp, PostAnswerOverTheOptionsCapFailsWhileDownloadsHaveACapOfTheirOwnPerCall)
{
    THttpClientOptions options = FastOptions();
    options.MaxAnswerBytes = 1000;
    THttpClient client(Pump, Clock, options);
    Server.Answer(Ok(std::string(1000, 'a')), true);
    Server.Answer("HTTP/1.1 200 OK\r\n\r\n" + std::string(1001, 'b'), true);
    Server.Answer(Ok(std::string(5000, 'c')));
    Server.Answer(Ok(std::string(3000, 'd')));
    Server.Answer(Ok(std::string(3001, 'e')));
    EXPECT_EQ(client.PostForm(Server.Url("/p"), {}).size(), 1000u);
    EXPECT_THROW((void)client.PostForm(Server.Url("/p"), {}), EHttpError);
    EXPECT_EQ(Get(client, Server.Url("/g")).size(), 5000u); // the default cap, not the option's
    std::ostringstream out;
    client.GetToStream(Server.Url("/g"), out, 3000);
    EXPECT_EQ(out.str().size(), 3000u);
    EXPECT_THAT(FailureOf([&] { client.GetToStream(Server.Url("/g"), out, 3000); }), HasSubstr("larger than"));
}

TEST_F(UHttp, GetReusesTheConnectionAKeepAlivePostLeftOpenButAPostNeverReusesOne)
{
    Server.Answer(Ok("posted", "Connection: Keep-Alive \r\n"));
    Server.Answer(Ok("got"));
    Server.Answer(Ok("posted again"));
    EXPECT_EQ(Client->PostForm(Server.Url("/p"), {}), "posted");
    EXPECT_EQ(Get(*Client, Server.Url("/g")), "got");
    EXPECT_EQ(Client->PostForm(Server.Url("/p"), {}), "posted again");
    const auto requests = Server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].Connection, 1);
    EXPECT_THAT(requests[1].Bytes, StartsWith("GET /g HTTP/1.1\r\nConnection: keep-alive\r\nHost: "));
    EXPECT_EQ(requests[2].Connection, 2);
}

TEST_F(UHttp, PostAnswerWithoutKeepAliveAndGetAnswerWithCloseEndTheConnection)
{
    Server.Answer(Ok("posted"));
    Server.Answer(Ok("first", "Connection: close\r\n"));
    Server.Answer(Ok("second"));
    EXPECT_EQ(Client->PostForm(Server.Url("/p"), {}), "posted");
    EXPECT_EQ(Get(*Client, Server.Url("/g")), "first");
    EXPECT_EQ(Get(*Client, Server.Url("/g")), "second");
    EXPECT_EQ(Server.Connections(), 3);
}

TEST_F(UHttp, GetRetriesOnceWhenTheServerDroppedTheIdleConnection)
{
    Server.Answer(Ok("first"), true); // no "Connection: close", yet the server closes
    Server.Answer(Ok("second"));
    EXPECT_EQ(Get(*Client, Server.Url("/g")), "first");
    EXPECT_EQ(Get(*Client, Server.Url("/g")), "second");
    EXPECT_EQ(Server.Connections(), 2);
}

TEST_F(UHttp, CookiesComeBackToTheSameHostButSecureOnesNever)
{
    Server.Answer(Ok("",
                     "Set-Cookie: session=abc; Path=/\r\nset-cookie: token=t; Secure\r\n"
                     "Set-Cookie: gone=1; Max-Age=0\r\n"));
    Server.Answer(Ok(""));
    (void)Client->PostForm(Server.Url("/login.php"), {});
    Get(*Client, Server.Url("/news/list.php"));
    const std::string second = Server.Requests()[1].Bytes;
    EXPECT_THAT(second, HasSubstr("\r\nCookie: session=abc\r\n\r\n"));
}

TEST_F(UHttp, HeaderLineOverTheLimitFailsAndOneAtTheLimitPasses)
{
    Server.Answer(Ok("fits", "X-Long: " + std::string(16384 - 8, 'x') + "\r\n"));
    Server.Answer(Ok("too long", "X-Long: " + std::string(16384 - 7, 'x') + "\r\n"), true);
    EXPECT_EQ(Get(*Client, Server.Url("/a")), "fits");
    try {
        Get(*Client, Server.Url("/b"));
        FAIL() << "no exception";
    } catch (const EHttpError& error) {
        EXPECT_STREQ(error.what(), "Max line length exceeded.");
    }
}

TEST_F(UHttp, HeadFoldedOverEndlessContinuationsOrTooManyBytesFails)
{
    std::string folded = "X-Fold: start\r\n";
    for (int i = 0; i < 1200; ++i)
        folded += " more\r\n";
    Server.Answer(Ok("folded", folded), true);
    std::string wide;
    for (int i = 0; i < 80; ++i)
        wide += "X-Wide" + std::to_string(i) + ": " + std::string(16000, 'w') + "\r\n";
    Server.Answer(Ok("wide", wide), true);
    Server.Answer(Ok("short", "X-Fold: a\r\n\t b \r\n c\r\n"));
    const auto failure = [&](const std::string& target) {
        try {
            Get(*Client, Server.Url(target));
        } catch (const EHttpError& error) {
            return std::string(error.what());
        }
        return std::string("no exception");
    };
    EXPECT_EQ(failure("/folded"), "Too many header lines.");
    EXPECT_EQ(failure("/wide"), "Answer head too large.");
    EXPECT_EQ(Get(*Client, Server.Url("/short")), "short"); // a few folded lines are still fine
}

TEST_F(UHttp, NonHttpAddressesFailWithoutConnecting)
{
    EXPECT_THROW((void)Client->PostForm("https://127.0.0.1:" + std::to_string(Server.Port()) + "/", {}), EHttpError);
    EXPECT_THROW(Get(*Client, "ftp://127.0.0.1/file"), EHttpError);
    EXPECT_THROW(Get(*Client, "getlastnews.php"), EHttpError); // an empty base address leaves no host
    Server.Answer(Redirect("https://127.0.0.1/secure"));
    EXPECT_THROW(Get(*Client, Server.Url("/to-https")), EHttpError);
    EXPECT_EQ(Server.Connections(), 1);
}

TEST_F(UHttp, RefusedConnectionAndUnknownHostFail)
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe); // a port nobody listens on
    EXPECT_THROW(Get(*Client, "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/"), EHttpError);
    EXPECT_THROW(Get(*Client, "http://no-such-host.invalid/"), EHttpError);
}

TEST_F(UHttp, SilentServerKeepsTheWindowPumpedUntilCloseConnectionEndsTheWait)
{
    Server.Enqueue(HangingAnswer());
    Pump.OnPump = [&] {
        if (Pump.Calls == 25)
            Client->CloseConnection();
    };
    EXPECT_THROW(Get(*Client, Server.Url("/silent")), EHttpError);
    EXPECT_EQ(Pump.Calls, 25);
    EXPECT_FALSE(Client->Busy());
    Server.Answer(Ok("after"));
    EXPECT_EQ(Get(*Client, Server.Url("/again")), "after");
}

TEST_F(UHttp, ClientDestroyedWhileItsRequestWaitsEndsTheCallCleanly)
{
    Server.Enqueue(HangingAnswer());
    Pump.OnPump = [&] {
        if (Pump.Calls == 3)
            Client.reset();
    };
    std::ostringstream out;
    THttpClient* client = Client.get();
    EXPECT_THROW(client->GetToStream(Server.Url("/silent"), out), EHttpError);
    EXPECT_EQ(Pump.Calls, 3);
}

TEST_F(UHttp, SecondRequestWhileOneWaitsFailsAtOnceAndLeavesTheFirstAlone)
{
    Server.Enqueue(DelayedAnswer(Ok("first"), 200));
    std::string secondError;
    Pump.OnPump = [&] {
        if (Pump.Calls != 2)
            return;
        try {
            (void)Client->PostForm(Server.Url("/other"), {});
        } catch (const EHttpError& error) {
            secondError = error.what();
        }
    };
    EXPECT_EQ(Get(*Client, Server.Url("/slow")), "first");
    EXPECT_THAT(secondError, HasSubstr("waiting"));
    EXPECT_EQ(Server.Requests().size(), 1u);
}

TEST_F(UHttp, PeerClosingDuringTheUploadFailsTheCallWithoutKillingTheProcess)
{
    // A listener that takes the connection and drops it unread: the upload meets a closed
    // socket, which must be an error, not a SIGPIPE.
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    std::thread dropper([listener] {
        const int peer = ::accept(listener, nullptr, nullptr);
        const linger reset{1, 0};
        ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
        ::close(peer);
    });
    const std::string big(32 * 1024 * 1024, 'v');
    EXPECT_THROW(
        (void)Client->PostForm("http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/", {{"f", big}}),
        EHttpError);
    dropper.join();
    ::close(listener);
}

TEST_F(UHttp, ConnectionThatIsNeverAcceptedTimesOutWhilePumping)
{
    const TUnacceptingListener listener;
    EXPECT_EQ(FailureOf([&] { Get(*Client, listener.Url()); }), "Connect timed out.");
    EXPECT_GE(Pump.Calls, 20);
}

TEST_F(UHttp, CloseConnectionWhileConnectingEndsTheCallAtOnce)
{
    const TUnacceptingListener listener;
    Pump.OnPump = [&] {
        if (Pump.Calls == 5)
            Client->CloseConnection();
    };
    EXPECT_EQ(FailureOf([&] { Get(*Client, listener.Url()); }), EHttpAborted().what());
    EXPECT_EQ(Pump.Calls, 5);
    EXPECT_FALSE(Client->Busy());
}

TEST_F(UHttp, ClientDestroyedWhileConnectingEndsTheCallAtOnce)
{
    const TUnacceptingListener listener;
    Pump.OnPump = [&] {
        if (Pump.Calls == 5)
            Client.reset();
    };
    THttpClient* client = Client.get();
    EXPECT_EQ(FailureOf([&] { Get(*client, listener.Url()); }), EHttpAborted().what());
    EXPECT_EQ(Pump.Calls, 5);
}

} // namespace
