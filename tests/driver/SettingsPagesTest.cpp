// The Save Settings and Restore Settings pages and Save Firmware, with the
// real driver and the simulated router.
#include "tests/driver/RouterRun.h"

#include "resources/FirmwareImage.h"
#include "tools/router-sim/lib/RouterPages.h"

#include <QDir>
#include <QTemporaryDir>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;

class SettingsPages : public RouterRun {
protected:
    void SetUp() override
    {
        RouterRun::SetUp();
        ASSERT_TRUE(folder.isValid());
    }

    bool LogIn()
    {
        Form().edPassword->setText(QStringLiteral("admin"));
        return Driver().Login();
    }

    QStringList FolderEntries() const
    {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    QTemporaryDir folder;
};

TEST_F(SettingsPages, SaveThenRestoreRoundTripsTheSettingsAndRestartsTheRouter)
{
    Start();
    ASSERT_TRUE(LogIn());
    OpenPage(Form().tsSaveSettings);
    EXPECT_EQ(Form().edSaveSettingsFile->text(), SettingsFile);  // the default name
    const QString file = folder.filePath(QStringLiteral("router.gws"));
    Form().edSaveSettingsFile->setText(file);
    Form().UpdateActions();
    ASSERT_TRUE(Form().actSaveSettings.Enabled());

    Form().btnSaveSettings->click();

    EXPECT_TRUE(Seams().Errors.empty());
    EXPECT_TRUE(ReadFile(file) == Bytes(Router().Settings()));
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("router.gws")});
    EXPECT_EQ(Page(), Form().tsSaveSettings);
    EXPECT_EQ(Form().lblStatus->text(), QStringLiteral("Saving Router Settings..."));

    // Change the router's settings, then put the saved ones back.
    const std::string saved = Router().Settings();
    const std::string other = testsupport::MakeSettingsBlob("user", "other", 4096);
    const QString otherFile = folder.filePath(QStringLiteral("other.gws"));
    WriteFile(otherFile, Bytes(other));
    Driver().RestoreSettings(otherFile);
    Driver().RestartRouter();
    ASSERT_EQ(Router().Settings(), other);
    ASSERT_FALSE(Driver().Login());  // the password changed with the settings
    Form().edPassword->setText(QStringLiteral("other"));
    ASSERT_TRUE(Driver().Login());
    Waits.clear();

    OpenPage(Form().tsRestoreSettings);
    EXPECT_EQ(Form().edRestoreSettingsFilename->text(), file);  // taken from the Save page
    Form().UpdateActions();
    ASSERT_TRUE(Form().actRestoreSettings.Enabled());
    Form().btnRestoreSettings->click();

    EXPECT_TRUE(Seams().Errors.empty());
    const std::vector<testsupport::RouterUpload> uploads = Router().SettingsUploads();
    ASSERT_EQ(uploads.size(), 2u);
    EXPECT_EQ(uploads[1].data, saved);
    EXPECT_EQ(uploads[1].filename, file.toStdString());
    EXPECT_EQ(Router().Settings(), saved);  // applied by the restart
    EXPECT_EQ(Router().Password(), "admin");
    EXPECT_EQ(Waits, std::vector<int>(12, 5000));
    EXPECT_EQ(Page(), Form().tsRestoreSettings);
    EXPECT_EQ(Form().lblStatus->text(), QStringLiteral("The router has finished restarting..."));
    EXPECT_TRUE(Form().mmoOutput->toPlainText().contains(QStringLiteral("Settings uploaded successfully")));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

struct FailedSaveCase {
    const char* name;
    bool logIn;            // without a login the router refuses with 403
    const char* cutReply;  // what the router sends before it closes; nullptr: a normal answer
    bool missingFolder;    // the target's folder does not exist
    QString message;       // prefix of the error shown
    int downloadsSent;
};

void PrintTo(const FailedSaveCase& c, std::ostream* os) { *os << c.name; }

class FailedSettingsSave : public SettingsPages, public ::testing::WithParamInterface<FailedSaveCase> {};

