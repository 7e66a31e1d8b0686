#include "tests/support/RawSocket.h"
#include "tools/router-sim/lib/RouterSim.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <cerrno>
#include <cstdio>

using testsupport::RawSocket;
using testsupport::RouterSim;
using testsupport::RouterSimConfig;

namespace {

// --- independent client-side helpers (no code shared with the router) ---

std::string Md5HexOf(const std::string& data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr);
    std::string hex;
    char two[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(two, sizeof two, "%.2x", digest[i]);
        hex += two;
    }
    return hex;
}

std::string Token(const std::string& salt, std::string password, char pad)
{
    password.resize(16, pad);  // cuts a longer one to 16 too
    std::string data = salt + password;
    if (data.size() < 64)
        data.resize(64, pad);
    return salt + Md5HexOf(data);
}

std::string Exchange(std::uint16_t port, const std::string& request)
{
    RawSocket s;
    if (s.Connect(port) != 0)
        return "";
    s.Send(request);
    return s.ReadReply();
}

std::string GetRequest(const std::string& target, const std::string& cookie = "")
{
    std::string cookieLine = cookie.empty() ? "" : "Cookie: uid=" + cookie + "\r\n";
    return "GET " + target + " HTTP/1.0\r\nConnection: keep-alive\r\nHost: 127.0.0.1\r\n" + cookieLine + "\r\n";
}

std::string Get(std::uint16_t port, const std::string& target, const std::string& cookie = "")
{
    return Exchange(port, GetRequest(target, cookie));
}

std::string Multipart(const std::string& filename, const std::string& data, const std::string& boundary)
{
    return "--" + boundary + "\r\nContent-Disposition: form-data; name=\"upfile\"; filename=\"" + filename +
           "\"\r\nContent-Type: application/octet-stream\r\n\r\n" + data + "\r\n--" + boundary + "--\r\n";
}

std::string PostRequest(const std::string& target, const std::string& body, const std::string& cookie,
                        const std::string& boundary = "--------120726101532047")
{
    return "POST " + target +
           " HTTP/1.0\r\nConnection: keep-alive\r\n"
           "Content-Type: multipart/form-data; boundary=" +
           boundary + "\r\n" + "Content-Length: " + std::to_string(body.size()) + "\r\nHost: 127.0.0.1\r\n" +
           "Cookie: uid=" + cookie + "\r\n\r\n" + body;
}

std::string Post(std::uint16_t port, const std::string& target, const std::string& body, const std::string& cookie,
                 const std::string& boundary = "--------120726101532047")
{
    return Exchange(port, PostRequest(target, body, cookie, boundary));
}

std::string Between(const std::string& text, const std::string& from, const std::string& to)
{
    std::size_t a = text.find(from);
    if (a == std::string::npos)
        return "";
    a += from.size();
    return text.substr(a, text.find(to, a) - a);
}

std::string Body(const std::string& reply)
{
    std::size_t at = reply.find("\r\n\r\n");
    return at == std::string::npos ? "" : reply.substr(at + 4);
}

int Status(const std::string& reply) { return reply.size() > 12 ? std::atoi(reply.c_str() + 9) : 0; }

std::string SaltOf(const std::string& page) { return Between(page, "var salt = \"", "\";"); }

// Logs in as the client does; returns the session cookie value or "".
std::string LogIn(std::uint16_t port, const std::string& password, char pad)
{
    std::string salt = SaltOf(Get(port, "/"));
    std::string reply = Get(port, "/post_login.xml?hash=" + Token(salt, password, pad));
    return Between(reply, "Set-Cookie: uid=", ";");
}

// The client's reading of the page: the version after the 17-character
// marker and 17 more characters, up to the hardware marker, element tags
// removed; and the legacy key around the minor-version element.
std::string VersionShown(std::string page)
{
    std::size_t fwv = page.find("<div class=\"fwv\">");
    if (fwv == std::string::npos)
        return "";
    page = page.substr(fwv + 34);
    page = page.substr(0, page.find("<div class=\"hwv\">"));
    for (const std::string tag : {"<span id=\"fw_minor_head\">", "</span>", "</div>"})
        for (std::size_t at; (at = page.find(tag)) != std::string::npos;)
            page.erase(at, tag.size());
    return page;
}

