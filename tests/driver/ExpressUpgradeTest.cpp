// The one-click upgrade through the real window against the simulated router:
// what the user ends up seeing, and what the router received on the way.
#include "tests/driver/RouterRun.h"

#include "resources/FirmwareImage.h"
#include "tools/router-sim/lib/RouterPages.h"

#include <sys/stat.h>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;
using Requests = std::vector<std::string>;

const Requests kLogin = {"GET /", "GET /", "GET /post_login.xml"};
const Requests kVersion = {"GET /"};

Requests Concat(std::initializer_list<Requests> pieces)
{
    Requests all;
    for (const Requests& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

// ---- Complete runs --------------------------------------------------------

struct FullRunCase {
    const char* name;
    bool passwordOnConfigurationPage;  // else typed on the Upgrade Type page
    bool legacyPage;
    unsigned char acceptedPad;
    int loginsPerLogin;  // login requests each login needs (2 when only the retry is accepted)
};

void PrintTo(const FullRunCase& c, std::ostream* os) { *os << c.name; }

class FullExpressUpgrade : public RouterRun, public ::testing::WithParamInterface<FullRunCase> {};

TEST_P(FullExpressUpgrade, UpgradesRestoresSettingsAndEndsOnSuccess)
{
    const FullRunCase& c = GetParam();
    RouterSimConfig config;
    config.password = "s3cret";
    config.legacyPage = c.legacyPage;
    config.acceptedPad = c.acceptedPad;
    Start(config);
    const std::string settingsBefore = Router().Settings();
    const std::string versionBefore = Router().FirmwareVersion();

    // The backup and the firmware file hold what only the user may read.
    std::vector<unsigned> modes;
    OnWait = [&] {
        struct stat info {};
        if (modes.empty() && ::lstat(QFile::encodeName(SettingsFile).constData(), &info) == 0)
            modes.push_back(info.st_mode & 07777);
    };
    if (c.passwordOnConfigurationPage)
        Form().edPassword->setText(QStringLiteral("s3cret"));
    PressNext(c.passwordOnConfigurationPage ? QString() : QStringLiteral("  s3cret "));

    // What the user sees.
    EXPECT_EQ(Page(), Form().tsOutcome);
    EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    EXPECT_TRUE(OutcomeIsSuccess());
    EXPECT_EQ(Form().btnCancel->text(), QStringLiteral("&Close"));
    EXPECT_TRUE(Form().btnCancel->isEnabled());
    EXPECT_FALSE(Form().btnNext->isEnabled());
    EXPECT_FALSE(Form().pnlSaveFirmware->isVisibleTo(Form().tsOutcome));
    EXPECT_TRUE(Seams().Errors.empty());
    EXPECT_EQ(Form().edPassword->text(), c.passwordOnConfigurationPage ? QStringLiteral("s3cret") : QString());
    EXPECT_EQ(Form().edExpressAdminPassword->text(),
              c.passwordOnConfigurationPage ? QString() : QStringLiteral("s3cret"));
    EXPECT_TRUE(Form().mmoOutput->toPlainText().contains(QStringLiteral("Settings uploaded successfully")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // What the router went through.
    EXPECT_NE(versionBefore, "3.6");
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(Router().Password(), "s3cret");
    EXPECT_EQ(Router().Settings(), settingsBefore);
    EXPECT_EQ(Router().Reboots(), 2);

    Requests login = kLogin;
    if (c.loginsPerLogin == 2)
        login = Concat({kLogin, {"GET /", "GET /post_login.xml"}});
    // After the upgrade the router's padding is the new firmware's (0x00)
    // unless it accepts only the retry.
    const Requests laterLogin = c.acceptedPad == 0x01 ? login : kLogin;
    EXPECT_EQ(Received(), Concat({login,
                                  kVersion,
                                  {"GET /getconfig.cgi", "POST /upload.cgi", "GET /reboot.cgi"},
                                  {"GET /"},  // the router is back at the first poll
                                  laterLogin,
                                  {"POST /setconfig.cgi", "GET /reboot.cgi", "GET /"},
                                  laterLogin,
                                  kVersion}));

    const std::vector<testsupport::RouterUpload> firmware = Router().FirmwareUploads();
    ASSERT_EQ(firmware.size(), 1u);
    EXPECT_TRUE(Bytes(firmware[0].data) == FirmwareImage::Load());
    EXPECT_EQ(firmware[0].filename, FirmwareFile.toStdString());
    const std::vector<testsupport::RouterUpload> settings = Router().SettingsUploads();
    ASSERT_EQ(settings.size(), 1u);
    EXPECT_EQ(settings[0].data, settingsBefore);
    EXPECT_EQ(settings[0].filename, SettingsFile.toStdString());
    for (const RouterRequest& request : Router().Requests())
        EXPECT_EQ(request.http.Query("reset"), request.http.Path() == "/reboot.cgi" ? "false" : "");

    // Two restarts: a minute of 5-second pauses each, and no pause after a
    // poll that finds the router back.
    EXPECT_EQ(Waits, std::vector<int>(24, 5000));
    EXPECT_EQ(modes, std::vector<unsigned>{0600});
    // Verified: the backup has done its work and is neither kept nor offered.
    EXPECT_FALSE(QFile::exists(SettingsFile));
    EXPECT_FALSE(QFile::exists(FirmwareFile));
    EXPECT_TRUE(PendingBackup::File().isEmpty());
    EXPECT_FALSE(Form().pnlRestoreBackup->isVisibleTo(Form().tsOutcome));
}

INSTANTIATE_TEST_SUITE_P(Routers, FullExpressUpgrade,
                         ::testing::Values(FullRunCase{"password_on_upgrade_type_page", false, false, 0x00, 1},
                                           FullRunCase{"password_only_on_configuration_page", true, false, 0x00, 1},
                                           FullRunCase{"legacy_router_digit_padding", false, true, '0', 1},
                                           FullRunCase{"router_accepting_only_the_retry", false, false, 0x01, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RouterRun, RouterAlreadyCurrentGetsNoBackupUploadOrRestart)
{
    RouterSimConfig config;
    config.firmwareVersion = "3.6";
    Start(config);

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(OutcomeText(), Text(ProductProfile::AlreadyCurrentText));
    EXPECT_TRUE(OutcomeIsSuccess());
    EXPECT_EQ(Form().btnCancel->text(), QStringLiteral("&Close"));
    EXPECT_EQ(Received(), Concat({kLogin, kVersion, kVersion}));
    EXPECT_TRUE(Waits.empty());
    EXPECT_FALSE(QFile::exists(SettingsFile));
}

TEST_F(RouterRun, WrongPasswordAsksAgainAndTheRetypedPasswordUpgrades)
{
    Start();

    PressNext(QStringLiteral("wrong"));

    EXPECT_EQ(Page(), Form().tsUpgradeType);
    EXPECT_EQ(Form().lblExpressUpgrade->text(), LoginFailedText);
    for (QWidget* shown :
         {static_cast<QWidget*>(Form().lblExpressUpgrade), static_cast<QWidget*>(Form().edExpressAdminPassword),
          static_cast<QWidget*>(Form().lblExpressAdminPassword)})
        EXPECT_TRUE(shown->isVisibleTo(Form().tsUpgradeType)) << shown->objectName().toStdString();
    for (QWidget* hidden : {static_cast<QWidget*>(Form().Label2), static_cast<QWidget*>(Form().WiredChk),
                            static_cast<QWidget*>(Form().lblContinue), static_cast<QWidget*>(Form().Link_Label)})
        EXPECT_FALSE(hidden->isVisibleTo(&Form())) << hidden->objectName().toStdString();
    EXPECT_TRUE(Form().btnNext->isEnabled());
    EXPECT_TRUE(Form().btnCancel->isEnabled());
    // The refused first attempt asks for the retry; nothing else happened.
    EXPECT_EQ(Received(), Concat({kLogin, {"GET /", "GET /post_login.xml"}}));

    Form().edExpressAdminPassword->setText(QStringLiteral("admin"));
    Form().btnNext->click();

    EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(Router().CountRequests("GET", "/getconfig.cgi"), 1);
}

// ---- Runs that end in a failure outcome -------------------------------------

struct FailedRunCase {
    const char* name;
    std::function<void(RouterSimConfig&)> configure;
    QString outcome;
    int settingsUploads;
    int reboots;
    std::string routerVersion;
};

void RefuseUpload(RouterSimConfig& config)
{
    config.intercept = [](const RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
        if (request.http.Path() == "/upload.cgi")
            return Answer("HTTP/1.0 500 Internal Server Error", "flash write failed");
        return std::nullopt;
    };
}

void PrintTo(const FailedRunCase& c, std::ostream* os) { *os << c.name; }

class FailedRun : public RouterRun, public ::testing::WithParamInterface<FailedRunCase> {};

// Every end after the backup that is not a verified upgrade keeps the
// backup, tells where it is and offers to restore it.
TEST_P(FailedRun, KeepsTheBackupAndOffersIt)
{
    const FailedRunCase& c = GetParam();
    RouterSimConfig config;
    c.configure(config);
    Start(config);
    const std::string settingsBefore = Router().Settings();

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(OutcomeText(), c.outcome);
    ExpectBackupOffered();
    EXPECT_TRUE(ReadFile(SettingsFile) == Bytes(settingsBefore));
    EXPECT_TRUE(Form().pnlSaveFirmware->isVisibleTo(Form().tsOutcome));
    EXPECT_EQ(Form().btnCancel->text(), QStringLiteral("&Cancel"));
    EXPECT_TRUE(Form().btnCancel->isEnabled());
    EXPECT_FALSE(Form().btnNext->isEnabled());
    EXPECT_TRUE(Seams().Errors.empty());
    EXPECT_EQ(Router().SettingsUploads().size(), static_cast<std::size_t>(c.settingsUploads));
    EXPECT_EQ(Router().Reboots(), c.reboots);
    EXPECT_EQ(Router().FirmwareVersion(), c.routerVersion);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, FailedRun,
    ::testing::Values(FailedRunCase{"empty_password_refused_after_upgrade",
                                    [](RouterSimConfig& config) { config.factoryPassword = "factory"; },
                                    UpgradeErrorText, 0, 1, "3.6"},
                      FailedRunCase{"restore_answered_but_ignored_so_the_last_login_fails",
                                    [](RouterSimConfig& config) { config.ignoredSettingsUploads = 1; },
                                    UpgradeErrorText, 1, 2, "3.6"},
                      FailedRunCase{"version_mismatch_after_the_run",
                                    [](RouterSimConfig& config) { config.upgradedFirmwareVersion = "3.60"; },
                                    MismatchText, 1, 2, "3.60"},
                      FailedRunCase{"router_refuses_the_upload_and_keeps_the_old_password", RefuseUpload,
                                    UpgradeErrorText, 0, 1, "3.5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RouterRun, FailedUploadShowsTheFirmwareProblemAndTheRunGoesOn)
{
    RouterSimConfig config;
    RefuseUpload(config);
    Start(config);
    QString outcomeAtRestart;
    OnWait = [&] {
        if (outcomeAtRestart.isEmpty())
            outcomeAtRestart = OutcomeText();
    };

    PressNext(QStringLiteral("admin"));

    // The router may have taken the image: the run goes on with the restart.
    EXPECT_EQ(outcomeAtRestart, FirmwareProblemText);
    EXPECT_EQ(Router().CountRequests("POST", "/upload.cgi"), 1);
    EXPECT_TRUE(QFile::exists(FirmwareFile));
    EXPECT_EQ(Router().Reboots(), 1);
    EXPECT_EQ(OutcomeText(), UpgradeErrorText);
}

// ---- Images that must not be sent ------------------------------------------

struct ImageCase {
    const char* name;
    bool damaged;
    bool placeholder;
    bool allowed;  // --allow-placeholder-firmware
    bool upgrades;
};

void PrintTo(const ImageCase& c, std::ostream* os) { *os << c.name; }

class FirmwareImageCheck : public RouterRun, public ::testing::WithParamInterface<ImageCase> {};

TEST_P(FirmwareImageCheck, RefusedImageEndsBeforeAnyRequest)
{
    const ImageCase& c = GetParam();
    Start();
    Driver().Firmware().AllowPlaceholder = c.allowed;
    Driver().Firmware().IsPlaceholder = [&c] { return c.placeholder; };
    if (c.damaged)
        Seams().LoadFirmware = []() -> QByteArray {
            throw Exception("The firmware image in this installer is damaged.");
        };

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(Page(), Form().tsOutcome);
    if (c.upgrades) {
        EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
        EXPECT_EQ(Router().FirmwareVersion(), "3.6");
        return;
    }
    EXPECT_EQ(OutcomeText(), FirmwareProblemText);
    EXPECT_FALSE(OutcomeIsSuccess());
    EXPECT_TRUE(Received().empty());
    EXPECT_EQ(Router().Connections(), 0);
    EXPECT_FALSE(QFile::exists(SettingsFile));
    EXPECT_FALSE(QFile::exists(FirmwareFile));
    EXPECT_FALSE(Form().pnlRestoreBackup->isVisibleTo(Form().tsOutcome));
    EXPECT_TRUE(Form().btnCancel->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Images, FirmwareImageCheck,
                         ::testing::Values(ImageCase{"damaged", true, false, false, false},
                                           ImageCase{"placeholder_without_the_option", false, true, false, false},
                                           ImageCase{"placeholder_with_the_option", false, true, true, true},
                                           ImageCase{"real_image", false, false, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RouterRun, RouterNeverBackAfterRestartEndsInTheErrorOutcome)
{
    RouterSimConfig config;
    config.rebootDowntimeMs = 24LL * 60 * 60 * 1000;
    Start(config);

    PressNext(QStringLiteral("admin"));

    // A minute of fixed pauses, then 101 unanswered polls with a pause each.
    EXPECT_EQ(Waits, std::vector<int>(12 + 101, 5000));
    EXPECT_FALSE(Router().IsUp());
    EXPECT_EQ(OutcomeText(), UpgradeErrorText);
    EXPECT_FALSE(OutcomeIsSuccess());
    EXPECT_EQ(Router().CountRequests("POST", "/setconfig.cgi"), 0);
    EXPECT_TRUE(QFile::exists(SettingsFile));
}

// ---- Errors that escape the run -----------------------------------------------

struct EscapingErrorCase {
    const char* name;
    const char* failingPath;
    bool cutOff;    // the router closes without answering; else it answers 500
    bool byAction;  // run through actNext's execute handler instead of the button
    QString message;
    int uploadsSent;
    bool routerMayBeChanged;  // else nothing was changed: back to retry
};

void PrintTo(const EscapingErrorCase& c, std::ostream* os) { *os << c.name; }

class ErrorEscapingTheRun : public RouterRun, public ::testing::WithParamInterface<EscapingErrorCase> {};

TEST_P(ErrorEscapingTheRun, IsShownAndEndsOnTheOfferOrLeavesNextUsable)
{
    const EscapingErrorCase& c = GetParam();
    RouterSimConfig config;
    config.intercept = [c](const RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
        if (request.http.Path() != c.failingPath)
            return std::nullopt;
        if (c.cutOff)
            return testsupport::ScriptedReply{"", testsupport::ScriptedReply::Then::Close};
        return Answer("HTTP/1.0 500 Internal Server Error");
    };
    Start(config);
    Form().WiredChk->setChecked(true);
    Form().edExpressAdminPassword->setText(QStringLiteral("admin"));

    if (c.byAction)
        Form().actNext.OnExecute(Form().actNext);
    else
        Form().btnNext->click();

    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_EQ(Seams().Errors[0], c.message);
    EXPECT_TRUE(Form().btnCancel->isEnabled());
    if (c.routerMayBeChanged) {
        // Next again would find the new version and call the router current,
        // its settings never restored: the run ends on the offer instead.
        EXPECT_EQ(OutcomeText(), UpgradeErrorText);
        ExpectBackupOffered();
        EXPECT_FALSE(Form().btnNext->isEnabled());
    } else {
        EXPECT_EQ(Page(), Form().tsUpgradeType);
        EXPECT_TRUE(Form().btnNext->isEnabled());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Router().CountRequests("POST", "/upload.cgi"), c.uploadsSent);
    // The password boxes are as the user left them, also after the run had emptied them.
    EXPECT_EQ(Form().edExpressAdminPassword->text(), QStringLiteral("admin"));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorEscapingTheRun,
    ::testing::Values(EscapingErrorCase{"settings_download_refused", "/getconfig.cgi", false, false,
                                        QStringLiteral("HTTP/1.0 500 Internal Server Error"), 0, false},
                      EscapingErrorCase{"settings_download_refused_next_action", "/getconfig.cgi", false, true,
                                        QStringLiteral("HTTP/1.0 500 Internal Server Error"), 0, false},
                      EscapingErrorCase{"restart_request_cut_off", "/reboot.cgi", true, false,
                                        QStringLiteral("Connection Closed Gracefully."), 1, true},
                      EscapingErrorCase{"settings_restore_refused", "/setconfig.cgi", false, false,
                                        QStringLiteral("HTTP/1.0 500 Internal Server Error"), 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RouterRun, FailedSettingsDownloadInTheRunWritesNoSettingsFile)
{
    RouterSimConfig config;
    config.intercept = [](const RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
        if (request.http.Path() == "/getconfig.cgi")
            return Answer("HTTP/1.0 503 Service Unavailable");
        return std::nullopt;
    };
    Start(config);

    PressNext(QStringLiteral("admin"));

    EXPECT_FALSE(QFile::exists(SettingsFile));
    EXPECT_EQ(QDir(QCoreApplication::applicationDirPath())
                  .entryList({QStringLiteral("SaveRouterSettings.gws*")}, QDir::Files | QDir::Hidden),
              QStringList());
}

}  // namespace
}  // namespace drivertest
