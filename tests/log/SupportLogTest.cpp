// The support log: a whole run against the simulated router leaves the steps
// a support person needs and nothing secret; the log keeps the last runs only.
#include "tests/driver/RouterRun.h"

#include "log/SupportLog.h"
#include "tools/router-sim/lib/RouterPages.h"

#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <mutex>

namespace drivertest {
namespace {

using testsupport::RouterSimConfig;

QByteArray ReadLog(const QString& path) { return ReadFile(path); }

// Every needle, in this order, somewhere in the log.
void ExpectInOrder(const QByteArray& log, const std::vector<QByteArray>& needles)
{
    qsizetype from = 0;
    for (const QByteArray& needle : needles) {
        const qsizetype at = log.indexOf(needle, from);
        EXPECT_GE(at, 0) << "missing after offset " << from << ": " << needle.toStdString();
        if (at >= 0)
            from = at + needle.size();
    }
}

class SupportLogRun : public RouterRun {
protected:
    QString LogPath() const { return folder_.filePath(QStringLiteral("norvo-firmware-upgrade.log")); }
    void OpenLog() { log_ = std::make_unique<TSupportLog>(LogPath(), QStringLiteral("=== test run")); }
    void TearDown() override
    {
        log_.reset();
        RouterRun::TearDown();
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<TSupportLog> log_;
};

TEST_F(SupportLogRun, WholeRunLogsItsStepsAndNothingSecret)
{
    OpenLog();
    RouterSimConfig config;
    config.password = "s3cret";
    Start(config);
    const std::string settings = Router().Settings();

    PressNext(QStringLiteral("s3cret"));
    ASSERT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));

    const QByteArray log = ReadLog(LogPath());
    const QByteArray url = QByteArray("http://127.0.0.1:") + QByteArray::number(Router().Port());
    ExpectInOrder(log, {
                           "=== test run",
                           "norvo.http GET " + url + " -> HTTP/1.0 200 OK, ",
                           "norvo.http GET " + url + "/post_login.xml?hash=<redacted> -> HTTP/1.0 200 OK, ",
                           "norvo.driver Login accepted",
                           "norvo.driver Firmware version: 3.5",
                           "norvo.wizard Status: Saving Router Settings...",
                           "norvo.http GET " + url + "/getconfig.cgi -> HTTP/1.0 200 OK, " +
                               QByteArray::number(qsizetype(settings.size())) + " bytes",
                           "norvo.driver Settings saved to " + SettingsFile.toUtf8(),
                           "norvo.wizard Status: Upgrading Firmware...",
                           "norvo.http POST " + url + "/upload.cgi (",
                           "norvo.wizard Status: Restarting Router...",
                           "norvo.http GET " + url + "/reboot.cgi?reset=false -> HTTP/1.0 200 OK",
                           "norvo.wizard Status: The router has finished restarting...",
                           "norvo.wizard Status: Uploading Router Settings...",
                           "norvo.http POST " + url + "/setconfig.cgi (",
                           "norvo.wizard Outcome: success: " + QByteArray(ProductProfile::UpgradeSucceededText),
                       });
    // Each line starts with its time.
    const QRegularExpression timeFirst(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3} "));
    for (const QByteArray& line : log.split('\n')) {
        if (!line.isEmpty()) {
            EXPECT_TRUE(timeFirst.match(QString::fromUtf8(line)).hasMatch()) << line.toStdString();
        }
    }