std::string LegacyKey(const std::string& page)
{
    std::size_t at = page.find("<span id=\"fw_minor_head\">");
    return at < 2 ? "" : page.substr(at - 2, 2) + page.substr(at + 25, 1);
}

RouterSimConfig FakeTime(RouterSimConfig config = {})
{
    config.clock = [] { return std::int64_t{0}; };
    return config;
}

// --- the start page ---

struct PageCase {
    const char* version;
    bool legacyPage;
    std::string shown;
    std::string key;
};

TEST(RouterSimPage, ShowsTheVersionAsTheClientCutsIt)
{
    const PageCase cases[] = {{"3.5", false, "3.5", "3.5"},
                              {"3.5", true, "3.05", "3.0"},
                              {"3.12", false, "3.12", "3.1"},
                              {"3.6", false, "3.6", "3.6"}};
    for (const auto& c : cases) {
        RouterSimConfig config;
        config.firmwareVersion = c.version;
        config.legacyPage = c.legacyPage;
        RouterSim router(config);
        std::string page = Body(Get(router.Port(), "/"));
        EXPECT_EQ(VersionShown(page), c.shown) << c.version;
        EXPECT_EQ(LegacyKey(page), c.key) << c.version;
        EXPECT_EQ(page.find("error"), std::string::npos);
    }
}

TEST(RouterSimPage, HandsOutAFreshSaltAtEveryFetch)
{
    RouterSim router;
    std::string first = SaltOf(Get(router.Port(), "/"));
    std::string second = SaltOf(Get(router.Port(), "/"));
    EXPECT_EQ(first.size(), 16u);
    EXPECT_NE(first, second);
}

// --- login ---

TEST(RouterSimLogin, AcceptsOnlyTheConfiguredPadding)
{
    const unsigned char pads[] = {0x00, '0', 0x01};
    for (unsigned char accepted : pads) {
        RouterSimConfig config;
        config.acceptedPad = accepted;
        RouterSim router(config);
        for (unsigned char tried : pads) {
            std::string salt = SaltOf(Get(router.Port(), "/"));
            std::string reply = Get(router.Port(), "/post_login.xml?hash=" + Token(salt, "admin", tried));
            bool ok = tried == accepted;
            EXPECT_EQ(Status(reply), 200);
            EXPECT_EQ(reply.find("Status/Device_Info.shtml") != std::string::npos, ok) << int(accepted) << int(tried);
            EXPECT_EQ(reply.find("Set-Cookie: uid=") != std::string::npos, ok);
            EXPECT_EQ(Body(reply).find("error") != std::string::npos, !ok);
        }
    }
}

TEST(RouterSimLogin, RefusesWrongPasswordsAndStaleSalts)
{
    RouterSimConfig config;
    config.password = "a-password-longer-than-16";
    RouterSim router(config);
    const auto port = router.Port();
    EXPECT_NE(LogIn(port, "a-password-longer-than-16", 0), "");
    EXPECT_NE(LogIn(port, "a-password-longe", 0), "") << "only the first 16 bytes count";
    EXPECT_EQ(LogIn(port, "a-password-long", 0), "");
    EXPECT_EQ(LogIn(port, "", 0), "");

    std::string stale = SaltOf(Get(port, "/"));
    Get(port, "/");  // a newer salt replaces it
    EXPECT_EQ(Between(Get(port, "/post_login.xml?hash=" + Token(stale, config.password, 0)), "uid=", ";"), "");
}

// --- session-bound pages ---

