// Login padding on the wire, and the Check Firmware Version button with the
// real driver: what the router received and what the window then shows.
#include "tests/driver/RouterRun.h"

#include "tools/router-sim/lib/Md5.h"

#include <atomic>
#include <memory>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;

// The token a client must send: the salt and the MD5 (computed here with
// OpenSSL) of the salt, the password padded to 16 bytes and padding to 64.
std::string Token(const std::string& salt, const std::string& password, char pad)
{
    std::string data = salt + password.substr(0, 16);
    data.resize(salt.size() + 16, pad);
    if (data.size() < 64)
        data.resize(64, pad);
    return salt + testsupport::Md5Hex(data);
}

void CheckFirmware(TfrmMain& form) { form.btnCheckFirmware->click(); }

// ---- Padding of each attempt ------------------------------------------------

struct PaddingCase {
    const char* name;
    bool legacyPage;
    unsigned char acceptedPad;
    std::vector<char> pads;  // pad of each login request sent, in order
    bool loggedIn;
};

void PrintTo(const PaddingCase& c, std::ostream* os) { *os << c.name; }

class LoginPadding : public RouterRun, public ::testing::WithParamInterface<PaddingCase> {};

TEST_P(LoginPadding, EachAttemptCarriesTheExpectedToken)
{
    const PaddingCase& c = GetParam();
    RouterSimConfig config;
    config.legacyPage = c.legacyPage;
    config.acceptedPad = c.acceptedPad;
    config.password = "pass";
    Start(config);
    OpenPage(Form().tsConfiguration);
    Form().edPassword->setText(QStringLiteral("pass"));

    EXPECT_EQ(Driver().Login(), c.loggedIn);

    const std::vector<RouterRequest> logins = LoginRequests();
    ASSERT_EQ(logins.size(), c.pads.size());
    for (std::size_t i = 0; i < logins.size(); ++i) {
        SCOPED_TRACE(i);
        const std::string sent = logins[i].http.Query("hash");
        ASSERT_GT(sent.size(), 32u);
        const std::string salt = sent.substr(0, sent.size() - 32);
        EXPECT_EQ(salt.size(), 16u);
        EXPECT_EQ(sent, Token(salt, "pass", c.pads[i]));
    }
    // A second login starts over: the legacy padding comes back for its first attempt.
    EXPECT_EQ(Driver().Login(), c.loggedIn);
    const std::vector<RouterRequest> again = LoginRequests();
    ASSERT_EQ(again.size(), 2 * c.pads.size());
    const std::string first = again[c.pads.size()].http.Query("hash");
    EXPECT_EQ(first, Token(first.substr(0, 16), "pass", c.pads[0]));
}

