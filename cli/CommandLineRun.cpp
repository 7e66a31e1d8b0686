#include "cli/CommandLineRun.h"

#include "base/SafeFile.h"
#include "cli/ExitCodes.h"
#include "cli/inputs/PasswordSource.h"
#include "driver/RunLock.h"
#include "driver/EndRequest.h"
#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "log/SupportLog.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

const QString kLoginFailedText = QStringLiteral(
    "Cannot log in to the router. Please check the wiring and the password, then run the program again.");
const QString kNoRouterText = QStringLiteral(
    "No router found: this PC has no default gateway. Check the cable to the router, or name the router with "
    "--router.");
const QString kRunInProgressText =
    QStringLiteral("Another run of this program is changing a router from this PC. Try again when it has finished.");

QString Shown(const QString& file) { return QDir::toNativeSeparators(file); }

// "host" and "host:80" are the same router.
QString WithoutDefaultPort(const QString& router)
{
    return router.endsWith(QLatin1String(":80")) ? router.chopped(3) : router;
}

// A record of an earlier version names no router: it may be this one's.
bool MayBeOf(const PendingBackup::TEntry& entry, const QString& router)
{
    return entry.Router.isEmpty() ||
           WithoutDefaultPort(entry.Router).compare(WithoutDefaultPort(router), Qt::CaseInsensitive) == 0;
}

QString PendingNotice(const PendingBackup::TEntry& entry)
{
    const QString router =
        entry.Router.isEmpty() ? QStringLiteral("router not recorded") : QStringLiteral("router ") + entry.Router;
    const QString time = entry.Time.isValid()
                             ? QStringLiteral(", ") + entry.Time.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                             : QString();
    return QStringLiteral(
               "A settings backup from an earlier upgrade is pending: %1 (%2%3). Restore it with --restore "
               "%1.")
        .arg(Shown(entry.File), router, time);
}

}  // namespace

TCliEnvironment ProcessEnvironment(const TFirmwareSource& firmware)
{
    TCliEnvironment environment;
    environment.MakeDriver = [firmware](IUpgraderView& view) -> std::unique_ptr<TNorvoFirmwareUpgrader> {
        return std::make_unique<TWrx310>(view, firmware);
    };
    environment.MakeAdapterQuery = MakeSystemAdapterQuery;
    environment.ReadPassword = ReadPassword;
    environment.TakeRunLock = [lock = std::make_shared<TRunLock>()] { return lock->TryLock(); };
    environment.Output = ProcessTerminalOutput();
    // No destructor runs: they would go back into the run's code. What must
    // not stay is removed here; the kernel closes the rest.
    environment.EndProgramNow = [](int exitCode) {
        std::fflush(nullptr);
        RemoveUnfinishedTemporaryFiles();
        std::_Exit(exitCode);
    };
    return environment;
}

TCommandLineRun::TCommandLineRun(TCliRequest request, TCliEnvironment environment)
    : request_(std::move(request)), environment_(std::move(environment))
{
}

TCommandLineRun::~TCommandLineRun()
{
    // The driver unhooks itself from the view it points to.
    driver_.reset();
}

int RunCommandLine(const TCliRequest& request, TCliEnvironment environment)
{
    return TCommandLineRun(request, std::move(environment)).Run();
}

int TCommandLineRun::Run()
{
    adapters_ = environment_.MakeAdapterQuery();
    view_ = std::make_unique<TTerminalView>(environment_.Output, *adapters_, request_.Quiet);

    static const char* const kModeNames[] = {"--express", "--check", "--restore"};
    SupportLogLine(lcCli(),
                   QStringLiteral("Command-line run: ") + QLatin1String(kModeNames[static_cast<int>(request_.Mode)]) +
                       (request_.Router.isEmpty() ? QString() : QStringLiteral(" --router ") + request_.Router) +
                       (request_.NewBackup ? QStringLiteral(" --new-backup") : QString()));

    // Before anything else: a backup an earlier upgrade left may be the only
    // copy of some router's settings.
    const QList<PendingBackup::TEntry> pending =
        request_.Mode == TCliRequest::TMode::Restore ? QList<PendingBackup::TEntry>() : PendingBackup::Entries();
    for (const PendingBackup::TEntry& entry : pending)
        Notice(PendingNotice(entry));

    const TPasswordRead password = environment_.ReadPassword(request_.PasswordFile);
    if (!password.Password) {
        view_->PrintError(password.Error);
        return ExitCode::CannotRun;
    }
    if (environment_.OnRunStarting)
        environment_.OnRunStarting();
    if (!environment_.TakeRunLock())
        return Finish(ExitCode::RunInProgress, kRunInProgressText);

    driver_ = environment_.MakeDriver(*view_);
    view_->SetDriver(driver_.get());
    // The same text in the box the window's run reads it from: the Upgrade
    // Type page's for the express upgrade, the Configuration page's else.
    if (request_.Mode == TCliRequest::TMode::Express)
        driver_->SetTypedPasswords({QString(), *password.Password});
    else
        driver_->SetTypedPasswords({*password.Password, QString()});

    try {
        if (!request_.Router.isEmpty())
            view_->FixRouter(request_.Router);
        else
            view_->GetDefaultGateway(IUpgraderView::TGatewayUpdate::Always);
    } catch (const std::exception& error) {
        view_->PrintError(QString::fromUtf8(error.what()));
        return Finish(ExitCode::CannotRun, QString::fromUtf8(error.what()));
    }
    if (view_->RouterAddress().isEmpty())
        return Finish(ExitCode::NoRouter, kNoRouterText);
    SupportLogLine(lcCli(), QStringLiteral("Router: ") + view_->RouterAddress());

    // Upgrading this router again would leave its earlier backup behind a
    // new one taken from a router that may now be on factory settings.
    if (request_.Mode == TCliRequest::TMode::Express && !request_.NewBackup) {
        for (auto entry = pending.crbegin(); entry != pending.crend(); ++entry)
            if (MayBeOf(*entry, view_->RouterAddress()))
                return Finish(ExitCode::BackupPending,
                              QStringLiteral("A settings backup of this router from an earlier upgrade is still "
                                             "pending: %1. Restore it with --restore %1, or upgrade anyway with "
                                             "--new-backup.")
                                  .arg(Shown(entry->File)));
    }
    return RunDriver();
}