TEST(RouterSimSession, ProtectedPagesNeedTheLoginCookie)
{
    RouterSim router(FakeTime());
    const auto port = router.Port();
    const std::string body = Multipart("x.gws", "data", "b");
    for (const std::string& cookie : {std::string(), std::string("0123456789abcdef")}) {
        EXPECT_EQ(Status(Get(port, "/getconfig.cgi", cookie)), 403);
        EXPECT_EQ(Status(Post(port, "/setconfig.cgi", body, cookie, "b")), 403);
        EXPECT_EQ(Status(Post(port, "/upload.cgi", body, cookie, "b")), 403);
        EXPECT_EQ(Status(Get(port, "/reboot.cgi?reset=false", cookie)), 403);
    }
    EXPECT_TRUE(router.IsUp());
    EXPECT_TRUE(router.SettingsUploads().empty());
    EXPECT_TRUE(router.FirmwareUploads().empty());

    std::string uid = LogIn(port, "admin", 0);
    std::string reply = Get(port, "/getconfig.cgi", uid);
    EXPECT_EQ(Status(reply), 200);
    std::string blob = Body(reply);
    EXPECT_EQ(blob, router.Settings());
    EXPECT_EQ(blob.size(), 8192u);
    EXPECT_NE(blob.find('\0'), std::string::npos);
    EXPECT_NE(blob.find("\r\n"), std::string::npos);
}

TEST(RouterSimUpload, ParsesTheMultipartBodyAndRejectsABrokenOne)
{
    RouterSim router(FakeTime());
    const auto port = router.Port();
    std::string uid = LogIn(port, "admin", 0);
    const std::string image("\0\r\n--not-a-boundary\r\nfirmware\xff", 30);
    const std::string name = "/opt/norvo/WRX-270C2_FW306B01.bin";

    std::string good = Multipart(name, image, "--------120726101532047");
    EXPECT_EQ(Status(Post(port, "/upload.cgi", good, uid)), 200);
    std::string broken = good.substr(0, good.size() - 4);  // no closing "--"
    EXPECT_EQ(Status(Post(port, "/upload.cgi", broken, uid)), 400);
    EXPECT_EQ(Status(Post(port, "/setconfig.cgi", Multipart("a\"b.gws", "", "xyz"), uid, "xyz")), 200);

    auto uploads = router.FirmwareUploads();
    ASSERT_EQ(uploads.size(), 1u);
    EXPECT_EQ(uploads[0].filename, name);
    EXPECT_EQ(uploads[0].data, image);
    auto settings = router.SettingsUploads();
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].filename, "a\"b.gws");
    EXPECT_EQ(settings[0].data, "");

    auto requests = router.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().multipart.parts.size(), 1u);
    EXPECT_EQ(router.CountRequests("POST", "/upload.cgi"), 2);
    // Each body's size and receiving time go to the log, for the benchmark.
    const std::string timed = "[body " + std::to_string(good.size()) + " bytes in ";
    EXPECT_NE(router.Log().at(2).find(timed), std::string::npos) << router.Log().at(2);
}

// --- restart ---

TEST(RouterSimRestart, IsUnreachableForTheDowntimeAndComesBackUpgraded)
{
    RouterSimConfig config = FakeTime();
    config.rebootDowntimeMs = 30000;
    RouterSim router(config);
    const auto port = router.Port();
    std::string uid = LogIn(port, "admin", 0);
    const std::string saved = Body(Get(port, "/getconfig.cgi", uid));
    ASSERT_EQ(Status(Post(port, "/upload.cgi", Multipart("fw.bin", "IMAGE", "b"), uid, "b")), 200);

    std::string reply = Get(port, "/reboot.cgi?reset=false", uid);
    EXPECT_EQ(Status(reply), 200);
    RawSocket probe;
    EXPECT_EQ(probe.Connect(port), ECONNREFUSED);
    router.AdvanceTime(29999);
    EXPECT_EQ(probe.Connect(port), ECONNREFUSED);
    EXPECT_EQ(router.FirmwareVersion(), "3.5");
    router.AdvanceTime(1);
    EXPECT_EQ(probe.Connect(port), 0);
    probe.Close();

    EXPECT_EQ(router.Reboots(), 1);
    EXPECT_EQ(router.FirmwareVersion(), "3.6");
    EXPECT_EQ(router.Password(), "");
    EXPECT_EQ(router.Settings(), router.FactorySettings());
    EXPECT_EQ(VersionShown(Body(Get(port, "/"))), "3.6");
    EXPECT_EQ(Status(Get(port, "/getconfig.cgi", uid)), 403) << "sessions end with a restart";

    // Restoring the saved settings brings their password back at the next restart.
    uid = LogIn(port, "", 0);
    ASSERT_NE(uid, "");
    ASSERT_EQ(Status(Post(port, "/setconfig.cgi", Multipart("s.gws", saved, "b"), uid, "b")), 200);
    EXPECT_EQ(router.Password(), "") << "applied only by the restart";
    Get(port, "/reboot.cgi?reset=false", uid);
    router.AdvanceTime(30000);
    EXPECT_EQ(router.Reboots(), 2);
    EXPECT_EQ(router.FirmwareVersion(), "3.6");
    EXPECT_EQ(router.Settings(), saved);
    EXPECT_EQ(router.Password(), "admin");
    EXPECT_NE(LogIn(port, "admin", 0), "");
}

