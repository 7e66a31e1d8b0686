// Whole command-line runs against the simulated router: what each ends with
// (exit status, last line), what the router ends as, and which files stay.
#include "resources/ProductProfile.h"
#include "tests/cli/CliRunFixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>

#include <functional>
#include <ostream>
#include <string>

namespace clitest {
namespace {

using TMode = TCliRequest::TMode;

const QString kSucceeded = QString::fromLatin1(ProductProfile::UpgradeSucceededText);
const QString kAlreadyCurrent = QString::fromLatin1(ProductProfile::AlreadyCurrentText);
const QString kUpgradeError = QStringLiteral("There was an error with the upgrade process. ") +
                              QString::fromLatin1(ProductProfile::RetryAdviceText);
const QString kFirmwareProblem =
    QStringLiteral("There is a problem with the firmware in this installer. Please try downloading it again.");
const QString kLoginFailed = QStringLiteral(
    "Cannot log in to the router. Please check the wiring and the password, then run the program again.");
const QString kBackup = QString::fromLatin1(ProductProfile::SettingsFileName);

struct RunCase {
    const char* name;
    std::function<void(testsupport::RouterSimConfig&)> router;  // how the router differs from the default
    TMode mode;
    const char* password;
    bool allowPlaceholder;
    int exitCode;
    QString lastLine;       // "%1" stands for the backup file's path
    bool backupLine;        // "Settings backup kept: PATH" just before it
    std::string routerEnd;  // the router's final state, see State()
    QStringList filesLeft;  // in the program's folder
    bool backupPending;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.name; }

class Runs : public CliRun, public ::testing::WithParamInterface<RunCase> {
protected:
    std::string State() const
    {
        const std::string settings = Router().Settings() == OriginalSettings             ? "original"
                                     : Router().Settings() == Router().FactorySettings() ? "factory"
                                                                                         : "other";
        return "firmware " + Router().FirmwareVersion() + ", settings " + settings + ", restarts " +
               std::to_string(Router().Reboots()) + ", firmware uploads " +
               std::to_string(Router().FirmwareUploads().size()) + ", settings uploads " +
               std::to_string(Router().SettingsUploads().size());
    }
};

TEST_P(Runs, EndAsExpected)
{
    const RunCase& c = GetParam();
    testsupport::RouterSimConfig config;
    if (c.router)
        c.router(config);
    StartRouter(config);
    // A gateway elsewhere: the router named on the command line must stay
    // the router through the restart waits, which look the gateway up again.
    Adapters = {{IfType::Ethernet, "127.0.0.2"}};
    AllowPlaceholder = c.allowPlaceholder;
    Password = {QString::fromLatin1(c.password), {}};
    TCliRequest request;
    request.Mode = c.mode;
    request.Router = RouterAddress();
    if (c.mode == TMode::Restore) {
        // A backup an earlier run left, of the router as it is.
        request.RestoreFile = FolderPath(kBackup);
        QFile file(request.RestoreFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(OriginalSettings.data(), static_cast<qint64>(OriginalSettings.size()));
        file.close();
        PendingBackup::Record(request.RestoreFile);
    }

    EXPECT_EQ(Run(request), c.exitCode) << Out.toStdString() << Err.toStdString();

    const QString backup = FolderPath(kBackup);
    EXPECT_EQ(LastLine(), c.lastLine.contains(QLatin1String("%1")) ? c.lastLine.arg(backup) : c.lastLine);
    const QStringList lines = OutLines();
    const bool backupLine =
        lines.size() >= 2 && lines[lines.size() - 2] == QStringLiteral("Settings backup kept: ") + backup;
    EXPECT_EQ(backupLine, c.backupLine) << Out.toStdString();
    EXPECT_EQ(State(), c.routerEnd);
    EXPECT_EQ(FilesLeft(), c.filesLeft);
    EXPECT_EQ(PendingBackup::IsPending(backup), c.backupPending);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Runs,
    ::testing::Values(
        RunCase{"express_success",
                {},
                TMode::Express,
                "admin",
                true,
                ExitCode::Ok,
                kSucceeded,
                false,
                "firmware 3.6, settings original, restarts 2, firmware uploads 1, settings uploads 1",
                {},
                false},
        RunCase{"already_current",
                [](auto& r) { r.firmwareVersion = "3.6"; },
                TMode::Express,
                "admin",
                true,
                ExitCode::Ok,
                kAlreadyCurrent,
                false,
                "firmware 3.6, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {},
                false},
        RunCase{"wrong_password",
                {},
                TMode::Express,
                "not-the-password",
                true,
                ExitCode::LoginFailed,
                kLoginFailed,
                false,
                "firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {},
                false},
        RunCase{"placeholder_refused",
                {},
                TMode::Express,
                "admin",
                false,
                ExitCode::FirmwareProblem,
                kFirmwareProblem,
                false,
                "firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {},
                false},
        // With no password nothing proves that the router took its settings back.
        RunCase{"restore_ignored_without_a_password",
                [](auto& r) {
                    r.password = "";
                    r.ignoredSettingsUploads = 1;
                },
                TMode::Express,
                "",
                true,
                ExitCode::UpgradedUnproven,
                kSucceeded,
                true,
                "firmware 3.6, settings factory, restarts 2, firmware uploads 1, settings uploads 1",
                {kBackup},
                false},
        RunCase{"router_never_back",
                [](auto& r) { r.rebootDowntimeMs = std::int64_t{1} << 40; },
                TMode::Express,
                "admin",
                true,
                ExitCode::FailedBackupKept,
                kUpgradeError,
                true,
                "firmware 3.5, settings original, restarts 0, firmware uploads 1, settings uploads 0",
                {kBackup},
                true},
        RunCase{"check",
                {},
                TMode::Check,
                "admin",
                true,
                ExitCode::Ok,
                QStringLiteral("Router firmware version: 3.5"),
                false,
                "firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {},
                false},
        RunCase{"check_wrong_password",
                {},
                TMode::Check,
                "nope",
                true,
                ExitCode::LoginFailed,
                QStringLiteral("Error logging into router. ") + QString::fromLatin1(ProductProfile::RetryAdviceText),
                false,
                "firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {},
                false},
        RunCase{"restore",
                {},
                TMode::Restore,
                "admin",
                true,
                ExitCode::Ok,
                QStringLiteral("The router settings from \"%1\" are restored."),
                false,
                "firmware 3.5, settings original, restarts 1, firmware uploads 0, settings uploads 1",
                {kBackup},
                false},
        RunCase{"restore_without_a_login",
                [](auto& r) { r.password = "other"; },
                TMode::Restore,
                "admin",
                true,
                ExitCode::LoginFailed,
                QStringLiteral("Cannot log in to the router, so the settings from \"%1\" were not sent. Please check "
                               "the wiring and the password, then click Restore Settings again."),
                false,
                "firmware 3.5, settings original, restarts 0, firmware uploads 0, settings uploads 0",
                {kBackup},
                true}),
    [](const auto& info) { return std::string(info.param.name); });

// The restart wait is bounded: a router that never comes back gets its
// answer within that bound (twice: the first restart's wait, then the
// checks after it fail at once).
TEST_F(CliRun, ARouterThatNeverComesBackIsAnsweredWithinTheRestartBound)
{
    testsupport::RouterSimConfig config;
    config.rebootDowntimeMs = std::int64_t{1} << 40;
    StartRouter(config);
    TCliRequest request;
    request.Router = RouterAddress();
    EXPECT_EQ(Run(request), ExitCode::FailedBackupKept);
    EXPECT_GT(Now, 0);
    EXPECT_LE(Now, RestartWaitMs);
}

struct RefusalCase {
    const char* name;
    bool lockFree;
    TAdapterList adapters;  // no --router: the gateway comes from these
    int exitCode;
    QString lastLine;
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class Refusals : public CliRun, public ::testing::WithParamInterface<RefusalCase> {};

// Runs that never reach the router.
TEST_P(Refusals, LeaveTheRouterAlone)
{
    const RefusalCase& c = GetParam();
    StartRouter();
    LockFree = c.lockFree;
    Adapters = c.adapters;
    TCliRequest request;
    EXPECT_EQ(Run(request), c.exitCode);
    EXPECT_EQ(LastLine(), c.lastLine);
    EXPECT_TRUE(Router().Requests().empty());
    EXPECT_TRUE(FilesLeft().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusals,
    ::testing::Values(
        RefusalCase{"no_gateway",
                    true,
                    {{IfType::Ethernet, ""}},
                    ExitCode::NoRouter,
                    QStringLiteral("No router found: this PC has no default gateway. Check the cable to the router, "
                                   "or name the router with --router.")},
        RefusalCase{"no_adapter",
                    true,
                    {},
                    ExitCode::NoRouter,
                    QStringLiteral("No router found: this PC has no default gateway. Check the cable to the router, "
                                   "or name the router with --router.")},
        RefusalCase{"another_run",
                    false,
                    {{IfType::Ethernet, "127.0.0.1"}},
                    ExitCode::RunInProgress,
                    QStringLiteral("Another run of this program is changing a router from this PC. Try again when it "
                                   "has finished.")}),
    [](const auto& info) { return std::string(info.param.name); });

const QString kExpressLines = QStringLiteral(
    "12:00:00 Saving Router Settings...\n"
    "12:00:00 Upgrading Firmware...\n"
    "12:00:00 Finalizing Firmware Upgrade...\n"
    "12:00:00 Restarting Router...\n"
    "12:00:00 The router has finished restarting...\n"
    "12:00:00 Uploading Router Settings...\n"
    "12:00:00 Finalizing Router Settings Upload...\n"
    "12:00:00 Restarting Router...\n"
    "12:00:00 The router has finished restarting...\n");

struct OutputCase {
    const char* name;
    bool terminal;
    bool quiet;
    QString out;  // standard output as a whole; with a terminal, after the progress figures are taken out
};

void PrintTo(const OutputCase& c, std::ostream* os) { *os << c.name; }

class Output : public CliRun, public ::testing::WithParamInterface<OutputCase> {};

// One line per new status text, the outcome last. A terminal also gets the
// seconds a step has taken, rewritten on its line; a pipe or file gets no
// control character at all; --quiet only the outcome.
TEST_P(Output, OfAnExpressUpgrade)
{
    const OutputCase& c = GetParam();
    StartRouter();
    OutIsTerminal = c.terminal;
    TCliRequest request;
    request.Router = RouterAddress();
    request.Quiet = c.quiet;
    ASSERT_EQ(Run(request), ExitCode::Ok);

    QString out = Out;
    if (c.terminal && !c.quiet) {
        // The restart waits (a minute and more on the driver's clock) show their seconds.
        EXPECT_TRUE(out.contains(QStringLiteral("\r12:00:00 Restarting Router... 60 s"))) << out.toStdString();
        // Each rewrite repeats its line: keep only the last version of each.
        QStringList lines = out.split(QLatin1Char('\n'));
        for (QString& line : lines)
            line = line.section(QLatin1Char('\r'), -1);
        out = lines.join(QLatin1Char('\n'));
        const QStringList restart = out.split(QLatin1Char('\n')).filter(QStringLiteral("Restarting Router"));
        ASSERT_EQ(restart.size(), 2);
        EXPECT_TRUE(restart[0].startsWith(QStringLiteral("12:00:00 Restarting Router... ")))
            << restart[0].toStdString();
        EXPECT_TRUE(restart[0].endsWith(QStringLiteral(" s"))) << restart[0].toStdString();
        out.replace(QRegularExpression(QStringLiteral(" \\d+ s\n")), QStringLiteral("\n"));
    } else {
        EXPECT_FALSE(out.contains(QLatin1Char('\r')));
        EXPECT_FALSE(out.contains(QLatin1Char('\x1b')));
    }
    EXPECT_EQ(out, c.out);
}

INSTANTIATE_TEST_SUITE_P(Cases, Output,
                         ::testing::Values(OutputCase{"pipe", false, false, kExpressLines + kSucceeded + '\n'},
                                           OutputCase{"terminal", true, false, kExpressLines + kSucceeded + '\n'},
                                           OutputCase{"pipe_quiet", false, true, kSucceeded + '\n'},
                                           OutputCase{"terminal_quiet", true, true, kSucceeded + '\n'}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SignalCase {
    const char* name;
    const char* statusLine;  // the signal comes as this status line is printed
    std::optional<int> ended;
    const char* error;
};

void PrintTo(const SignalCase& c, std::ostream* os) { *os << c.name; }

class Signals : public CliRun, public ::testing::WithParamInterface<SignalCase> {};

// A request to end the run is decided as in the window: at once while the
// router is unchanged, refused while it is being changed.
TEST_P(Signals, AreAnsweredByWhatTheRunDoesToTheRouter)
{
    const SignalCase& c = GetParam();
    StartRouter();
    TCliRequest request;
    request.Router = RouterAddress();
    TCliEnvironment environment = Environment();
    TCommandLineRun* running = nullptr;
    bool sent = false;
    environment.Output.Out = [&](const QString& text) {
        Out += text;
        if (!sent && text.contains(QLatin1String(c.statusLine))) {
            sent = true;
            running->EndRequested(QStringLiteral("SIGTERM"), 128 + 15);
        }
    };
    TCommandLineRun run(request, std::move(environment));
    running = &run;
    run.Run();
    ASSERT_TRUE(sent);
    EXPECT_EQ(Ended, c.ended);
    EXPECT_EQ(Err, QString::fromLatin1(c.error));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Signals,
    ::testing::Values(SignalCase{"while_saving_settings", "Saving Router Settings...", 143,
                                 "SIGTERM: ending now; nothing on the router has changed.\n"},
                      SignalCase{"while_upgrading", "Upgrading Firmware...", std::nullopt,
                                 "SIGTERM refused: the router is being changed; the run goes on.\n"},
                      SignalCase{"while_restoring_settings", "Uploading Router Settings...", std::nullopt,
                                 "SIGTERM refused: the router is being changed; the run goes on.\n"}),
    [](const auto& info) { return std::string(info.param.name); });

enum class TRecord { ThisRouter, OtherRouter, WithoutRouter };

struct PendingCase {
    const char* name;
    TRecord record;
    TMode mode;
    bool newBackup;
    int exitCode;
    int firmwareUploads;
};

void PrintTo(const PendingCase& c, std::ostream* os) { *os << c.name; }

class Pending : public CliRun, public ::testing::WithParamInterface<PendingCase> {};

// A backup an earlier upgrade left is named before anything else; an
// upgrade of the router it belongs to stops unless --new-backup. A record
// of an earlier version names no router: it may belong to this one.
TEST_P(Pending, BackupIsNamedFirstAndGuardsItsRouter)
{
    const PendingCase& c = GetParam();
    StartRouter();
    const QString earlier = FolderPath(kBackup);
    {
        QFile file(earlier);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("settings of an earlier run");
    }
    ProgramFiles::SetClock([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)); });
    QString recordedRouter;
    if (c.record == TRecord::WithoutRouter) {
        QSettings(QStringLiteral("norvo"), QStringLiteral("firmware-upgrade"))
            .setValue(QStringLiteral("PendingSettingsBackups"), QStringList{earlier});
    } else {
        recordedRouter = c.record == TRecord::ThisRouter ? RouterAddress() : QStringLiteral("192.168.9.1");
        PendingBackup::Record(earlier, recordedRouter);
    }
    TCliRequest request;
    request.Mode = c.mode;
    request.Router = RouterAddress();
    request.NewBackup = c.newBackup;

    EXPECT_EQ(Run(request), c.exitCode) << Out.toStdString();
    ProgramFiles::SetClock({});

    const QString details = recordedRouter.isEmpty()
                                ? QStringLiteral("router not recorded")
                                : QStringLiteral("router %1, 2026-12-10 14:05").arg(recordedRouter);
    ASSERT_FALSE(OutLines().isEmpty());
    EXPECT_EQ(OutLines().constFirst(),
              QStringLiteral("A settings backup from an earlier upgrade is pending: %1 (%2). Restore it with --restore "
                             "%1.")
                  .arg(earlier, details));
    if (c.exitCode == ExitCode::BackupPending) {
        EXPECT_EQ(LastLine(), QStringLiteral("A settings backup of this router from an earlier upgrade is still "
                                             "pending: %1. Restore it with --restore %1, or upgrade anyway with "
                                             "--new-backup.")
                                  .arg(earlier));
    }
    EXPECT_EQ(static_cast<int>(Router().FirmwareUploads().size()), c.firmwareUploads);
    // The earlier backup stays, recorded, whatever this run did.
    EXPECT_TRUE(PendingBackup::IsPending(earlier));
    EXPECT_EQ(FilesLeft(), QStringList{kBackup});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Pending,
    ::testing::Values(
        PendingCase{"this_router", TRecord::ThisRouter, TMode::Express, false, ExitCode::BackupPending, 0},
        PendingCase{"this_router_new_backup", TRecord::ThisRouter, TMode::Express, true, ExitCode::Ok, 1},
        PendingCase{"another_router", TRecord::OtherRouter, TMode::Express, false, ExitCode::Ok, 1},
        PendingCase{"record_without_router", TRecord::WithoutRouter, TMode::Express, false, ExitCode::BackupPending, 0},
        PendingCase{"check", TRecord::ThisRouter, TMode::Check, false, ExitCode::Ok, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The record of an express run's backup names the router it came from.
TEST_F(CliRun, AKeptBackupIsRecordedWithItsRouterAndTime)
{
    testsupport::RouterSimConfig config;
    config.rebootDowntimeMs = std::int64_t{1} << 40;
    StartRouter(config);
    ProgramFiles::SetClock([] { return QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)); });
    TCliRequest request;
    request.Router = RouterAddress();
    EXPECT_EQ(Run(request), ExitCode::FailedBackupKept);
    ProgramFiles::SetClock({});
    const QList<PendingBackup::TEntry> entries = PendingBackup::Entries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].File, FolderPath(kBackup));
    EXPECT_EQ(entries[0].Router, RouterAddress());
    EXPECT_EQ(entries[0].Time, QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
}

TEST_F(CliRun, APasswordThatCannotBeReadEndsTheRunBeforeAnything)
{
    StartRouter();
    Password = {std::nullopt, QStringLiteral("Cannot read the password file \"pw\".")};
    TCliRequest request;
    request.Router = RouterAddress();
    request.PasswordFile = QStringLiteral("pw");
    EXPECT_EQ(Run(request), ExitCode::CannotRun);
    EXPECT_EQ(PasswordFileAsked, QStringLiteral("pw"));
    EXPECT_EQ(Err, QStringLiteral("Cannot read the password file \"pw\".\n"));
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Router().Requests().empty());
}

}  // namespace
}  // namespace clitest
