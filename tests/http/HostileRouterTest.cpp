// Routers that stay silent, drip, or send without end: every such answer ends
// with an error within its bounds (injected small here), and the client can
// go on with the next request.
#include "http/IdHTTP.h"

#include "http/IdMultipartFormData.h"
#include "tests/http/LocalSockets.h"
#include "tests/support/Files.h"
#include "tests/support/Ports.h"
#include "tests/support/TestHttpServer.h"

#include <chrono>
#include <optional>
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

TIdLimits SmallLimits()
{
    TIdLimits limits;
    limits.ConnectMs = 1000;
    limits.StallMs = 300;
    limits.AnswerMs = 800;
    limits.MaxTextBody = 4096;
    limits.MaxStreamBody = 8192;
    limits.MaxHeadBytes = 2048;
    return limits;
}

ScriptedReply Endless(const std::string& start, const std::string& repeat, int dripMs = 0)
{
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

TEST_P(HostileRouter, EndsWithinItsBoundsAndTheNextRequestWorks)
{
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

TEST(HostileRouterLimits, WithoutAWholeBoundOnlyTheStallBoundCuts)
{
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

// ---- Whole bounds of the transfers -----------------------------------------
//
// The settings download and upload, and the firmware upload, with their
// bounds scaled down: each case says how the router behaves, when the
// exchange must end, and how.

// The settings transfers: 30 s without an answer, 120 s in all.
TIdLimits ScaledSettingsTransfer()
{
    TIdLimits limits;
    limits.ConnectMs = 1000;
    limits.StallMs = 300;
    limits.AnswerMs = 800;
    return limits;
}

// The firmware upload: sending bounded as a whole, then a long silence
// allowed while the router writes its flash.
TIdLimits ScaledFirmwareUpload()
{
    TIdLimits limits;
    limits.ConnectMs = 1000;
    limits.StallMs = 300;
    limits.SendMs = 600;
    limits.AfterSendMs = 1500;
    return limits;
}

TIdLimits SlowSendCase()
{
    TIdLimits limits = ScaledFirmwareUpload();
    limits.StallMs = 2000;
    return limits;
}

enum class Request { SettingsDownload, Upload };

struct TransferCase {
    const char* name;
    Request request;
    TIdLimits limits;
    ScriptedReply reply;
    std::size_t bodyBytes;    // of the uploaded file
    std::size_t receivePace;  // the router's reading pace (0: as fast as it can)
    // Expected: the answer's body, or nothing for a time-out; the time it
    // ends within; whether the request went out whole.
    std::optional<std::string> answer;
    int endsAfterMs;
    int endsBeforeMs;
    bool sentWhole;
};
void PrintTo(const TransferCase& c, std::ostream* out) { *out << c.name; }

ScriptedReply Dripping(const std::string& head, const std::string& body)
{
    ScriptedReply reply{head + body, Then::Close};
    reply.dripMs = 20;
    reply.dripAfter = head.size();
    return reply;
}

ScriptedReply Late(const std::string& bytes, int delayMs)
{
    ScriptedReply reply{bytes, Then::Close};
    reply.delayMs = delayMs;
    return reply;
}

const std::string kOkHead = "HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n";
const std::string kUploadDone = "HTTP/1.0 200 OK\r\nContent-Length: 9\r\n\r\nUpload OK";

class TransferBounds : public ::testing::TestWithParam<TransferCase> {
protected:
    TransferBounds() : server(GetParam().receivePace) { http.ProtocolVersion = TIdHTTPProtocolVersion::pv1_0; }
    std::string Url(const std::string& path) const
    {
        return "http://127.0.0.1:" + std::to_string(server.Port()) + path;
    }

    TestHttpServer server;
    TIdHTTP http;
    testsupport::TempDir dir;
};

TEST_P(TransferBounds, EndsWithinItsWholeBound)
{
    const TransferCase& c = GetParam();
    server.Enqueue(c.reply);
    TIdMultiPartFormDataStream body;
    body.AddFile("upfile", dir.Write("image.bin", std::string(c.bodyBytes, 'i')), "application/octet-stream");
    const auto start = Clock::now();
    std::vector<Clock::duration> sent;
    http.OnRequestSent = [&] { sent.push_back(Clock::now() - start); };

    std::optional<std::string> answer;
    try {
        if (c.request == Request::SettingsDownload) {
            std::ostringstream stream;
            http.Get(Url("/getconfig.cgi"), stream, c.limits);
            answer = stream.str();
        } else {
            answer = http.Post(Url("/upload.cgi"), body, c.limits);
        }
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError, 10060);
        EXPECT_STREQ(e.what(), "Socket Error # 10060\r\nConnection timed out.");
    }
    const auto took = Clock::now() - start;

    EXPECT_EQ(answer, c.answer);
    EXPECT_GE(took, std::chrono::milliseconds(c.endsAfterMs));
    EXPECT_LT(took, std::chrono::milliseconds(c.endsBeforeMs));
    ASSERT_EQ(sent.size(), c.sentWhole ? 1u : 0u);
    // Sent before any answer came: long before a late one.
    if (c.sentWhole && c.reply.delayMs > 0) {
        EXPECT_LT(sent[0], std::chrono::milliseconds(c.reply.delayMs / 2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Routers, TransferBounds,
    ::testing::Values(
        // Every byte comes well within the stall bound; only the whole bound ends it.
        TransferCase{"SettingsDownloadDripping", Request::SettingsDownload, ScaledSettingsTransfer(),
                     Dripping(kOkHead, std::string(1000, 's')), 0, 0, std::nullopt, 800, 1500, true},
        TransferCase{"SettingsUploadAnswerDripping", Request::Upload, ScaledSettingsTransfer(),
                     Dripping(kOkHead, std::string(1000, 'a')), 1000, 0, std::nullopt, 800, 1500, true},
        // Longer than the stall bound and the settings' whole bound, within
        // the bound after the last byte: the upload goes through.
        TransferCase{"FirmwareAnswerLateWithinItsBound", Request::Upload, ScaledFirmwareUpload(),
                     Late(kUploadDone, 900), 1000, 0, std::string("Upload OK"), 900, 1500, true},
        TransferCase{"FirmwareAnswerNeverComes", Request::Upload, ScaledFirmwareUpload(),
                     ScriptedReply{"", Then::NeverAnswer}, 1000, 0, std::nullopt, 1500, 2300, true},
        // The bound after the last byte covers the whole answer, not each byte.
        TransferCase{"FirmwareAnswerDripping", Request::Upload, ScaledFirmwareUpload(),
                     Dripping(kOkHead, std::string(1000, 'a')), 1000, 0, std::nullopt, 1500, 2300, true},
        // A router that takes 4 KiB every 20 ms: 8 MiB would take half a
        // minute, more than the system buffers. The stall bound is set
        // longer here, so only the whole bound on sending can end it.
        TransferCase{"FirmwareBodySlowerThanItsBound", Request::Upload, SlowSendCase(), kUploadDone, 8 << 20, 4096,
                     std::nullopt, 600, 1300, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HostileRouterLimits, RequestSentRunsOncePerRequestAlsoForAGet)
{
    TestHttpServer server;
    server.Enqueue(TestHttpServer::Reply("HTTP/1.0 200 OK", "one"));
    server.Enqueue(TestHttpServer::Reply("HTTP/1.0 404 Not Found", "two"));
    TIdHTTP http;
    // As the driver asks: a new connection per request, so no reuse of one
    // the server has just closed can race the second request.
    http.ProtocolVersion = TIdHTTPProtocolVersion::pv1_0;
    int sent = 0;
    http.OnRequestSent = [&] { ++sent; };
    const std::string url = "http://127.0.0.1:" + std::to_string(server.Port()) + "/";
    EXPECT_EQ(http.Get(url), "one");
    EXPECT_EQ(sent, 1);
    EXPECT_THROW(http.Get(url), EIdHTTPProtocolException);
    EXPECT_EQ(sent, 2);
    // Nothing listens: nothing was sent.
    const std::string closed = "http://127.0.0.1:" + std::to_string(testsupport::ClosedPort()) + "/";
    EXPECT_THROW(http.Get(closed), EIdSocketError);
    EXPECT_EQ(sent, 2);
}

}  // namespace
