#include "http/UHttpRequest.h"

#include <gtest/gtest.h>

namespace {

TEST(UHttpRequest, BoundaryIsEightHyphensAndFifteenDigitsOfLocalTime)
{
    EXPECT_EQ(MakeBoundary({2026, 3, 7, 0, 5, 9, 7}), "--------030726000509007");
    EXPECT_EQ(MakeBoundary({1999, 12, 31, 23, 59, 58, 999}), "--------123199235958999");
    EXPECT_EQ(MakeBoundary({2026, 3, 7, 0, 5, 9, 7}).size(), 23u);
}

TEST(UHttpRequest, EachFieldAdds72BytesPlusNameAndValueAndTheCloseAdds31)
{
    const std::string boundary = "--------030726000509007";
    EXPECT_EQ(BuildMultipartBody(boundary, {}).size(), 31u);
    EXPECT_EQ(BuildMultipartBody(boundary, {{"memusername", "ab"}, {"prodcode", "x"}, {"something", ""}}).size(), 278u);
    EXPECT_EQ(BuildMultipartBody(boundary, {{"n", "v"}, {"n", ""}}).size(), 2 * 72 + 3 + 31u);
    EXPECT_EQ(BuildMultipartBody(boundary, {{"n", "v"}}),
              "--" + boundary + "\r\nContent-Disposition: form-data; name=\"n\"\r\n\r\nv\r\n\r\n--" + boundary +
                  "--\r\n");
}

TEST(UHttpRequest, HeadersComeInTheirFixedOrderAndOnlyWithAValue)
{
    THttpRequestHead head;
    head.Method = "GET";
    head.Target = "/x";
    head.Version = "1.1";
    head.Cookie = "a=1";
    head.Host = "h";
    head.Accept = "text/html, */*";
    head.Connection = "keep-alive";
    EXPECT_EQ(BuildRequestHead(head),
              "GET /x HTTP/1.1\r\nConnection: keep-alive\r\nHost: h\r\nAccept: text/html, */*\r\nCookie: a=1\r\n\r\n");
}

TEST(UHttpRequest, LongHeaderLinesFoldAtASpaceOrCommaWithinSeventyEightCharacters)
{
    const std::string value = "first=" + std::string(40, 'a') + "; second=" + std::string(40, 'b') + "; third=c";
    const std::string folded = FoldHeaderLine("Cookie: " + value);
    EXPECT_EQ(folded, "Cookie: first=" + std::string(40, 'a') + ";\r\n second=" + std::string(40, 'b') + "; third=c");
    EXPECT_EQ(FoldHeaderLine("X: " + std::string(60, 'a') + "," + std::string(30, 'b')),
              "X: " + std::string(60, 'a') + ",\r\n " + std::string(30, 'b'));
    const std::string exactly78 = "X: " + std::string(75, 'a');
    EXPECT_EQ(FoldHeaderLine(exactly78), exactly78);
    const std::string unbreakable = "X: " + std::string(100, 'a');
    EXPECT_EQ(FoldHeaderLine(unbreakable), unbreakable);
    // A header name is never split from its value.
    EXPECT_EQ(FoldHeaderLine("Cookie: " + std::string(90, 'z')), "Cookie: " + std::string(90, 'z'));
}

TEST(UHttpRequest, EveryFoldedPieceStaysWithinTheWidthWhereBreaksAllow)
{
    std::string value;
    for (int i = 0; i < 40; ++i)
        value += "name" + std::to_string(i) + "=value" + std::to_string(i) + "; ";
    const std::string folded = FoldHeaderLine("Cookie: " + value + "end=1");
    size_t start = 0;
    std::string rejoined;
    for (size_t end; (end = folded.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 78u);
        rejoined += folded.substr(start, end - start);
    }
    EXPECT_LE(folded.size() - start, 78u);
    rejoined += folded.substr(start);
    EXPECT_EQ(rejoined, "Cookie: " + value + "end=1"); // folding drops nothing but line breaks
}

} // namespace
