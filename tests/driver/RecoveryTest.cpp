// The ways back after an upgrade goes wrong, through the real window against
// the simulated router: the kept backup and its restore, a refused close, the
// router's address through the restart wait, files where the user can write
// them, and a failure at every request of the run.
#include "tests/driver/RouterRun.h"

#include "driver/ProgramFiles.h"

#include <QStandardPaths>
#include <QTemporaryDir>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;

const QString CloseRefusedText = QStringLiteral(
    "The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade "
    "has finished.");

TEST_F(RouterRun, IgnoredRestoreKeepsTheBackupAndTheOfferRestoresIt)
{
    RouterSimConfig config;
    config.ignoredSettingsUploads = 1;
    Start(config);
    const std::string settingsBefore = Router().Settings();

    PressNext(QStringLiteral("admin"));

    // The router took the restore with 200 and kept its factory settings, so
    // the last login with the user's password fails.
    EXPECT_EQ(OutcomeText(), UpgradeErrorText);
    ExpectBackupOffered();
    ASSERT_NE(Router().Settings(), settingsBefore);

    Form().btnRestoreBackup->click();
    EXPECT_EQ(Page(), Form().tsRestoreSettings);
    EXPECT_EQ(Form().edRestoreSettingsFilename->text(), SettingsFile);
    Form().UpdateActions();
    ASSERT_TRUE(Form().btnPrevious->isEnabled());
    Form().btnPrevious->click();
    EXPECT_EQ(Page(), Form().tsOutcome);

    Form().btnRestoreBackup->click();
    Form().UpdateActions();
    ASSERT_TRUE(Form().actRestoreSettings.Enabled());
    Form().btnRestoreSettings->click();

    // Logged in to the factory router without a password, restored, restarted.
    EXPECT_TRUE(Seams().Errors.empty());
    EXPECT_EQ(Router().Settings(), settingsBefore);
    EXPECT_EQ(Router().Password(), "admin");
    EXPECT_EQ(Page(), Form().tsRestoreSettings);
    EXPECT_EQ(Form().edExpressAdminPassword->text(), QStringLiteral("admin"));
    // Restored: no longer pending, but the user's file stays.
    EXPECT_TRUE(PendingBackup::File().isEmpty());
    EXPECT_TRUE(QFile::exists(SettingsFile));
    Form().UpdateActions();
    Form().btnPrevious->click();
    EXPECT_EQ(Page(), Form().tsOutcome);
}

TEST_F(RouterRun, CloseIsRefusedWhileTheRouterChangesAndWorksAfterwards)
{
    Start();
    const std::string settingsBefore = Router().Settings();
    std::vector<bool> closed;
    OnWait = [&] {
        if (closed.empty())
            closed.push_back(Form().close());  // during the first restart wait
    };

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(closed, std::vector<bool>{false});
    EXPECT_EQ(Seams().Notices, std::vector<QString>{CloseRefusedText});
    EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(Router().Settings(), settingsBefore);
    EXPECT_TRUE(Form().isVisible());

    EXPECT_TRUE(Form().close());
    EXPECT_FALSE(Form().isVisible());
    EXPECT_EQ(Seams().Notices.size(), 1u);
}

// Until the firmware upload nothing on the router has changed: a close then
// ends the program at once instead of being refused.
TEST_F(RouterRun, CloseDuringTheSettingsDownloadEndsTheProgramAtOnce)
{
    Start();
    std::vector<bool> closed;
    std::int64_t now = 0;
    Driver().SetClock([&] {
        if (closed.empty() && Form().lblStatus->text() == QStringLiteral("Saving Router Settings..."))
            closed.push_back(Form().close());
        return ++now;
    });

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(closed, std::vector<bool>{false});
    EXPECT_EQ(Seams().EndedPrograms, std::vector<int>{0});  // the test's seam lets the run go on
    EXPECT_TRUE(Seams().Notices.empty());
}

