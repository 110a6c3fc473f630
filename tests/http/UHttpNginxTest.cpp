// The client against a real server (Debian's nginx), started privately on loopback.

#include "http/UHttp.h"

#include "http/NginxServer.h"
#include "http/ULocalClock.h"
#include "http/UMessagePump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using ::testing::HasSubstr;

namespace {

// The raw head of an answer, to see the framing the server chose.
std::string RawHead(int port, const std::string& target)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    std::string answer;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        const std::string request = "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
        (void)::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        char buffer[4096];
        ssize_t got;
        while (answer.find("\r\n\r\n") == std::string::npos && (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0)
            answer.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return answer.substr(0, answer.find("\r\n\r\n"));
}

class TNoPump final : public TMessagePump {
public:
    void Pump() override { }
};

class UHttpNginx : public ::testing::Test {
protected:
    TNginxServer Server; // fails the test, never skips it, when nginx is missing
    TNoPump Pump;
    TSystemLocalClock Clock;
    THttpClient Client{Pump, Clock};

    std::string Get(const std::string& target)
    {
        std::ostringstream out;
        Client.GetToStream(Server.Url(target), out);
        return out.str();
    }
};

TEST_F(UHttpNginx, LargeFileArrivesByteForByte)
{
    const std::string bytes = WritePatternFile(Server.DocumentRoot() + "/large.bin", 24 * 1024 * 1024 + 17);
    EXPECT_TRUE(Get("/large.bin") == bytes);
}

TEST_F(UHttpNginx, ChunkedAnswerArrivesWithoutItsFraming)
{
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "line " + std::to_string(i) + "\n";
    std::ofstream(Server.DocumentRoot() + "/page.txt") << text;
    ASSERT_THAT(RawHead(Server.Port(), "/chunked/page.txt"), HasSubstr("Transfer-Encoding: chunked"));
    EXPECT_TRUE(Get("/chunked/page.txt") == text);
    EXPECT_TRUE(Get("/chunked/page.txt") == text); // and the connection serves the next answer
}

TEST_F(UHttpNginx, GetReusesTheConnectionAfterAKeepAlivePost)
{
    std::ofstream(Server.DocumentRoot() + "/small.txt") << "small";
    EXPECT_EQ(Client.PostForm(Server.Url("/form"), {{"memusername", "x"}}), "OK");
    EXPECT_EQ(Get("/small.txt"), "small");
    EXPECT_EQ(Get("/small.txt"), "small");
    EXPECT_EQ(Client.PostForm(Server.Url("/form"), {}), "OK");
    std::vector<std::string> connections;
    // nginx logs a request just after answering it: give the last line a moment.
    for (int attempt = 0; attempt < 200 && connections.size() < 4; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        connections.clear();
        std::istringstream log(Server.AccessLog());
        std::string connection, number, rest;
        while (log >> connection >> number && std::getline(log, rest))
            connections.push_back(connection);
    }
    ASSERT_EQ(connections.size(), 4u) << Server.AccessLog();
    EXPECT_EQ(connections[0], connections[1]) << Server.AccessLog();
    EXPECT_EQ(connections[1], connections[2]);
    EXPECT_NE(connections[2], connections[3]); // a POST always opens a new connection
}

TEST_F(UHttpNginx, MissingFileFailsWithTheServersStatus)
{
    try {
        Get("/absent.inf");
        FAIL() << "no exception";
    } catch (const EHttpError& error) {
        EXPECT_EQ(error.StatusCode(), 404);
        EXPECT_THAT(error.what(), HasSubstr("404 Not Found"));
    }
    std::ofstream(Server.DocumentRoot() + "/after.txt") << "after";
    EXPECT_EQ(Get("/after.txt"), "after");
}

} // namespace
