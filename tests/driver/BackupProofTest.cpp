// The settings backup goes only on proof that the router holds the settings
// again, and no backup is ever written over: through the real window against
// the simulated router.
#include "tests/driver/RouterRun.h"

#include "driver/ProgramFiles.h"
#include "tests/support/UserFolders.h"
#include "tools/router-sim/lib/RouterPages.h"

#include <QDir>
#include <QFileInfo>

namespace drivertest {
namespace {

using testsupport::RouterSimConfig;

const QString kKeptText = QStringLiteral("are kept in");
const QString kSavedText = QStringLiteral("are saved in");

// A backup an earlier run left: written and recorded.
QString LeaveEarlierBackup(const QString& path)
{
    WriteFile(path, "settings of an earlier run");
    PendingBackup::Record(path);
    return path;
}

struct ProofCase {
    const char* name;
    std::string password;  // the router's and the user's admin password
    int ignoredSettingsUploads;
    bool success;  // the outcome
    bool backupKept;
    bool recordKept;    // the next start asks about it
    QString offerText;  // in the offer on the outcome page; empty: no offer
    TRunResult result;  // what a view without words (the command line) reports
};

void PrintTo(const ProofCase& c, std::ostream* os) { *os << c.name; }

class BackupProof : public RouterRun, public ::testing::WithParamInterface<ProofCase> {};

TEST_P(BackupProof, BackupGoesOnlyWhenTheLastLoginProvesTheRestore)
{
    const ProofCase& c = GetParam();
    RouterSimConfig config;
    config.password = c.password;
    config.ignoredSettingsUploads = c.ignoredSettingsUploads;
    Start(config);
    const std::string settingsBefore = Router().Settings();

    PressNext(QString::fromStdString(c.password));

    EXPECT_EQ(Page(), Form().tsOutcome);
    EXPECT_EQ(OutcomeIsSuccess(), c.success);
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(QFile::exists(SettingsFile), c.backupKept);
    if (c.backupKept) {
        EXPECT_TRUE(ReadFile(SettingsFile) == Bytes(settingsBefore));
    }
    EXPECT_EQ(PendingBackup::File(), c.recordKept ? SettingsFile : QString());
    EXPECT_EQ(Form().pnlRestoreBackup->isVisibleTo(Form().tsOutcome), !c.offerText.isEmpty());
    if (!c.offerText.isEmpty()) {
        EXPECT_TRUE(Form().lblBackupFile->text().contains(c.offerText)) << Form().lblBackupFile->text().toStdString();
        EXPECT_TRUE(Form().lblBackupFile->text().contains(SettingsFile));
    }
    EXPECT_TRUE(Seams().Errors.empty());
    EXPECT_EQ(Form().Upgrader().Result(), c.result);
    EXPECT_EQ(Form().Upgrader().OfferedBackup(), c.offerText.isEmpty() ? QString() : SettingsFile);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, BackupProof,
    ::testing::Values(
        // The factory router takes the empty password too: that login proves
        // nothing, so the file stays and is offered, but the next start won't ask.
        ProofCase{"empty_password_restore_ignored", "", 1, true, true, false, kKeptText, TRunResult::UpgradedUnproven},
        ProofCase{"empty_password_restore_works", "", 0, true, true, false, kKeptText, TRunResult::UpgradedUnproven},
        ProofCase{"password_set_restore_ignored", "admin", 1, false, true, true, kSavedText,
                  TRunResult::FailedBackupKept},
        ProofCase{"password_set_restore_works", "admin", 0, true, false, false, QString(), TRunResult::Upgraded}),
    [](const auto& info) { return std::string(info.param.name); });

// A configuration folder that cannot be written (owned by root after a sudo
// run, say): a file stands where the folder should be.
class UnwritableConfigFolder {
public:
    UnwritableConfigFolder()
        : folder_(testsupport::UserFolders().filePath(QStringLiteral("config/norvo"))), aside_(folder_ + ".aside")
    {
        QDir().rename(folder_, aside_);
        QDir().mkpath(QFileInfo(folder_).path());
        WriteFile(folder_, "not a folder");
    }
    ~UnwritableConfigFolder()
    {
        QFile::remove(folder_);
        QDir().rename(aside_, folder_);
    }

private:
    QString folder_, aside_;
};

TEST_F(RouterRun, UnwritableRecordStopsTheRunBeforeTheUpload)
{
    Start();
    const std::string settingsBefore = Router().Settings();
    {
        UnwritableConfigFolder unwritable;
        PressNext(QStringLiteral("admin"));
    }

    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_TRUE(Seams().Errors[0].contains(testsupport::UserFolders().filePath(QStringLiteral("config"))))
        << Seams().Errors[0].toStdString();
    EXPECT_TRUE(Seams().Errors[0].contains(QStringLiteral("The router has not been changed.")));
    // The router is as it was: no upload, no restart.
    EXPECT_EQ(Router().CountRequests("POST", "/upload.cgi"), 0);
    EXPECT_EQ(Router().Reboots(), 0);
    EXPECT_EQ(Router().FirmwareVersion(), "3.5");
    EXPECT_EQ(Router().Settings(), settingsBefore);
    EXPECT_TRUE(Form().btnNext->isEnabled());
    EXPECT_TRUE(Form().btnCancel->isEnabled());
    EXPECT_NE(Page(), Form().tsOutcome);
}

TEST_F(RouterRun, SecondRunNeverWritesOverAPendingBackup)
{
    ProgramFiles::SetClock([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)); });
    const QString earlier = LeaveEarlierBackup(SettingsFile);
    RouterSimConfig config;
    config.ignoredSettingsUploads = 1;  // this run fails too
    Start(config);
    const std::string settingsBefore = Router().Settings();