// The "0" padding belongs to the old firmware's page: the new one pads like any other.
TEST(RouterSimRestart, ALegacyRouterTakesTheUsualPaddingOnceUpgraded)
{
    RouterSimConfig config = FakeTime();
    config.legacyPage = true;
    config.acceptedPad = '0';
    config.rebootDowntimeMs = 0;
    config.factoryPassword = "factory";
    RouterSim router(config);
    std::string uid = LogIn(router.Port(), "admin", '0');
    ASSERT_NE(uid, "");
    Post(router.Port(), "/upload.cgi", Multipart("fw.bin", "IMAGE", "b"), uid, "b");
    Get(router.Port(), "/reboot.cgi?reset=false", uid);
    EXPECT_EQ(LegacyKey(Body(Get(router.Port(), "/"))), "3.6");
    EXPECT_EQ(LogIn(router.Port(), "factory", '0'), "");
    EXPECT_NE(LogIn(router.Port(), "factory", 0), "");
}

TEST(RouterSimRestart, ClosesKeptConnectionsAndAnswersKeepAliveWithALength)
{
    RouterSimConfig config = FakeTime();
    config.keepAlive = true;
    config.rebootDowntimeMs = 0;
    RouterSim router(config);
    std::string uid = LogIn(router.Port(), "admin", 0);

    RawSocket kept;
    ASSERT_EQ(kept.Connect(router.Port()), 0);
    const std::string get = "GET / HTTP/1.0\r\nConnection: keep-alive\r\n\r\n";
    kept.Send(get);
    std::string first = kept.ReadReply();
    EXPECT_NE(first.find("Connection: keep-alive\r\n"), std::string::npos);
    EXPECT_NE(first.find("Content-Length: " + std::to_string(Body(first).size()) + "\r\n"), std::string::npos);
    kept.Send(get);
    EXPECT_EQ(Status(kept.ReadReply()), 200);

    EXPECT_EQ(Status(Get(router.Port(), "/reboot.cgi?reset=false", uid)), 200);
    RawSocket::End end;
    EXPECT_EQ(kept.ReadToEnd(&end), "");
    EXPECT_NE(end, RawSocket::End::StillOpen);
    EXPECT_TRUE(router.IsUp()) << "no downtime: back as soon as it answered";
    EXPECT_EQ(Status(Get(router.Port(), "/")), 200);
    EXPECT_EQ(router.Reboots(), 1);
    EXPECT_EQ(router.FirmwareVersion(), "3.5") << "no upload, no new firmware";
}

TEST(RouterSimFaults, InjectedAnswerReplacesTheRoutersAndChangesNothing)
{
    RouterSimConfig config = FakeTime();
    config.intercept = [](const testsupport::RouterRequest& r) -> std::optional<testsupport::ScriptedReply> {
        if (r.http.Path() == "/upload.cgi")
            return testsupport::ScriptedReply{"HTTP/1.0 500 Internal Error\r\n\r\nflash failed"};
        return std::nullopt;
    };
    RouterSim router(config);
    std::string uid = LogIn(router.Port(), "admin", 0);
    EXPECT_EQ(Post(router.Port(), "/upload.cgi", Multipart("f", "x", "b"), uid, "b"),
              "HTTP/1.0 500 Internal Error\r\n\r\nflash failed");
    EXPECT_TRUE(router.FirmwareUploads().empty());
    EXPECT_EQ(router.Requests().back().status, 500);
}

