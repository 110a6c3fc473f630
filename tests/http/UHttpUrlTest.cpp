#include "http/UHttpUrl.h"

#include "http/UHttpError.h"

#include <gtest/gtest.h>

namespace {

TEST(UHttpUrl, SplitsSchemeHostPortPathDocumentAndQuery)
{
    const THttpUrl url = ParseUrl("http://news.example.com:8080/a/b/getlastnews.php?x=1&y=%20");
    EXPECT_EQ(url.Scheme, "http");
    EXPECT_EQ(url.Host, "news.example.com");
    EXPECT_EQ(url.Port, 8080);
    EXPECT_EQ(url.Path, "/a/b/");
    EXPECT_EQ(url.Document, "getlastnews.php");
    EXPECT_EQ(url.Query, "?x=1&y=%20");
    EXPECT_EQ(url.Target(), "/a/b/getlastnews.php?x=1&y=%20");
    EXPECT_EQ(url.HostHeader(), "news.example.com:8080");
}

TEST(UHttpUrl, MissingPortIs80AndLeavesItOutOfTheHostHeader)
{
    EXPECT_EQ(ParseUrl("http://host").Target(), "/");
    EXPECT_EQ(ParseUrl("http://host").HostHeader(), "host");
    EXPECT_EQ(ParseUrl("http://host:80/x").HostHeader(), "host");
    EXPECT_EQ(ParseUrl("http://host?q").Target(), "/?q");
    EXPECT_EQ(ParseUrl("http://[::1]:81/x").Host, "::1");
    EXPECT_EQ(ParseUrl("http://[::1]:81/x").HostHeader(), "[::1]:81");
}

TEST(UHttpUrl, OnlyHttpWithAHostPasses)
{
    EXPECT_NO_THROW(CheckHttpScheme(ParseUrl("HTTP://host/")));
    EXPECT_THROW(CheckHttpScheme(ParseUrl("https://host/")), EHttpError);
    EXPECT_THROW(CheckHttpScheme(ParseUrl("ftp://host/")), EHttpError);
    EXPECT_THROW(CheckHttpScheme(ParseUrl("getlastnews.php")), EHttpError);
    EXPECT_THROW(CheckHttpScheme(ParseUrl("http:///path")), EHttpError);
    EXPECT_THROW((void)ParseUrl("http://host:80x/"), EHttpError);
    EXPECT_THROW((void)ParseUrl("http://host:70000/"), EHttpError);
}

TEST(UHttpUrl, LocationsWithoutHostResolveAgainstThePreviousAddress)
{
    const THttpUrl base = ParseUrl("http://host:81/dir/page.php?a=1");
    EXPECT_EQ(ResolveLocation(base, "/root.php").Target(), "/root.php");
    EXPECT_EQ(ResolveLocation(base, "other.php?b=2").Target(), "/dir/other.php?b=2");
    EXPECT_EQ(ResolveLocation(base, "?c=3").Target(), "/dir/page.php?c=3");
    EXPECT_EQ(ResolveLocation(base, "other.php").HostHeader(), "host:81");
    EXPECT_EQ(ResolveLocation(base, "//elsewhere/x").HostHeader(), "elsewhere");
    const THttpUrl absolute = ResolveLocation(base, "http://other.org/y");
    EXPECT_EQ(absolute.Host, "other.org");
    EXPECT_EQ(absolute.Port, 80);
}

} // namespace
