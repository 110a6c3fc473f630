#include "http/UHttpCookies.h"

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
    store.Store("news.com", "/", "a=1", Now);
    EXPECT_EQ(store.HeaderFor("feed.news.com", "/", Now), "a=1");
    EXPECT_EQ(store.HeaderFor("fakenews.com", "/", Now), "");
}

TEST(UHttpCookies, DomainAttributeNeverWidensACookieBeyondItsHost)
{
    THttpCookieStore store;
    store.Store("www.news.com", "/", "a=1; Domain=.news.com", Now);
    store.Store("www.news.com", "/", "b=2; Domain=bank.com", Now);
    store.Store("www.news.com", "/", "c=3; Domain=com", Now);
    EXPECT_EQ(store.HeaderFor("www.news.com", "/", Now), "a=1; b=2; c=3");
    for (const char* other : {"feed.news.com", "news.com", "bank.com", "other.com"})
        EXPECT_EQ(store.HeaderFor(other, "/", Now), "") << other;
}

TEST(UHttpCookies, ACookieHoldingAControlByteIsRefusedAndNeverReachesARequestHead)
{
    THttpCookieStore store;
    store.Store("h", "/", "sid=1", Now);
    store.Store("h", "/", "sid=2\rX-Injected: yes", Now);
    store.Store("h", "/", "a\x01b=3", Now);
    store.Store("h", "/", "c=4\x7F", Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now), "sid=1");
}

std::string Numbered(const char* prefix, size_t from, size_t to)
{
    std::string header;
    for (size_t i = from; i < to; ++i)
        header += (header.empty() ? "" : "; ") + std::string(prefix) + std::to_string(i) + "=v";
    return header;
}

TEST(UHttpCookies, AHostKeepsItsNewestFiftyCookiesAndLeavesOtherHostsAlone)
{
    THttpCookieStore store;
    store.Store("quiet.test", "/", "q=1", Now);
    for (size_t i = 0; i < 990; ++i)
        store.Store("flood.test", "/", "c" + std::to_string(i) + "=v", Now);
    EXPECT_EQ(store.HeaderFor("flood.test", "/", Now), Numbered("c", 940, 990));
    EXPECT_EQ(store.HeaderFor("quiet.test", "/", Now), "q=1");
}

TEST(UHttpCookies, TheWholeStoreDropsItsOldestCookiePastThreeThousand)
{
    THttpCookieStore store;
    for (size_t host = 0; host <= 60; ++host)
        for (size_t i = 0; i < 50; ++i)
            store.Store("h" + std::to_string(host) + ".test", "/", "c" + std::to_string(i) + "=v", Now);
    // 3,050 arrived: the first 50 (all of h0's) have gone, h1 keeps every one.
    EXPECT_EQ(store.HeaderFor("h0.test", "/", Now), "");
    EXPECT_EQ(store.HeaderFor("h1.test", "/", Now), Numbered("c", 0, 50));
    EXPECT_EQ(store.HeaderFor("h60.test", "/", Now), Numbered("c", 0, 50));
}

TEST(UHttpCookies, ACookieOverFourKilobytesIsIgnoredAndLeavesTheStoredOneBe)
{
    THttpCookieStore store;
    const std::string fits = "n=" + std::string(4096 - 1, 'v');
    store.Store("h", "/", fits, Now);
    store.Store("h", "/", "n=" + std::string(4096, 'w'), Now);
    EXPECT_EQ(store.HeaderFor("h", "/", Now), fits);
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