    PressNext(QStringLiteral("admin"));

    const QString second = QFileInfo(SettingsFile).path() + QStringLiteral("/SaveRouterSettings-20261210-140509.gws");
    EXPECT_TRUE(ReadFile(earlier) == "settings of an earlier run");
    EXPECT_TRUE(ReadFile(second) == Bytes(settingsBefore));
    EXPECT_EQ(PendingBackup::Files(), QStringList({earlier, second}));
    // The outcome offers this run's backup.
    EXPECT_FALSE(OutcomeIsSuccess());
    EXPECT_TRUE(Form().lblBackupFile->text().contains(second));
    QFile::remove(second);
    ProgramFiles::SetClock({});
}

TEST_F(RouterRun, AlreadyCurrentRouterOffersThePendingBackup)
{
    const QString earlier = LeaveEarlierBackup(SettingsFile);
    RouterSimConfig config;
    config.firmwareVersion = "3.6";  // an earlier run upgraded it and left it on factory settings
    Start(config);

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(OutcomeText(), Text(ProductProfile::AlreadyCurrentText));
    EXPECT_TRUE(OutcomeIsSuccess());
    EXPECT_TRUE(Form().pnlRestoreBackup->isVisibleTo(Form().tsOutcome));
    EXPECT_TRUE(Form().lblBackupFile->text().contains(earlier));
    EXPECT_EQ(PendingBackup::File(), earlier);
    EXPECT_EQ(Router().CountRequests("GET", "/getconfig.cgi"), 0);
}

TEST_F(RouterRun, SaveSettingsPageOffersANewNameWhileABackupIsPending)
{
    ProgramFiles::SetClock([] { return QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)); });
    const QString earlier = LeaveEarlierBackup(SettingsFile);
    Start();
    OpenPage(Form().tsSaveSettings);
    const QString proposed = QFileInfo(SettingsFile).path() + QStringLiteral("/SaveRouterSettings-20260102-030405.gws");
    EXPECT_EQ(Form().edSaveSettingsFile->text(), proposed);

    // Typing the pending backup's name asks first; No keeps it untouched.
    Form().edSaveSettingsFile->setText(earlier);
    Form().UpdateActions();
    Form().btnSaveSettings->click();
    ASSERT_EQ(Seams().Questions.size(), 2u);  // the offer at start, then this
    EXPECT_TRUE(Seams().Questions[1].contains(earlier));
    EXPECT_TRUE(ReadFile(earlier) == "settings of an earlier run");
    EXPECT_EQ(Router().CountRequests("GET", "/getconfig.cgi"), 0);

    // The proposed name saves beside it; the record stays.
    Form().edPassword->setText(QStringLiteral("admin"));
    ASSERT_TRUE(Driver().Login());
    Form().edSaveSettingsFile->setText(proposed);
    Form().btnSaveSettings->click();
    EXPECT_TRUE(ReadFile(proposed) == Bytes(Router().Settings()));
    EXPECT_TRUE(ReadFile(earlier) == "settings of an earlier run");
    EXPECT_EQ(PendingBackup::Files(), QStringList{earlier});
    QFile::remove(proposed);
    ProgramFiles::SetClock({});
}