int TCommandLineRun::RunDriver()
{
    QString error;
    running_ = true;
    try {
        switch (request_.Mode) {
        case TCliRequest::TMode::Express:
            driver_->ExpressUpgrade();
            break;
        case TCliRequest::TMode::Check:
            driver_->CheckFirmware();
            break;
        case TCliRequest::TMode::Restore:
            driver_->RestoreSettingsAndRestart(request_.RestoreFile);
            break;
        }
    } catch (const std::exception& caught) {
        error = QString::fromUtf8(caught.what());
    } catch (...) {
        error = QStringLiteral("Unknown error.");
    }
    running_ = false;
    if (!error.isEmpty()) {
        SupportLogLine(lcCli(), QStringLiteral("Error: ") + error);
        view_->PrintError(error);
    }
    // The driver's own outcome where it showed one; otherwise words for
    // what its result means here, the error's message where there was one.
    const QString shown = view_->OutcomeText();
    const auto outcome = [&](const QString& fallback) { return !shown.isEmpty() ? shown : fallback; };
    const QString failure = !error.isEmpty() ? error : QStringLiteral("The run failed.");

    switch (driver_->Result()) {
    case TRunResult::Upgraded:
    case TRunResult::AlreadyCurrent:
        return Finish(ExitCode::Ok, outcome(QString()));
    case TRunResult::VersionRead:
        return Finish(ExitCode::Ok, QStringLiteral("Router firmware version: ") + view_->FirmwareVersion());
    case TRunResult::UpgradedUnproven:
        return Finish(ExitCode::UpgradedUnproven, outcome(QString()));
    case TRunResult::LoginFailed:
        return Finish(ExitCode::LoginFailed, outcome(kLoginFailedText));
    case TRunResult::FirmwareProblem:
        return Finish(ExitCode::FirmwareProblem, outcome(failure));
    case TRunResult::FailedBackupKept:
        return Finish(ExitCode::FailedBackupKept, outcome(failure));
    case TRunResult::Restored:
        return Finish(ExitCode::Ok,
                      QStringLiteral("The router settings from \"%1\" are restored.").arg(Shown(request_.RestoreFile)));
    case TRunResult::RestoreFailed:
        // Nothing was sent when no password logged in.
        return Finish(view_->RouterChangesSeen() > 0 ? ExitCode::FailedBackupKept : ExitCode::LoginFailed,
                      outcome(failure));
    case TRunResult::Failed:
    case TRunResult::None:
        break;
    }
    return Finish(ExitCode::CannotRun, outcome(failure));
}

QString TCommandLineRun::BackupLine() const
{
    if (!driver_)
        return {};
    const TRunResult result = driver_->Result();
    if (result != TRunResult::FailedBackupKept && result != TRunResult::UpgradedUnproven)
        return {};
    const QString backup = driver_->OfferedBackup();
    if (backup.isEmpty())
        return {};
    return QStringLiteral("Settings backup kept: ") + Shown(backup);
}

void TCommandLineRun::Notice(const QString& text)
{
    SupportLogLine(lcCli(), text);
    if (request_.Quiet)
        view_->PrintError(text);
    else
        view_->PrintLine(text);
}

int TCommandLineRun::Finish(int exitCode, const QString& outcome)
{
    // The backup's path matters also to a quiet run: it goes to standard
    // error then, leaving the outcome the only line on standard output.
    const QString backup = BackupLine();
    if (!backup.isEmpty()) {
        if (request_.Quiet)
            view_->PrintError(backup);
        else
            view_->PrintLine(backup);
    }
    SupportLogLine(lcCli(), QStringLiteral("Exit status %1: %2").arg(exitCode).arg(outcome));
    view_->PrintLine(outcome);
    return exitCode;
}

void TCommandLineRun::EndRequested(const QString& who, int exitCode)
{
    const bool changing = view_ && view_->RouterChanging();
    switch (AnswerEndRequest(changing, running_)) {
    case TEndAnswer::Refuse:
        SupportLogLine(lcCli(), who + QStringLiteral(" refused: the router is being changed"));
        if (view_)
            view_->PrintError(who + QStringLiteral(" refused: the router is being changed; the run goes on."));
        return;
    case TEndAnswer::EndNow:
        SupportLogLine(lcCli(), who + QStringLiteral(": ending the program now; nothing on the router has changed"));
        if (view_)
            view_->PrintError(who + QStringLiteral(": ending now; nothing on the router has changed."));
        break;
    case TEndAnswer::Close:
        SupportLogLine(lcCli(), who + QStringLiteral(": ending the program"));
        break;
    }
    environment_.EndProgramNow(exitCode);
}