    // Nothing secret: not the password, not any login token or its digest,
    // not the settings' bytes.
    EXPECT_FALSE(log.contains("s3cret"));
    const auto logins = LoginRequests();
    ASSERT_FALSE(logins.empty());
    for (const auto& login : logins) {
        const std::string token = login.http.Query("hash");
        ASSERT_GE(token.size(), 32u);
        EXPECT_FALSE(log.contains(Bytes(token)));
        EXPECT_FALSE(log.contains(Bytes(token.substr(token.size() - 32))));
    }
    EXPECT_FALSE(log.contains(Bytes(settings.substr(200, 24))));
    EXPECT_FALSE(log.contains("profile=user"));
}

struct FailureCase {
    const char* name;
    bool logOpen;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class FailureOutcome : public SupportLogRun, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailureOutcome, NamesTheLogWhenThereIsOne)
{
    if (GetParam().logOpen)
        OpenLog();
    RouterSimConfig config;
    config.factoryPassword = "factory";  // the login after the upgrade fails
    Start(config);

    PressNext(QStringLiteral("admin"));

    ASSERT_EQ(OutcomeText(), UpgradeErrorText);
    EXPECT_EQ(Form().lblSupportLog->isVisibleTo(Form().tsOutcome), GetParam().logOpen);
    if (GetParam().logOpen) {
        EXPECT_TRUE(Form().lblSupportLog->text().endsWith(LogPath()));
        ExpectInOrder(ReadLog(LogPath()),
                      {"norvo.driver Login refused", "norvo.wizard Outcome: failure: " + UpgradeErrorText.toUtf8()});
    }
}

INSTANTIATE_TEST_SUITE_P(Logs, FailureOutcome,
                         ::testing::Values(FailureCase{"with_log", true}, FailureCase{"without_log", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SupportLogRun, SuccessDoesNotShowTheLog)
{
    OpenLog();
    Start();
    PressNext(QStringLiteral("admin"));
    ASSERT_TRUE(OutcomeIsSuccess());
    EXPECT_FALSE(Form().lblSupportLog->isVisibleTo(Form().tsOutcome));
}

TEST_F(SupportLogRun, ErrorThatEndsTheRunIsLogged)
{
    OpenLog();
    const QString closed = QString::number(ClosedPort());
    Start();
    Form().edPort->setText(closed);

    PressNext(QStringLiteral("admin"));
    Form().edPort->setText(QString::number(Router().Port()));
    ASSERT_EQ(Page(), Form().tsUpgradeType);  // nothing answered the login

    const QByteArray log = ReadLog(LogPath());
    ExpectInOrder(log, {"norvo.http GET http://127.0.0.1:" + closed.toLatin1() + " -> failed: Socket Error # ",
                        "norvo.driver Login refused"});
}

// ---- The log file itself ---------------------------------------------------

TEST(SupportLogFile, AppendsRunAfterRunAndRotatesPastItsSize)
{
    QTemporaryDir folder;
    const QString path =
        folder.filePath(QStringLiteral("sub/dir/norvo-firmware-upgrade.log"));  // folder made on demand
    constexpr qint64 limit = 400;
    {
        TSupportLog first(path, QStringLiteral("=== run 1"), limit);
        first.Append("norvo.wizard", QStringLiteral("first run's step"));
    }
    {
        TSupportLog second(path, QStringLiteral("=== run 2"), limit);
        EXPECT_TRUE(ReadLog(path).contains("first run's step"));  // appended, not replaced
        for (int i = 0; i < 20; ++i)
            second.Append("norvo.wizard", QStringLiteral("step %1 of the second run").arg(i));
    }
    const QByteArray current = ReadLog(path);
    const QByteArray previous = ReadLog(path + QStringLiteral(".1"));
    EXPECT_LE(current.size(), limit);
    EXPECT_LE(previous.size(), limit);
    EXPECT_TRUE(current.contains("step 19 of the second run"));
    EXPECT_FALSE(current.contains("first run's step"));
    EXPECT_FALSE(previous.contains("first run's step"));  // two rotations: the oldest lines are gone
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".2")));
}

TEST(SupportLogFile, OneLinePerStepAlsoForTextsWithLineBreaks)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("norvo-firmware-upgrade.log"));
    {
        TSupportLog log(path, QStringLiteral("=== run"));
        log.Append("norvo.http", QStringLiteral("failed: Socket Error # 111\r\nConnection refused."));
    }
    const QList<QByteArray> lines = ReadLog(path).split('\n');
    ASSERT_EQ(lines.size(), 3);  // two lines and the empty rest after the last line break
    EXPECT_TRUE(lines[1].endsWith("norvo.http failed: Socket Error # 111 Connection refused."));
}

