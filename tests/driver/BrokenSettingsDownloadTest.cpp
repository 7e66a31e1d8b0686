// A settings download that never comes whole, in an express run: garbled
// framing or a router that drips it past the whole bound. Either way no
// backup is written, nothing is uploaded, and the run stops where nothing on
// the router has changed.
#include "tests/driver/RouterRun.h"

#include <QDir>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;
using testsupport::ScriptedReply;

struct BrokenDownloadCase {
    const char* name;
    ScriptedReply reply;
    QString error;
};

void PrintTo(const BrokenDownloadCase& c, std::ostream* os) { *os << c.name; }

ScriptedReply GarbledAfterSixteenBytes()
{
    return ScriptedReply{
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\nConnection: close\r\n\r\n"
        "10\r\nWRX270CFG-partly\r\nzz\r\nthe rest\r\n0\r\n\r\n"};
}

ScriptedReply DrippingFromItsHead()
{
    const std::string head = "HTTP/1.0 200 OK\r\nContent-Length: 8192\r\nConnection: close\r\n\r\n";
    ScriptedReply reply{head + std::string(8192, 's')};
    reply.dripMs = 20;
    reply.dripAfter = head.size();
    return reply;
}

class BrokenSettingsDownload : public RouterRun, public ::testing::WithParamInterface<BrokenDownloadCase> {};

TEST_P(BrokenSettingsDownload, LeavesNoBackupAndSendsNothing)
{
    const BrokenDownloadCase& c = GetParam();
    RouterSimConfig config;
    config.intercept = [c](const RouterRequest& request) -> std::optional<ScriptedReply> {
        if (request.http.Path() == "/getconfig.cgi")
            return c.reply;
        return std::nullopt;
    };
    Start(config);
    // The settings bounds, scaled down: every dripped byte comes well within
    // the stall bound, the whole download not within its whole bound.
    Driver().Limits().SettingsTransfer.StallMs = 300;
    Driver().Limits().SettingsTransfer.AnswerMs = 800;

    PressNext(QStringLiteral("admin"));

    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_EQ(Seams().Errors[0], c.error);
    EXPECT_FALSE(QFile::exists(SettingsFile));
    EXPECT_EQ(QDir(QCoreApplication::applicationDirPath())
                  .entryList({QStringLiteral("SaveRouterSettings*")}, QDir::Files | QDir::Hidden),
              QStringList());
    EXPECT_EQ(Router().CountRequests("POST", "/upload.cgi"), 0);
    EXPECT_EQ(Router().CountRequests("GET", "/reboot.cgi"), 0);
    EXPECT_EQ(Page(), Form().tsUpgradeType);
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, BrokenSettingsDownload,
    ::testing::Values(BrokenDownloadCase{"garbled_chunk_size_after_16_bytes", GarbledAfterSixteenBytes(),
                                         QStringLiteral("Invalid chunk size.")},
                      BrokenDownloadCase{"dripping_past_the_whole_bound", DrippingFromItsHead(),
                                         QStringLiteral("Socket Error # 10060\r\nConnection timed out.")}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drivertest
