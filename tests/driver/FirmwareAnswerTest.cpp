// The router's answer to the firmware upload: a router may write the image
// to its flash before it answers. A late answer within its bound lets the run
// go on; no answer at all ends the run without a restart request, which could
// catch the router mid-write.
#include "tests/driver/RouterRun.h"

#include "log/SupportLog.h"

#include <QTemporaryDir>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;
using testsupport::ScriptedReply;

const QString kWritingText =
    QStringLiteral("Please wait while the router writes the new firmware. Do not turn it off...");
const QString kUnconfirmedText = QStringLiteral(
    "The router did not confirm that it received the new firmware. It may still be writing it: do not turn the "
    "router off or unplug it for the next few minutes.");

struct UploadAnswerCase {
    const char* name;
    ScriptedReply reply;  // the router's answer to /upload.cgi
    QString outcome;
    bool restarted;  // a restart request followed the upload
};

void PrintTo(const UploadAnswerCase& c, std::ostream* os) { *os << c.name; }

ScriptedReply Late(ScriptedReply reply)
{
    reply.delayMs = 60;
    return reply;
}

class UploadAnswer : public RouterRun, public ::testing::WithParamInterface<UploadAnswerCase> {};

TEST_P(UploadAnswer, RestartOnlyAfterTheRouterAnswered)
{
    const UploadAnswerCase& c = GetParam();
    RouterSimConfig config;
    config.intercept = [c](const RouterRequest& request) -> std::optional<ScriptedReply> {
        if (request.http.Path() == "/upload.cgi")
            return c.reply;
        return std::nullopt;
    };
    Start(config);
    // The answer's bound, scaled down; the driver's clock runs a second per
    // look, so the notice is due at once. The support log keeps every
    // status text shown.
    Driver().Limits().FirmwareUpload.AfterSendMs = 400;
    std::int64_t now = 0;
    Driver().SetClock([&] { return now += 1000; });
    QTemporaryDir logFolder;
    const QString logPath = logFolder.filePath(QStringLiteral("run.log"));
    {
        TSupportLog log(logPath, QStringLiteral("=== test run"));
        PressNext(QStringLiteral("admin"));
    }

    EXPECT_TRUE(ReadFile(logPath).contains(("Status: " + kWritingText).toUtf8()));
    EXPECT_EQ(OutcomeText(), c.outcome);
    EXPECT_EQ(Router().CountRequests("GET", "/reboot.cgi") > 0, c.restarted);
    const std::vector<std::string> received = Received();
    const auto upload = std::find(received.begin(), received.end(), "POST /upload.cgi");
    ASSERT_NE(upload, received.end());
    EXPECT_EQ(std::find(received.begin(), upload, "GET /reboot.cgi"), upload);
    // Whatever the end, the backup is kept and offered, and the window may
    // be closed once the outcome is shown.
    ExpectBackupOffered();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(Form().close());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UploadAnswer,
    ::testing::Values(
        // Answered late but within the bound: the run goes on to the restart
        // (and fails later, as this router never took the image).
        UploadAnswerCase{"late_answer", Late(Answer("HTTP/1.0 200 OK", "Upgrade done")), UpgradeErrorText, true},
        UploadAnswerCase{"never_answers", ScriptedReply{"", ScriptedReply::Then::NeverAnswer}, kUnconfirmedText, false},
        UploadAnswerCase{"closes_without_an_answer", Late(ScriptedReply{"", ScriptedReply::Then::Close}),
                         kUnconfirmedText, false},
        // An answer, even a refusal, means the router is not writing.
        UploadAnswerCase{"refuses_late", Late(Answer("HTTP/1.0 500 Internal Server Error", "bad image")),
                         UpgradeErrorText, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drivertest
