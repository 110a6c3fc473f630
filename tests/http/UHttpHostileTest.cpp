// The client against hostile and slow peers: each row is a peer that would freeze the
// window, fill memory, or pass a wrong answer as right, and how the call must end.

#include "http/UHttp.h"

#include "http/HttpTestSupport.h"
#include "http/ScriptedHttpServer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using ::testing::StartsWith;

namespace {

std::string Ok(const std::string& body, const std::string& headers = "")
{
    return AnswerWithBody("HTTP/1.1 200 OK", body, headers);
}

std::string Chunked(const std::string& chunksAndTrailer)
{
    return "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" + chunksAndTrailer;
}

std::string Times(int count, const std::string& piece)
{
    std::string out;
    out.reserve(piece.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        out += piece;
    return out;
}

TScriptedAnswer Played(const std::string& bytes)
{
    TScriptedAnswer answer;
    answer.Bytes = bytes;
    return answer;
}

struct THostilePeer {
    std::string Name = {};
    std::vector<TScriptedAnswer> Script = {};
    std::string Body = {};    // what the call returns, when it must not fail
    std::string Failure = {}; // else the start of the failure
    int CancelAtPump = 0;     // CloseConnection from inside this pump call (0: never)
    size_t FormBytes = 0;     // a POST of one field this long instead of a GET
    uint64_t MaxBytes = DefaultMaxAnswerBytes;
    bool ThenOwnAnswer = false;  // the next GET on the same client gets its own answer
    size_t MaxNextHeadBytes = 0; // and sends a request no longer than this (0: unchecked)
    int Connections = 0;         // as the server counted them (0: unchecked)
};

void PrintTo(const THostilePeer& peer, std::ostream* out)
{
    *out << peer.Name;
}

const std::string Aborted = EHttpAborted().what();

std::vector<THostilePeer> HostilePeers()
{
    std::vector<THostilePeer> peers;
    const auto add = [&](THostilePeer peer) { peers.push_back(std::move(peer)); };

    // A byte every 5 ms never leaves a 20 ms slice quiet; the pump runs all the same.
    add({.Name = "TrickledBodyEndsAtThePumpThatCloses",
         .Script = {Trickle("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n", "x", 5, 1000)},
         .Failure = Aborted,
         .CancelAtPump = 5});
    add({.Name = "UploadToAPeerThatNeverReadsEndsAtThePumpThatCloses",
         .Script = {IgnoringPeer(10000)},
         .Failure = Aborted,
         .CancelAtPump = 5,
         .FormBytes = 16 * 1024 * 1024}); // several times what loopback buffers hold
    // The redirect's 2,000 bytes trickle in over 10 s; all of them get one 200 ms deadline.
    TScriptedAnswer slowRedirect =
        Trickle("HTTP/1.1 302 Found\r\nLocation: /there\r\nContent-Length: 2000\r\n\r\n", "x", 5, 2000);
    slowRedirect.Close = false;
    add({.Name = "RedirectBodyTrickledPastItsDeadlineIsAbandoned",
         .Script = {slowRedirect, Played(Ok("arrived"))},
         .Body = "arrived",
         .Connections = 2});

    add({.Name = "EndlessStreamFailsAtTheDefaultCap",
         .Script = {Trickle("HTTP/1.1 200 OK\r\n\r\n", std::string(64 * 1024, 's'), 0, 1100)},
         .Failure = "The answer is larger than"});
    add({.Name = "DownloadOverItsCapFails",
         .Script = {Played(Ok(std::string(2001, 'd')))},
         .Failure = "The answer is larger than",
         .MaxBytes = 2000});

    add({.Name = "ChunkExtensionFloodFails",
         .Script = {Played(Chunked(Times(80, "1;" + std::string(16000, 'e') + "\r\nx\r\n") + "0\r\n\r\n"))},
         .Failure = "Chunked framing too large."});
    add({.Name = "TrailerLineFloodFails",
         .Script = {Played(Chunked("1\r\nx\r\n0\r\n" + Times(1001, "X-T: v\r\n") + "\r\n"))},
         .Failure = "Too many trailer lines."});
    add({.Name = "TenThousandSmallChunksPass",
         .Script = {Played(Chunked(Times(10000, "1;n=v\r\nx\r\n") + "0\r\nX-T: v\r\n\r\n"))},
         .Body = std::string(10000, 'x'),
         .ThenOwnAnswer = true,
         .Connections = 1});
    add({.Name = "EndlessInterimAnswersFailWithinTheHeadsLimits",
         .Script = {Played(Times(1001, "HTTP/1.1 103 Early Hints\r\n\r\n") + Ok("late"))},
         .Failure = "Too many header lines."});

    std::string cookies;
    for (int i = 0; i < 990; ++i)
        cookies += "Set-Cookie: c" + std::to_string(i) + "=" + std::string(400, 'v') + "\r\n";
    add({.Name = "CookieFloodLeavesTheNextRequestHeadSmall",
         .Script = {Played(Ok("", cookies))},
         .Body = "",
         .ThenOwnAnswer = true,
         .MaxNextHeadBytes = 50 * 420 + 1000});

    add({.Name = "DifferingContentLengthsFailAndTheNextCallGetsItsOwnAnswer",
         .Script = {Played("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 31\r\n\r\nfirst" + Ok("slipped"))},
         .Failure = "The answer gives differing Content-Length values.",
         .ThenOwnAnswer = true});
    add({.Name = "BytesSlippedInAfterAFramedBodyAreNeverTheNextAnswer",
         .Script = {Played("HTTP/1.1 200 OK\r\nContent-Length: 5\r\nContent-Length: 5\r\n\r\nfirst" + Ok("slipped"))},
         .Body = "first",
         .ThenOwnAnswer = true});
    add({.Name = "EarlyHintsBeforeTheAnswerAreSkipped",
         .Script = {Played("HTTP/1.1 103 Early Hints\r\nLink: </a.css>; rel=preload\r\n\r\n"
                           "HTTP/1.1 102 Processing\r\n\r\n" +
                           Ok("real"))},
         .Body = "real",
         .ThenOwnAnswer = true,
         .Connections = 1});

    for (const char control : {'\r', '\0', '\t', '\x7f'})
        add({.Name = "LocationWithControlByte" + std::to_string(static_cast<int>(control)) + "Fails",
             .Script = {Played(AnswerWithBody("HTTP/1.1 302 Found", "",
                                              "Location: /next" + std::string(1, control) + "X-Injected: 1\r\n")),
                        Played(Ok("followed"))},
             .Failure = "Invalid redirect"});
    return peers;
}

class UHttpHostile : public ::testing::TestWithParam<THostilePeer> {
protected:
    TScriptedHttpServer Server;
    TCountingPump Pump;
    TFixedClock Clock;
    THttpClient Client{Pump, Clock, FastOptions()};
};

TEST_P(UHttpHostile, CallEndsAsItMust)
{
    const THostilePeer& peer = GetParam();
    for (const TScriptedAnswer& answer : peer.Script)
        Server.Enqueue(answer);
    Pump.OnPump = [&] {
        if (Pump.Calls == peer.CancelAtPump)
            Client.CloseConnection();
    };
    std::ostringstream out;
    std::string body;
    const std::string failure = FailureOf([&] {
        if (peer.FormBytes > 0) {
            body = Client.PostForm(Server.Url("/post"), {{"f", std::string(peer.FormBytes, 'f')}});
        } else {
            Client.GetToStream(Server.Url("/get"), out, peer.MaxBytes);
            body = out.str();
        }
    });
    if (peer.Failure.empty()) {
        EXPECT_EQ(failure, "no exception");
        EXPECT_EQ(body, peer.Body);
    } else {
        EXPECT_THAT(failure, StartsWith(peer.Failure));
    }
    if (peer.CancelAtPump > 0) {
        EXPECT_EQ(Pump.Calls, peer.CancelAtPump);
    }
    EXPECT_FALSE(Client.Busy());

    if (peer.ThenOwnAnswer) {
        Pump.OnPump = nullptr;
        Server.Answer(Ok("own"));
        std::ostringstream next;
        Client.GetToStream(Server.Url("/next"), next);
        EXPECT_EQ(next.str(), "own");
        if (peer.MaxNextHeadBytes > 0) {
            EXPECT_LE(Server.Requests().back().Bytes.size(), peer.MaxNextHeadBytes);
        }
    }
    if (peer.Connections > 0) {
        EXPECT_EQ(Server.Connections(), peer.Connections);
    }
}

INSTANTIATE_TEST_SUITE_P(Peers, UHttpHostile, ::testing::ValuesIn(HostilePeers()),
                         [](const auto& row) { return row.param.Name; });

} // namespace