INSTANTIATE_TEST_SUITE_P(Routers, LoginPadding,
                         ::testing::Values(PaddingCase{"zero_bytes", false, 0x00, {'\0'}, true},
                                           PaddingCase{"legacy_digit_zero", true, '0', {'0'}, true},
                                           PaddingCase{"retry_with_01", false, 0x01, {'\0', '\x01'}, true},
                                           PaddingCase{"legacy_then_retry_with_01", true, 0x01, {'0', '\x01'}, true},
                                           PaddingCase{
                                               "legacy_router_refusing_both", true, 0x00, {'0', '\x01'}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Check Firmware Version ------------------------------------------------

TEST_F(RouterRun, CheckFirmwareShowsTheVersionAndStaysOnConfiguration)
{
    Start();
    OpenPage(Form().tsConfiguration);
    EXPECT_EQ(Form().edIPAddress->text(), QStringLiteral("127.0.0.1"));
    Form().edPassword->setText(QStringLiteral("admin"));

    CheckFirmware(Form());

    EXPECT_EQ(Page(), Form().tsConfiguration);
    EXPECT_EQ(Form().lblFirmwareVersion->text(), QStringLiteral("3.5"));
    Driver().NextUpdate(Form().actNext);
    EXPECT_TRUE(Form().actNext.Enabled());
    EXPECT_EQ(Router().CountRequests("GET", "/post_login.xml"), 1);
}

struct CheckFailureCase {
    const char* name;
    bool legacyPage;
    std::string password;
    bool routerAway;   // nothing listens on the port
    bool hideVersion;  // the page after the login shows no version
    QString message;
    bool linkShown;
};

void PrintTo(const CheckFailureCase& c, std::ostream* os) { *os << c.name; }

class CheckFirmwareFailure : public RouterRun, public ::testing::WithParamInterface<CheckFailureCase> {};

TEST_P(CheckFirmwareFailure, ShowsTheOutcomeAndPreviousReturnsOnce)
{
    const CheckFailureCase& c = GetParam();
    RouterSimConfig config;
    config.legacyPage = c.legacyPage;
    auto rootPages = std::make_shared<std::atomic<int>>(0);
    if (c.hideVersion)
        config.intercept = [rootPages](const RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
            // Root pages 1 and 2 serve the login; the third is the version read.
            if (request.http.Path() == "/" && ++*rootPages == 3)
                return Answer("HTTP/1.0 200 OK", "<html><body>Welcome</body></html>");
            return std::nullopt;
        };
    Start(config);
    OpenPage(Form().tsConfiguration);
    if (c.routerAway)
        Form().edPort->setText(QString::number(ClosedPort()));
    Form().edPassword->setText(QString::fromStdString(c.password));

    CheckFirmware(Form());

    EXPECT_EQ(Page(), Form().tsOutcome);
    EXPECT_EQ(OutcomeText(), c.message);
    EXPECT_FALSE(OutcomeIsSuccess());
    EXPECT_EQ(Form().Link_Label->isVisibleTo(&Form()), c.linkShown);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    Form().UpdateActions();
    EXPECT_TRUE(Form().actPrevious.Enabled());
    Form().btnPrevious->click();
    EXPECT_EQ(Page(), Form().tsConfiguration);

    // Back on the outcome page without a new check, Previous has nowhere to go.
    Form().pcCards->setCurrentWidget(Form().tsOutcome);
    Form().UpdateActions();
    EXPECT_FALSE(Form().actPrevious.Enabled());
    Driver().PreviousExecute(Form().actPrevious);
    EXPECT_EQ(Page(), Form().tsOutcome);
}

const QString kLoginError = QStringLiteral("Error logging into router. ") + RetryAdvice;

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CheckFirmwareFailure,
    ::testing::Values(
        CheckFailureCase{"wrong_password", false, "wrong", false, false, kLoginError, false},
        CheckFailureCase{"router_away", false, "admin", true, false, kLoginError, false},
        CheckFailureCase{
            "no_version_on_page", false, "admin", false, true,
            QStringLiteral("Could not connect to router and/or determine firmware version. ") + RetryAdvice, false},
        // A 3.0x router that refuses the login gets the manual-upgrade advice.
        CheckFailureCase{
            "legacy_router_refusing", true, "wrong", false, false,
            QStringLiteral("This router has firmware version 3.0. ") + Text(ProductProfile::ManualUpgradeText), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RouterRun, LegacyFindingIsReadOnceAndClearedByTheNextLogin)
{
    RouterSimConfig config;
    config.legacyPage = true;
    config.acceptedPad = '0';
    Start(config);
    Form().edPassword->setText(QStringLiteral("admin"));

    EXPECT_TRUE(Driver().Login());
    EXPECT_TRUE(Driver().IsLegacyFirmware());
    EXPECT_FALSE(Driver().IsLegacyFirmware());

    EXPECT_TRUE(Driver().Login());
    // A login on a router that is no longer there finds nothing legacy.
    Form().edPort->setText(QString::number(ClosedPort()));
    EXPECT_FALSE(Driver().Login());
    EXPECT_FALSE(Driver().IsLegacyFirmware());
}

}  // namespace
}  // namespace drivertest