// ---- The Restore Settings page's proof ---------------------------------------

struct RestoreProofCase {
    const char* name;
    std::string factoryPassword;  // what the router takes before the restore
    int ignoredSettingsUploads;
    QString boxPassword;                  // in the Upgrade Type page's box
    std::optional<QString> promptAnswer;  // to the password prompt, if one comes
    bool sent;                            // the settings went to the router
    bool recordCleared;
    QString error;  // part of the error shown; empty: none
};

void PrintTo(const RestoreProofCase& c, std::ostream* os) { *os << c.name; }

class RestoreProof : public RouterRun, public ::testing::WithParamInterface<RestoreProofCase> {};

// The router an earlier run upgraded and left on factory settings; the user
// restores that run's pending backup from the Restore Settings page.
TEST_P(RestoreProof, RecordGoesOnlyOnProof)
{
    const RestoreProofCase& c = GetParam();
    RouterSimConfig config;
    config.password = c.factoryPassword;
    config.ignoredSettingsUploads = c.ignoredSettingsUploads;
    Start(config);
    // The backup holds the user's password "admin".
    WriteFile(SettingsFile, Bytes(testsupport::MakeSettingsBlob("user", "admin", 8192)));
    PendingBackup::Record(SettingsFile);
    if (c.promptAnswer)
        Seams().PasswordAnswers.push_back(c.promptAnswer);

    OpenPage(Form().tsRestoreSettings);
    Form().edRestoreSettingsFilename->setText(SettingsFile);
    Form().edExpressAdminPassword->setText(c.boxPassword);
    Form().UpdateActions();
    Form().btnRestoreSettings->click();

    EXPECT_EQ(Router().SettingsUploads().size(), c.sent ? 1u : 0u);
    EXPECT_EQ(Router().Reboots(), c.sent ? 1 : 0);
    EXPECT_EQ(PendingBackup::File(), c.recordCleared ? QString() : SettingsFile);
    EXPECT_TRUE(QFile::exists(SettingsFile));
    if (c.error.isEmpty()) {
        EXPECT_TRUE(Seams().Errors.empty()) << Seams().Errors[0].toStdString();
    } else {
        ASSERT_EQ(Seams().Errors.size(), 1u);
        EXPECT_TRUE(Seams().Errors[0].contains(c.error)) << Seams().Errors[0].toStdString();
    }
    EXPECT_EQ(Form().edExpressAdminPassword->text(), c.boxPassword);  // the boxes as typed
    EXPECT_EQ(Page(), Form().tsRestoreSettings);
}

const QString kNotSent = QStringLiteral("were not sent");
const QString kNotConfirmed = QStringLiteral("did not confirm");

INSTANTIATE_TEST_SUITE_P(
    Restores, RestoreProof,
    ::testing::Values(
        // Logged in with no password, restored; the user's password then works.
        RestoreProofCase{"password_proves_it", "", 0, "admin", std::nullopt, true, true, {}},
        RestoreProofCase{"router_ignores_the_restore", "", 1, "admin", std::nullopt, true, false, kNotConfirmed},
        // Without a password of the user's, the router answering again is all there is.
        RestoreProofCase{"no_password_router_came_back", "", 0, "", std::nullopt, true, true, {}},
        // Neither the box nor no password logs in: the user is asked.
        RestoreProofCase{"asked_and_cancelled", "factory", 0, "admin", std::nullopt, false, false, kNotSent},
        RestoreProofCase{"asked_and_wrong", "factory", 0, "admin", QStringLiteral("nope"), false, false, kNotSent},
        RestoreProofCase{"asked_and_right", "factory", 0, "admin", QStringLiteral("factory"), true, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drivertest