TEST(SupportLogFile, UnwritableFolderLeavesTheRunWithoutALog)
{
    QTemporaryDir folder;
    const QString blocker = folder.filePath(QStringLiteral("file"));
    WriteFile(blocker, "not a folder");
    TSupportLog log(blocker + QStringLiteral("/norvo-firmware-upgrade.log"), QStringLiteral("=== run"));
    EXPECT_FALSE(log.IsOpen());
    log.Append("norvo.wizard", QStringLiteral("goes nowhere"));  // no error
}

// The categories reach Qt's message handler, as QT_LOGGING_RULES expects;
// switching a category off keeps its lines in the file.
std::mutex messagesMutex;
std::vector<std::pair<std::string, std::string>> messages;

void RecordMessage(QtMsgType, const QMessageLogContext& context, const QString& text)
{
    std::lock_guard<std::mutex> lock(messagesMutex);
    messages.emplace_back(context.category ? context.category : "", text.toStdString());
}

TEST(SupportLogCategories, GoToQtsHandlerUnlessSwitchedOff)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("norvo-firmware-upgrade.log"));
    TSupportLog log(path, QStringLiteral("=== run"));
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordMessage);
    SupportLogLine(lcHttp(), QStringLiteral("shown"));
    QLoggingCategory::setFilterRules(QStringLiteral("norvo.http=false"));
    SupportLogLine(lcHttp(), QStringLiteral("switched off"));
    SupportLogLine(lcDriver(), QStringLiteral("other category"));
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(previous);

    using Message = std::pair<std::string, std::string>;
    EXPECT_EQ(messages, (std::vector<Message>{{"norvo.http", "shown"}, {"norvo.driver", "other category"}}));
    ExpectInOrder(ReadLog(path), {"norvo.http shown", "norvo.http switched off", "norvo.driver other category"});
}

struct RedactionCase {
    const char* url;
    const char* logged;
};

void PrintTo(const RedactionCase& c, std::ostream* os) { *os << c.url; }

class Redaction : public ::testing::TestWithParam<RedactionCase> {};

TEST_P(Redaction, CutsTheLoginToken) { EXPECT_EQ(RedactedUrl(GetParam().url), QString::fromLatin1(GetParam().logged)); }

INSTANTIATE_TEST_SUITE_P(
    Urls, Redaction,
    ::testing::Values(
        RedactionCase{"http://192.168.0.1/post_login.xml?hash=salt0123abcd",
                      "http://192.168.0.1/post_login.xml?hash=<redacted>"},
        RedactionCase{"http://192.168.0.1/post_login.xml?hash=", "http://192.168.0.1/post_login.xml?hash=<redacted>"},
        // Everything after the token's name goes: the token has no end the log could trust.
        RedactionCase{"http://192.168.0.1/x?a=1&HASH=abc&b=2", "http://192.168.0.1/x?a=1&HASH=<redacted>"},
        RedactionCase{"http://192.168.0.1/reboot.cgi?reset=false", "http://192.168.0.1/reboot.cgi?reset=false"},
        RedactionCase{"http://192.168.0.1:8080/", "http://192.168.0.1:8080/"}));

// Salts are the router's to choose and addresses the user's to type: none
// of them may bring any of the digest into the log.
struct HostileTokenCase {
    const char* name;
    const char* address;
    const char* salt;
};

void PrintTo(const HostileTokenCase& c, std::ostream* os) { *os << c.name; }

const std::string kDigest = "0123456789abcdef0123456789abcdef";

class HostileToken : public ::testing::TestWithParam<HostileTokenCase> {};

