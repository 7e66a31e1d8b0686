// Routers that stay silent, drip, or send without end: every such answer ends
// with an error within its bounds (injected small here), and the client can
// go on with the next request.
#include "http/IdHTTP.h"

#include "tests/support/TestHttpServer.h"

#include <chrono>
#include <sstream>

#include <gtest/gtest.h>

namespace {

using testsupport::ScriptedReply;
using testsupport::TestHttpServer;
using Then = ScriptedReply::Then;
using Clock = std::chrono::steady_clock;

enum class Ends { TimedOut, TooLarge };

struct HostileCase {
    const char* name;
    ScriptedReply reply;
    bool intoStream;
    Ends ends;
};
void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

TIdLimits SmallLimits() {
    TIdLimits limits;
    limits.ConnectMs = 1000;
    limits.StallMs = 300;
    limits.AnswerMs = 800;
    limits.MaxTextBody = 4096;
    limits.MaxStreamBody = 8192;
    limits.MaxHeadBytes = 2048;
    return limits;
}

ScriptedReply Endless(const std::string& start, const std::string& repeat, int dripMs = 0) {
    ScriptedReply reply{start, Then::Close};
    reply.repeat = repeat;
    reply.dripMs = dripMs;
    return reply;
}

class HostileRouter : public ::testing::TestWithParam<HostileCase> {
protected:
    HostileRouter() { http.ProtocolVersion = TIdHTTPProtocolVersion::pv1_0; }
    std::string Url() const { return "http://127.0.0.1:" + std::to_string(server.Port()) + "/"; }

    TestHttpServer server;
    TIdHTTP http;
};

TEST_P(HostileRouter, EndsWithinItsBoundsAndTheNextRequestWorks) {
    const HostileCase& c = GetParam();
    server.Enqueue(c.reply);
    server.Enqueue(TestHttpServer::Reply("HTTP/1.0 200 OK", "back"));
    const TIdLimits limits = SmallLimits();
    std::ostringstream stream;
    const auto start = Clock::now();
    try {
        if (c.intoStream)
            http.Get(Url(), stream, limits);
        else
            http.Get(Url(), limits);
        FAIL() << "the answer was taken";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(c.ends, Ends::TimedOut);
        EXPECT_EQ(e.LastError, 10060);
        EXPECT_STREQ(e.what(), "Socket Error # 10060\r\nConnection timed out.");
    } catch (const EIdResponseTooLarge& e) {
        EXPECT_EQ(c.ends, Ends::TooLarge) << e.what();
    }
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(limits.AnswerMs + 1500));
    EXPECT_LE(stream.str().size(), static_cast<std::size_t>(limits.MaxStreamBody));
    EXPECT_EQ(http.Get(Url(), limits), "back");
}

INSTANTIATE_TEST_SUITE_P(
    Routers, HostileRouter,
    ::testing::Values(
        HostileCase{"Silent", ScriptedReply{"", Then::NeverAnswer}, false, Ends::TimedOut},
        HostileCase{"SilentAfterTheHead", ScriptedReply{"HTTP/1.0 200 OK\r\n\r\nsome", Then::NeverAnswer}, true,
                    Ends::TimedOut},
        HostileCase{"OneBytePerInterval", Endless("", "HTTP/1.0 200 OK\r\n\r\n<html>", 20), false, Ends::TimedOut},
        HostileCase{"OneBodyBytePerInterval", Endless("HTTP/1.0 200 OK\r\n\r\n", "x", 20), false, Ends::TimedOut},
        HostileCase{"EndlessHeaders", Endless("HTTP/1.0 200 OK\r\n", "X-Pad: yyyyyyyy\r\n"), false, Ends::TooLarge},
        HostileCase{"EndlessContinueBlocks", Endless("", "HTTP/1.1 100 Continue\r\nSet-Cookie: a=b\r\n\r\n"), true,
                    Ends::TooLarge},
        HostileCase{"EndlessPage", Endless("HTTP/1.0 200 OK\r\n\r\n", "<p>more</p>"), false, Ends::TooLarge},
        HostileCase{"EndlessChunks", Endless("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "4\r\nmore\r\n"),
                    false, Ends::TooLarge},
        HostileCase{"EndlessDownload", Endless("HTTP/1.0 200 OK\r\n\r\n", "settings"), true, Ends::TooLarge}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileRouterLimits, ATransferKeepsOnlyTheStallBound) {
    // A download that keeps moving is not cut off by time, only by size.
    TestHttpServer server;
    ScriptedReply slow{"HTTP/1.0 200 OK\r\nContent-Length: 20\r\n\r\n" + std::string(20, 's'), Then::Close};
    slow.dripMs = 20;
    server.Enqueue(slow);
    TIdHTTP http;
    TIdLimits limits = SmallLimits();
    limits.AnswerMs = 0;
    std::ostringstream stream;
    http.Get("http://127.0.0.1:" + std::to_string(server.Port()) + "/getconfig.cgi", stream, limits);
    EXPECT_EQ(stream.str(), std::string(20, 's'));
}

}  // namespace