TEST_F(RouterRun, RestartWaitKeepsTheAddressWhenNoGatewayIsFound)
{
    Start();
    OnWait = [&] { Adapters().Adapters = {{IfType::Ethernet, ""}}; };  // the link went down

    PressNext(QStringLiteral("admin"));

    EXPECT_EQ(Form().edIPAddress->text(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(Router().SettingsUploads().size(), 1u);
}

// A folder that this process cannot create files in, root included: the
// immutable attribute where the file system has it, else no write permission.
class ReadOnlyFolder {
public:
    ReadOnlyFolder()
    {
        fd_ = ::open(QFile::encodeName(dir_.path()).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            immutable_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (!immutable_)
            QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    ~ReadOnlyFolder()
    {
        int flags = 0;
        if (immutable_ && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    QString Path() const { return dir_.path(); }
    bool IsReadOnly() const
    {
        QFile probe(dir_.filePath(QStringLiteral("probe")));
        const bool created = probe.open(QIODevice::WriteOnly);
        if (created)
            probe.remove();
        return !created;
    }

private:
    QTemporaryDir dir_;
    int fd_ = -1;
    bool immutable_ = false;
};

TEST_F(RouterRun, ReadOnlyProgramFolderPutsTheFilesInTheDataFolder)
{
    ReadOnlyFolder program;
    if (!program.IsReadOnly())
        GTEST_SKIP() << "no way to make a folder read-only here";
    ProgramFiles::SetProgramFolder(program.Path());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    ASSERT_TRUE(data.startsWith(wizardtest::UserFolders().path()));  // never the real home
    QDir(data).removeRecursively();
    RouterSimConfig config;
    config.factoryPassword = "factory";  // the run fails after the upgrade: the backup stays
    Start(config);

    PressNext(QStringLiteral("admin"));

    const QString backup = data + QStringLiteral("/SaveRouterSettings.gws");
    EXPECT_EQ(OutcomeText(), UpgradeErrorText);
    EXPECT_TRUE(QFile::exists(backup));
    EXPECT_EQ(PendingBackup::File(), backup);
    EXPECT_TRUE(Form().lblBackupFile->text().contains(backup));
    const auto firmware = Router().FirmwareUploads();
    ASSERT_EQ(firmware.size(), 1u);
    EXPECT_EQ(firmware[0].filename, (data + QStringLiteral("/WRX-270C2_FW306B01.bin")).toStdString());
    EXPECT_TRUE(QDir(program.Path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    // Save Settings and Save Firmware offer the same folder; while the
    // backup is pending, Save Settings offers a new name beside it.
    OpenPage(Form().tsSaveSettings);
    EXPECT_TRUE(Form().edSaveSettingsFile->text().startsWith(data + QStringLiteral("/SaveRouterSettings-")))
        << Form().edSaveSettingsFile->text().toStdString();
    QFile::remove(backup);
}

// ---- A failure at every request of the run ----------------------------------

enum class Fault { Reset, Answer500 };

class FailAtEveryRequest : public RouterRun, public ::testing::WithParamInterface<Fault> {};

TEST_P(FailAtEveryRequest, EndsInWordsAndKeepsAWayBack)
{
    // The whole run's requests, as the router receives them.
    Start();
    PressNext(QStringLiteral("admin"));
    ASSERT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    const std::vector<std::string> run = Received();
    const auto upload = std::find(run.begin(), run.end(), "POST /upload.cgi") - run.begin();

    for (std::size_t n = 0; n < run.size(); ++n) {
        SCOPED_TRACE("request " + std::to_string(n) + ": " + run[n]);
        QFile::remove(SettingsFile);
        QFile::remove(FirmwareFile);
        PendingBackup::Clear();
        RouterSimConfig config;
        auto seen = std::make_shared<std::size_t>(0);
        const Fault fault = GetParam();
        config.intercept = [seen, n, fault](const RouterRequest&) -> std::optional<testsupport::ScriptedReply> {
            if ((*seen)++ != n)
                return std::nullopt;
            if (fault == Fault::Reset)
                return testsupport::ScriptedReply{"", testsupport::ScriptedReply::Then::Close};
            return Answer("HTTP/1.0 500 Internal Server Error");
        };
        Start(config);
        const std::string settingsBefore = Router().Settings();

        PressNext(QStringLiteral("admin"));

        // In words: an outcome, the login prompt again, or an error's box.
        const bool outcome = Page() == Form().tsOutcome && !OutcomeText().isEmpty();
        const bool prompt = Page() == Form().tsUpgradeType && Form().lblExpressUpgrade->text() == LoginFailedText;
        EXPECT_TRUE(outcome || prompt || !Seams().Errors.empty());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_TRUE(Form().btnCancel->isEnabled());
        if (static_cast<std::ptrdiff_t>(n) < upload)
            continue;
        // From the upload on the router may have changed: either the upgrade
        // is verified with the settings back, or the backup is kept and offered.
        if (outcome && OutcomeIsSuccess()) {
            EXPECT_EQ(Router().FirmwareVersion(), "3.6");
            EXPECT_EQ(Router().Settings(), settingsBefore);
        } else {
            ExpectBackupOffered();
            EXPECT_TRUE(ReadFile(SettingsFile) == Bytes(settingsBefore));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, FailAtEveryRequest, ::testing::Values(Fault::Reset, Fault::Answer500),
                         [](const auto& info) { return info.param == Fault::Reset ? "reset" : "answer_500"; });

}  // namespace
}  // namespace drivertest