TEST_P(HostileToken, LeavesNoneOfTheDigest)
{
    const HostileTokenCase& c = GetParam();
    const std::string url = std::string("http://") + c.address + "/post_login.xml?hash=" + c.salt + kDigest;
    const QString logged = RedactedUrl(url);
    EXPECT_TRUE(logged.endsWith(QStringLiteral("hash=<redacted>"), Qt::CaseInsensitive)) << logged.toStdString();
    for (std::size_t piece = 0; piece + 8 <= kDigest.size(); ++piece)
        EXPECT_FALSE(logged.contains(QString::fromStdString(kDigest.substr(piece, 8)))) << logged.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Urls, HostileToken,
    ::testing::Values(HostileTokenCase{"ampersand", "192.168.0.1", "ab&cd"},
                      HostileTokenCase{"ampersand_and_a_second_name", "192.168.0.1", "x&hash=&y="},
                      HostileTokenCase{"question_mark", "192.168.0.1", "a?b"},
                      HostileTokenCase{"hash_sign", "192.168.0.1", "a#b"},
                      HostileTokenCase{"equals", "192.168.0.1", "a=b=c"},
                      HostileTokenCase{"percent", "192.168.0.1", "%26%23%3F"},
                      HostileTokenCase{"spaces", "192.168.0.1", "a b\tc"},
                      HostileTokenCase{"address_with_question_mark", "192.168.0.1?x=1", "salt"},
                      HostileTokenCase{"address_with_question_mark_and_hostile_salt", "192.168.0.1?", "&#?= %"},
                      HostileTokenCase{"address_naming_the_token_itself", "192.168.0.1/HASH=", "&x"},
                      HostileTokenCase{"address_with_port_and_hash_sign", "192.168.0.1:8080#", "s&"}),
    [](const auto& info) { return std::string(info.param.name); });

// A whole login against a router whose salt is hostile: neither the support
// log nor the lines for standard error carry any of the digest.
struct HostileSaltCase {
    const char* name;
    const char* salt;
    bool accepted;  // a "#" or a blank breaks the request itself: the router refuses it
};

void PrintTo(const HostileSaltCase& c, std::ostream* os) { *os << c.name; }

class HostileSaltLogin : public SupportLogRun, public ::testing::WithParamInterface<HostileSaltCase> {};

TEST_P(HostileSaltLogin, LogsNoDigest)
{
    OpenLog();
    RouterSimConfig config;
    config.salt = GetParam().salt;
    config.password = "s3cret";
    Start(config);
    messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordMessage);
    Form().edPassword->setText(QStringLiteral("s3cret"));
    const bool accepted = Driver().Login();
    qInstallMessageHandler(previous);

    EXPECT_EQ(accepted, GetParam().accepted);
    const std::string token = testsupport::ExpectedLoginToken(GetParam().salt, "s3cret", 0x00);
    const std::string digest = token.substr(token.size() - 32);
    const QByteArray log = ReadLog(LogPath());
    EXPECT_TRUE(log.contains("/post_login.xml?hash=<redacted>"));
    std::string standardError;
    for (const auto& message : messages)
        standardError += message.second + "\n";
    EXPECT_NE(standardError.find("hash=<redacted>"), std::string::npos);
    for (std::size_t piece = 0; piece + 8 <= digest.size(); ++piece) {
        EXPECT_FALSE(log.contains(Bytes(digest.substr(piece, 8)))) << log.toStdString();
        EXPECT_EQ(standardError.find(digest.substr(piece, 8)), std::string::npos) << standardError;
    }
}

INSTANTIATE_TEST_SUITE_P(Salts, HostileSaltLogin,
                         ::testing::Values(HostileSaltCase{"ampersand", "ab&cd", true},
                                           HostileSaltCase{"question_mark", "a?b&c", true},
                                           HostileSaltCase{"equals_and_percent", "a=%41&=", true},
                                           HostileSaltCase{"hash_sign", "a#b", false},
                                           HostileSaltCase{"blank", "a b", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drivertest
