#include "http/IdCookieManager.h"

#include <gtest/gtest.h>

namespace {

constexpr std::time_t kNow = 1796000000;  // a fixed "now" in 2026

class CookieStore : public ::testing::Test {
protected:
    std::time_t now = kNow;
    TIdCookieManager store{[this] { return now; }};
};

struct CookieCase {
    const char* name;
    const char* origin;
    const char* setCookie;
    const char* requestHost;
    const char* requestPath;
    const char* expected;  // Cookie header value, "" for none
};
void PrintTo(const CookieCase& c, std::ostream* out) { *out << c.name; }

class CookieMatching : public CookieStore, public ::testing::WithParamInterface<CookieCase> {};

TEST_P(CookieMatching, SendsBackOnlyWhereItBelongs)
{
    const CookieCase& c = GetParam();
    store.AddCookie(c.setCookie, c.origin);
    EXPECT_EQ(store.CookieHeader(c.requestHost, c.requestPath), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CookieMatching,
    ::testing::Values(
        CookieCase{"RouterSession", "192.168.0.1", "uid=abc; path=/", "192.168.0.1", "/", "uid=abc"},
        CookieCase{"NoLeakToLongerAddress", "192.168.0.1", "uid=abc; path=/", "192.168.0.10", "/", ""},
        CookieCase{"NoLeakToOtherAddress", "192.168.0.1", "uid=abc", "10.192.168.0.1", "/", ""},
        CookieCase{"ForeignDomainFromAddressDropped", "192.168.0.1", "uid=abc; domain=192.168.0.2", "192.168.0.2", "/",
                   ""},
        CookieCase{"NameDomainFromAddressDropped", "192.168.0.1", "uid=abc; domain=example.com", "example.com", "/",
                   ""},
        CookieCase{"ParentDomainReachesSubdomain", "router.example.com", "uid=abc; domain=example.com",
                   "www.example.com", "/", "uid=abc"},
        CookieCase{"LeadingDotDomain", "router.example.com", "uid=abc; domain=.example.com", "example.com", "/",
                   "uid=abc"},
        CookieCase{"NoLeakToLookalikeHost", "router.example.com", "uid=abc; domain=example.com", "badexample.com", "/",
                   ""},
        CookieCase{"SuffixThatIsNoDomainRefused", "www.example.com", "uid=abc; domain=ample.com", "ample.com", "/", ""},
        CookieCase{"EmptyValueNotSent", "192.168.0.1", "uid=", "192.168.0.1", "/", ""},
        CookieCase{"SecureNeverSent", "192.168.0.1", "uid=abc; secure", "192.168.0.1", "/", ""},
        CookieCase{"PathMustPrefixRequestPath", "192.168.0.1", "uid=abc; path=/admin/", "192.168.0.1", "/", ""},
        CookieCase{"PathPrefixMatches", "192.168.0.1", "uid=abc; path=\"/admin/\"", "192.168.0.1", "/admin/sub/",
                   "uid=abc"},
        CookieCase{"PastExpiryNotSent", "192.168.0.1", "uid=abc; expires=Wed, 09 Jun 2021 10:18:14 GMT", "192.168.0.1",
                   "/", ""},
        CookieCase{"FutureExpirySent", "192.168.0.1", "uid=abc; Expires=Fri, 01-Jan-2100 00:00:00 GMT", "192.168.0.1",
                   "/", "uid=abc"},
        CookieCase{"MaxAgeZeroDeletes", "192.168.0.1", "uid=abc; max-age=0", "192.168.0.1", "/", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CookieStore, SameNameReplacesInPlace)
{
    for (const char* text : {"a=1", "uid=abc", "b=2", "UID=xyz"})
        store.AddCookie(text, "192.168.0.1");
    EXPECT_EQ(store.CookieHeader("192.168.0.1", "/"), "a=1; UID=xyz; b=2");
}

TEST_F(CookieStore, MaxAgeExpiresOnTheInjectedClock)
{
    store.AddCookie("uid=abc; max-age=10", "192.168.0.1");
    now += 9;
    EXPECT_EQ(store.CookieHeader("192.168.0.1", "/"), "uid=abc");
    now += 1;
    EXPECT_EQ(store.CookieHeader("192.168.0.1", "/"), "");
    EXPECT_TRUE(store.Snapshot()[0].Cookies.empty());  // removed, not just hidden
}

TEST_F(CookieStore, ExpiresWinsOverMaxAge)
{
    store.AddCookie("uid=abc; max-age=5; expires=Fri, 01-Jan-2100 00:00:00 GMT", "192.168.0.1");
    now += 100;
    EXPECT_EQ(store.CookieHeader("192.168.0.1", "/"), "uid=abc");
}

TEST_F(CookieStore, TakesSetCookieAndSetCookie2LinesOfAHeaderBlock)
{
    TIdHeaderList headers;
    for (const char* line : {"Content-Type: text/html", "set-cookie: a=1; path=/", "Set-Cookie2: b=2; Version=1",
                             "Set-Cookie: c=3; domain=10.0.0.1"})
        headers.AddRaw(line);
    store.TakeHeaders(headers, "192.168.0.1");
    EXPECT_EQ(store.CookieHeader("192.168.0.1", "/"), "a=1; b=2");
}

TEST(CookieDateTest, ReadsTheCommonForms)
{
    const std::pair<const char*, std::time_t> cases[] = {
        {"Wed, 09 Jun 2021 10:18:14 GMT", 1623233894}, {"Wednesday, 09-Jun-21 10:18:14 GMT", 1623233894},
        {"Wed, 09-Jun-2021 10:18:14 GMT", 1623233894}, {"Wed Jun  9 10:18:14 2021", 1623233894},
        {"Thu, 01 Jan 1970 00:00:00 GMT", 0},
    };
    for (const auto& [text, expected] : cases) {
        auto parsed = IdParseCookieDate(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(*parsed, expected) << text;
    }
    for (const char* bad : {"", "tomorrow", "Wed, 32 Jun 2021 10:18:14 GMT", "09 Foo 2021 10:00:00", "09 Jun 2021"})
        EXPECT_FALSE(IdParseCookieDate(bad)) << bad;
}

TEST_F(CookieStore, KeepsAtMostFiftyCookiesOfAtMost4096BytesEach)
{
    for (int i = 0; i < 60; ++i)
        store.AddCookie("c" + std::to_string(i) + "=v", "192.168.0.1");
    EXPECT_FALSE(store.AddCookie("other=v", "router.example.com"));
    // A cookie already kept can still be replaced.
    EXPECT_TRUE(store.AddCookie("c0=new", "192.168.0.1"));
    std::vector<TIdCookie> kept = store.Snapshot().at(0).Cookies;
    ASSERT_EQ(kept.size(), 50u);
    EXPECT_EQ(kept.front().Value, "new");
    EXPECT_EQ(kept.back().Name, "c49");

    TIdCookieManager fresh;
    EXPECT_TRUE(fresh.AddCookie("big=" + std::string(4092, 'v'), "192.168.0.1"));
    EXPECT_FALSE(fresh.AddCookie("bigger=" + std::string(4091, 'v'), "192.168.0.1"));
    // Expired cookies make room again.
    now += 10;
    store.AddCookie("c1=x; max-age=1", "192.168.0.1");
    now += 10;
    store.CookieHeader("192.168.0.1", "/");
    EXPECT_TRUE(store.AddCookie("late=v", "192.168.0.1"));
}

}  // namespace