TEST_P(FailedSettingsSave, KeepsTheEarlierBackupAndLeavesNoPartialFile)
{
    const FailedSaveCase& c = GetParam();
    RouterSimConfig config;
    if (c.cutReply)
        config.intercept = [c](const RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
            if (request.http.Path() == "/getconfig.cgi")
                return testsupport::ScriptedReply{c.cutReply, testsupport::ScriptedReply::Then::Close};
            return std::nullopt;
        };
    Start(config);
    if (c.logIn) {
        ASSERT_TRUE(LogIn());
    }
    const QString file = c.missingFolder ? folder.filePath(QStringLiteral("absent/router.gws"))
                                         : folder.filePath(QStringLiteral("router.gws"));
    if (!c.missingFolder) {
        WriteFile(file, "earlier backup");
    }
    OpenPage(Form().tsSaveSettings);
    Form().edSaveSettingsFile->setText(file);
    Form().UpdateActions();

    Form().btnSaveSettings->click();

    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_TRUE(Seams().Errors[0].startsWith(c.message)) << Seams().Errors[0].toStdString();
    EXPECT_EQ(Router().CountRequests("GET", "/getconfig.cgi"), c.downloadsSent);
    if (c.missingFolder) {
        EXPECT_TRUE(FolderEntries().isEmpty());
    } else {
        EXPECT_TRUE(ReadFile(file) == QByteArray("earlier backup"));
        EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("router.gws")});
    }
    EXPECT_EQ(Page(), Form().tsSaveSettings);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedSettingsSave,
    ::testing::Values(
        FailedSaveCase{"router_refuses", false, nullptr, false, QStringLiteral("HTTP/1.0 403 Forbidden"), 1},
        FailedSaveCase{"connection_closed", true, "", false, QStringLiteral("Connection Closed Gracefully."), 1},
        // Half of the announced settings, then the router closes: a cut-off
        // copy must not replace the earlier backup.
        FailedSaveCase{"closed_mid_body", true,
                       "HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n0123456789012345678901234567890123456789", false,
                       QStringLiteral("Connection Closed Gracefully."), 1},
        // Nothing, or a head cut short: no backup at all, never an empty one.
        FailedSaveCase{"empty_until_close", true, "HTTP/1.0 200 OK\r\n\r\n", false,
                       QStringLiteral("The router sent empty settings."), 1},
        FailedSaveCase{"empty_by_length", true, "HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", false,
                       QStringLiteral("The router sent empty settings."), 1},
        FailedSaveCase{"status_line_then_close", true, "HTTP/1.0 200 OK", false,
                       QStringLiteral("Connection Closed Gracefully."), 1},
        FailedSaveCase{"head_cut_short", true, "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n", false,
                       QStringLiteral("Connection Closed Gracefully."), 1},
        FailedSaveCase{"folder_missing", true, nullptr, true, QStringLiteral("Cannot create file \""), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsPages, RefusedRestoreIsShownAndDoesNotRestart)
{
    // The router refuses every password the user has: nothing is sent. Once
    // logged in, a router that refuses the upload says so for itself.
    RouterSimConfig config;
    config.intercept = [](const testsupport::RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
        if (request.http.Path() == "/setconfig.cgi")
            return Answer("HTTP/1.0 403 Forbidden");
        return std::nullopt;
    };
    Start(config);
    const QString file = folder.filePath(QStringLiteral("router.gws"));
    WriteFile(file, "settings");
    OpenPage(Form().tsRestoreSettings);
    Form().edRestoreSettingsFilename->setText(QStringLiteral("  ") + file + QStringLiteral(" "));
    Form().UpdateActions();
    ASSERT_TRUE(Form().actRestoreSettings.Enabled());

    Form().btnRestoreSettings->click();  // the password prompt is cancelled

    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_TRUE(Seams().Errors[0].contains(QStringLiteral("were not sent"))) << Seams().Errors[0].toStdString();
    EXPECT_EQ(Seams().PasswordPrompts.size(), 1u);
    EXPECT_EQ(Router().CountRequests("POST", "/setconfig.cgi"), 0);
    EXPECT_EQ(Router().CountRequests("GET", "/reboot.cgi"), 0);

    Seams().PasswordAnswers.push_back(QStringLiteral("admin"));
    Form().btnRestoreSettings->click();

    ASSERT_EQ(Seams().Errors.size(), 2u);
    EXPECT_EQ(Seams().Errors[1], QStringLiteral("HTTP/1.0 403 Forbidden"));
    EXPECT_EQ(Router().CountRequests("POST", "/setconfig.cgi"), 1);
    EXPECT_EQ(Router().CountRequests("GET", "/reboot.cgi"), 0);
    EXPECT_EQ(Form().lblStatus->text(), QStringLiteral("Finalizing Router Settings Upload..."));
    EXPECT_EQ(Page(), Form().tsRestoreSettings);
}

TEST_F(SettingsPages, RestoringAMissingFileFailsBeforeAnyRequest)
{
    Start();
    ASSERT_TRUE(LogIn());
    const std::size_t before = Router().Requests().size();

    EXPECT_THROW(Driver().RestoreSettings(folder.filePath(QStringLiteral("absent.gws"))), Exception);

    EXPECT_EQ(Router().Requests().size(), before);
    EXPECT_EQ(Form().lblStatus->text(), QStringLiteral("Finalizing Router Settings Upload..."));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(SettingsPages, SaveFirmwareWritesTheEmbeddedImageOrNothingWhenCancelled)
{
    Start();
    Form().ShowOutcome(QStringLiteral("failed"), false);
    ASSERT_TRUE(Form().pnlSaveFirmware->isVisibleTo(Form().tsOutcome));
    const QString file = folder.filePath(QStringLiteral("firmware"));

    Seams().DialogAnswers.push_back(std::nullopt);
    Form().btnSaveFirmware->click();
    EXPECT_TRUE(FolderEntries().isEmpty());
    EXPECT_TRUE(Seams().Messages.empty());

    Seams().DialogAnswers.push_back(file);
    Form().btnSaveFirmware->click();
    EXPECT_TRUE(ReadFile(file) == FirmwareImage::Load());
    EXPECT_EQ(FolderEntries(), QStringList{QStringLiteral("firmware")});
    EXPECT_EQ(Seams().Messages, std::vector<QString>{QStringLiteral("The firmware file has been saved.")});
    EXPECT_TRUE(Router().Requests().empty());
}

}  // namespace
}  // namespace drivertest