// --- slow answers ---

// What a client has of the answer as soon as the router has taken the request.
enum class AtOnce { WholeAnswer, HeadOnly, Nothing };

struct SlowCase {
    const char* name;
    int settingsDripMs;
    int firmwareAnswerDelayMs;
    const char* path;  // GET /getconfig.cgi, or a POST of an upload
    AtOnce atOnce;
};

void PrintTo(const SlowCase& c, std::ostream* os) { *os << c.name; }

class RouterSimSlow : public testing::TestWithParam<SlowCase> {};

// Each slow behaviour holds back only its own answer; the router takes
// every request whole and keeps its state as usual. The drip and the delay
// are a minute long here, so nothing more can arrive while the test looks.
TEST_P(RouterSimSlow, HoldsBackOnlyItsOwnAnswer)
{
    const SlowCase& c = GetParam();
    RouterSimConfig config = FakeTime();
    config.settingsDripMs = c.settingsDripMs;
    config.firmwareAnswerDelayMs = c.firmwareAnswerDelayMs;
    RouterSim router(config);
    const std::string uid = LogIn(router.Port(), "admin", 0);
    ASSERT_NE(uid, "");
    const std::string path = c.path;
    const std::string body = Multipart("f.bin", "IMAGE", "b");

    RawSocket asked;
    ASSERT_EQ(asked.Connect(router.Port()), 0);
    asked.Send(path == "/getconfig.cgi" ? GetRequest(path, uid) : PostRequest(path, body, uid, "b"));
    // The router serves one request after another: once a later one is
    // answered, it has taken ours and sent whatever it sends at once.
    EXPECT_EQ(Status(Get(router.Port(), "/")), 200);

    RawSocket::End end;
    const std::string received = asked.ReadToEnd(&end, c.atOnce == AtOnce::WholeAnswer ? 5000 : 0);
    switch (c.atOnce) {
    case AtOnce::WholeAnswer:
        EXPECT_EQ(end, RawSocket::End::Closed);
        EXPECT_EQ(Status(received), 200);
        if (path == "/getconfig.cgi") {
            EXPECT_EQ(Body(received), router.Settings());
        }
        break;
    case AtOnce::HeadOnly:
        EXPECT_EQ(end, RawSocket::End::StillOpen);
        EXPECT_EQ(Status(received), 200);
        EXPECT_EQ(received.find("\r\n\r\n"), received.size() - 4) << received;
        break;
    case AtOnce::Nothing:
        EXPECT_EQ(end, RawSocket::End::StillOpen);
        EXPECT_EQ(received, "");
        break;
    }
    // The upload arrived whole and counts, answered or not.
    if (path == "/upload.cgi") {
        EXPECT_EQ(router.FirmwareUploads().size(), 1u);
    }
    if (path == "/setconfig.cgi") {
        EXPECT_EQ(router.SettingsUploads().size(), 1u);
    }
    EXPECT_EQ(router.Requests().back().status, 200);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RouterSimSlow,
    testing::Values(SlowCase{"SettingsDownloadDrips", 60000, 0, "/getconfig.cgi", AtOnce::HeadOnly},
                    SlowCase{"DripLeavesTheSettingsUpload", 60000, 0, "/setconfig.cgi", AtOnce::WholeAnswer},
                    SlowCase{"DripLeavesTheFirmwareUpload", 60000, 0, "/upload.cgi", AtOnce::WholeAnswer},
                    SlowCase{"FirmwareAnswerLate", 0, 60000, "/upload.cgi", AtOnce::Nothing},
                    SlowCase{"LateAnswerLeavesTheSettingsUpload", 0, 60000, "/setconfig.cgi", AtOnce::WholeAnswer},
                    SlowCase{"LateAnswerLeavesTheSettingsDownload", 0, 60000, "/getconfig.cgi", AtOnce::WholeAnswer}),
    [](const testing::TestParamInfo<SlowCase>& info) { return info.param.name; });

}  // namespace
