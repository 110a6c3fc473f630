#include "support/UHttpCookies.h"

#include <gtest/gtest.h>

namespace {

constexpr std::time_t Now = 1800000000; // a fixed instant in 2027

TEST(UHttpCookies, CookieGoesBackToItsHostAndPathOnly)
{
    THttpCookieStore store;
    store.Store("news.example.com", "/news/getlastnews.php", "sid=42; path=/news", Now);
    EXPECT_EQ(store.HeaderFor("news.example.com", "/news/other.php", Now), "sid=42");
    EXPECT_EQ(store.HeaderFor("NEWS.example.com", "/news/", Now), "sid=42");
    EXPECT_EQ(store.HeaderFor("news.example.com", "/update/file", Now), "");
    EXPECT_EQ(store.HeaderFor("other.com", "/news/x", Now), "");
}

TEST(UHttpCookies, DefaultPathIsTheDirectoryOfTheRequest)
{
    THttpCookieStore store;
    store.Store("h", "/a/b/page.php", "x=1", Now);
    EXPECT_EQ(store.HeaderFor("h", "/a/b/other", Now), "x=1");
    EXPECT_EQ(store.HeaderFor("h", "/a/", Now), "");
}

TEST(UHttpCookies, DomainMatchesWholeLabelsNotAnySubstring)
{
    THttpCookieStore store;
    store.Store("www.news.com", "/", "a=1; Domain=.news.com", Now);
    store.Store("www.news.com", "/", "b=2; Domain=bank.com", Now); // not the sender's: refused
    EXPECT_EQ(store.HeaderFor("feed.news.com", "/", Now), "a=1");
    EXPECT_EQ(store.HeaderFor("fakenews.com", "/", Now), "");
    EXPECT_EQ(store.HeaderFor("bank.com", "/", Now), "");
}

TEST(UHttpCookies, SecureCookiesAreNeverSent)
{
    THttpCookieStore store;
    store.Store("h", "/", "s=1; Secure", Now);
    store.Store("h", "/", "p=2", Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now), "p=2");
}

TEST(UHttpCookies, ANewValueReplacesAndAnExpiredOneRemoves)
{
    THttpCookieStore store;
    store.Store("h", "/", "a=1", Now);
    store.Store("h", "/", "b=2", Now);
    store.Store("h", "/", "a=3", Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now), "b=2; a=3");
    store.Store("h", "/", "b=; Expires=Thu, 01 Jan 1970 00:00:00 GMT", Now);
    store.Store("h", "/", "a=; Max-Age=0", Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now), "");
}

TEST(UHttpCookies, CookieWithALifetimeLapses)
{
    THttpCookieStore store;
    store.Store("h", "/", "short=1; Max-Age=60", Now);
    store.Store("h", "/", "dated=2; Expires=Sun, 17-Jan-2038 19:14:07 GMT", Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now + 59), "short=1; dated=2");
    EXPECT_EQ(store.HeaderFor("h", "/", Now + 61), "dated=2");
}

TEST(UHttpCookies, MalformedHeadersStoreNothing)
{
    THttpCookieStore store;
    store.Store("h", "/", "", Now);
    store.Store("h", "/", "novalue", Now);
    store.Store("h", "/", "=v", Now);
    EXPECT_TRUE(store.Empty());
}

TEST(UHttpCookies, HttpDatesReadInBothForms)
{
    std::time_t when = 0;
    ASSERT_TRUE(ParseHttpDate("Thu, 01 Jan 1970 00:01:40 GMT", when));
    EXPECT_EQ(when, 100);
    ASSERT_TRUE(ParseHttpDate("Sunday, 06-Nov-94 08:49:37 GMT", when));
    EXPECT_EQ(when, 784111777);
    EXPECT_FALSE(ParseHttpDate("tomorrow", when));
    EXPECT_FALSE(ParseHttpDate("Thu, 99999999999 Jan 1970 00:00:00 GMT", when));
    EXPECT_FALSE(ParseHttpDate("Thu, 01 Jan 99999999999 00:00:00 GMT", when));
    EXPECT_FALSE(ParseHttpDate("Thu, 01 Jan 1970 24:00:00 GMT", when));
    EXPECT_FALSE(ParseHttpDate("Thu, 01 Jan 1970 00:60:00 GMT", when));
}

TEST(UHttpCookies, OutlandishLifetimesNeitherOverflowNorExpireTheCookie)
{
    THttpCookieStore store;
    store.Store("h", "/", "endless=1; Max-Age=9223372036854775807", Now);
    store.Store("h", "/", "huge=2; Expires=Thu, 01 Jan 99999999999 00:00:00 GMT", Now); // unreadable: a session cookie
    store.Store("h", "/", "beyond=3; Max-Age=99999999999999999999", Now);               // unreadable: ignored
    EXPECT_EQ(store.HeaderFor("h", "/", Now + 1000000000), "endless=1; huge=2; beyond=3");
}

} // namespace
