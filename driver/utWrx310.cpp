#include "driver/utWrx310.h"

#include "base/SafeFile.h"
#include "driver/ProgramFiles.h"
#include "driver/Wrx310Pages.h"
#include "http/IdMultipartFormData.h"
#include "log/SupportLog.h"
#include "net/SleepInhibitor.h"
#include "resources/ProductProfile.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <optional>

namespace {

const QString kSavingSettings = QStringLiteral("Saving Router Settings...");
const QString kUploadingSettings = QStringLiteral("Uploading Router Settings...");
const QString kFinalizingSettings = QStringLiteral("Finalizing Router Settings Upload...");
const QString kUpgradingFirmware = QStringLiteral("Upgrading Firmware...");
const QString kFinalizingFirmware = QStringLiteral("Finalizing Firmware Upgrade...");
const QString kRestarting = QStringLiteral("Restarting Router...");
const QString kRestarted = QStringLiteral("The router has finished restarting...");

const QString kFirmwareProblemText =
    QStringLiteral("There is a problem with the firmware in this installer. Please try downloading it again.");
const QString kLoginFailedText = QStringLiteral(
    "Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.");
const QString kFirmwareUnconfirmedText = QStringLiteral(
    "The router did not confirm that it received the new firmware. It may still be writing it: do not turn the "
    "router off or unplug it for the next few minutes.");
const QString kUpgradeErrorText = QStringLiteral("There was an error with the upgrade process. ") +
                                  QString::fromLatin1(ProductProfile::RetryAdviceText);

const char* const kUploadField = "upfile";
const char* const kUploadContentType = "application/octet-stream";

// After the restart request the router gets a fixed minute, then polls.
constexpr int kRestartPauses = 12;
constexpr int kRestartPollLimit = 101;
constexpr int kRestartPauseMs = 5000;

std::string LocalPath(const QString& fileName) { return QFile::encodeName(fileName).toStdString(); }

// Throws unless the file part of body holds exactly expected. A file on disk
// can be changed between writing and sending; this reads the body as it will
// be sent (the part's headers end at the first blank line).
void ExpectFilePart(TIdMultiPartFormDataStream& body, const QByteArray& expected)
{
    std::string bytes(static_cast<std::size_t>(body.Size()), '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = body.Read(&bytes[got], bytes.size() - got);
        if (n == 0)
            break;
        got += n;
    }
    body.Seek(0, TIdSeekOrigin::soBeginning);
    const std::size_t size = static_cast<std::size_t>(expected.size());
    const std::size_t start = bytes.find("\r\n\r\n");
    const bool same = got == bytes.size() && start != std::string::npos && bytes.size() >= start + 4 + size + 2 &&
                      bytes.compare(start + 4, size, expected.constData(), size) == 0 &&
                      bytes.compare(start + 4 + size, 2, "\r\n") == 0;
    if (!same)
        throw Exception("The firmware file changed on disk before it was sent.");
}

// Names the error that ends a run in the support log; call inside a catch block.
void LogRunStopped()
{
    try {
        throw;
    } catch (const std::exception& error) {
        SupportLogLine(lcDriver(), QStringLiteral("Run stopped by an error: ") + QString::fromUtf8(error.what()));
    } catch (...) {
        SupportLogLine(lcDriver(), QStringLiteral("Run stopped by an unknown error"));
    }
}

}  // namespace

TWrx310::TWrx310(IUpgraderView& form, TFirmwareSource firmware) : TNorvoFirmwareUpgrader(form, std::move(firmware)) {}

std::unique_ptr<TNorvoFirmwareUpgrader> MakeWrx310(IUpgraderView& form) { return std::make_unique<TWrx310>(form); }

QString TWrx310::RouterText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// ---- Navigation -----------------------------------------------------------

void TWrx310::NextUpdate(IUpgraderAction& sender)
{
    const TUpgraderPage page = FPages.ActivePage();
    if (page == TUpgraderPage::Status) {
        sender.SetEnabled(false);
        return;
    }
    sender.SetEnabled((page == TUpgraderPage::Configuration && FirmwareVersionShown()) ||
                      page == TUpgraderPage::SaveSettings || page == TUpgraderPage::RestoreSettings ||
                      page == TUpgraderPage::UpgradeType);
}

void TWrx310::NextExecute(IUpgraderAction&) { ExpressUpgrade(); }

void TWrx310::PreviousUpdate(IUpgraderAction& sender)
{
    const TUpgraderPage page = FPages.ActivePage();
    sender.SetEnabled(
        page == TUpgraderPage::Configuration || page == TUpgraderPage::SaveSettings ||
        ((page == TUpgraderPage::Outcome || page == TUpgraderPage::RestoreSettings) && FPages.ReturnPage()));
}

void TWrx310::PreviousExecute(IUpgraderAction&)
{
    const TUpgraderPage page = FPages.ActivePage();
    if (page == TUpgraderPage::Configuration) {
        FPages.ShowPage(TUpgraderPage::UpgradeType);
        FForm.HideNavigationButtons();
    } else if (page == TUpgraderPage::SaveSettings) {
        FPages.ShowPage(TUpgraderPage::Configuration);
    } else if (page == TUpgraderPage::Outcome || page == TUpgraderPage::RestoreSettings) {
        if (const std::optional<TUpgraderPage> returnPage = FPages.ReturnPage()) {
            FPages.ForgetReturnPage();
            FPages.ShowPage(*returnPage);
        }
    }
}

// ---- Settings backup and restore ------------------------------------------

void TWrx310::SaveSettings(const QString& fileName)
{
    OnStatusPage(kSavingSettings, kSavingSettings, [&] {
        // The download goes to a temporary file beside the target, which
        // replaces the target only once complete: a failed download never
        // destroys an earlier backup and leaves no partial file. The settings
        // hold the router's passwords: only the user may read them.
        TSafeFile file(LocalPath(fileName), TFileAccess::OwnerOnly);
        FForm.StepStatus(kSavingSettings);
        FRequests.Download(GetURL() + "/getconfig.cgi", file.Stream(), Limits().SettingsTransfer);
        // Nothing is no backup: restoring it later would wipe the router.
        if (file.Size() == 0)
            throw EIdException("The router sent empty settings.");
        // A router that closed before the announced end leaves a cut-off
        // copy; keeping it as the backup would restore broken settings later.
        const std::int64_t announced = GetHTTP().ResponseContentLength();
        if (announced >= 0 && file.Size() != announced)
            throw EIdConnClosedGracefully();
        FForm.StepStatus(kSavingSettings);
        file.Commit();
        SupportLogLine(lcDriver(), QStringLiteral("Settings saved to %1").arg(fileName));
        FForm.StepStatus(kSavingSettings);
    });
}

void TWrx310::RestoreSettings(const QString& fileName)
{
    TRouterChange change(FForm);
    TSleepInhibitor awake(TSleepInhibitor::UpgradeReason());
    OnStatusPage(kUploadingSettings, kFinalizingSettings,
                 [&] { UploadFile(fileName, "/setconfig.cgi", kUploadingSettings, Limits().SettingsTransfer); });
}

void TWrx310::OnStatusPage(const QString& startText, const QString& finalText, const std::function<void()>& work)
{
    const TBusyCursor busy(FForm.Waiting());
    const auto page = KeptPage(FPages);
    try {
        FForm.StartStatus(startText);
        FPages.ShowPage(TUpgraderPage::Status);
        work();
    } catch (...) {
        FForm.StepStatus(finalText);
        throw;
    }
    FForm.StepStatus(finalText);
}

void TWrx310::UploadFile(const QString& fileName, const std::string& path, const QString& status,
                         const TIdLimits& limits)
{
    TIdMultiPartFormDataStream body;
    FForm.StepStatus(status);
    body.AddFile(kUploadField, LocalPath(fileName), kUploadContentType);
    FForm.StepStatus(status);
    const std::string answer = FRequests.Post(GetURL() + path, body, limits);
    FForm.ShowRouterAnswer(RouterText(answer));
}  // releasing the body closes the file

// ---- Firmware upload and restart ------------------------------------------

void TWrx310::SendFirmware()
{
    FForm.StartStatus(kUpgradingFirmware);
    FPages.ShowPage(TUpgraderPage::Status);
    // A missing, damaged or refused image fails here, before anything is written or sent.
    const QByteArray image = FFirmware.Load();
    const QString path = ProgramFiles::Path(ProductProfile::FirmwareFileName);
    SaveFileAtomically(LocalPath(path), image.toStdString(), TFileAccess::OwnerOnly);
    {
        TIdMultiPartFormDataStream body;
        FForm.StepStatus(kUpgradingFirmware);
        body.AddFile(kUploadField, LocalPath(path), kUploadContentType);
        // The file is open now and cannot change any more: the bytes that go
        // out are the ones that passed the image check, or nothing goes.
        ExpectFilePart(body, image);
        FForm.StepStatus(kUpgradingFirmware);
        const std::string answer =
            FRequests.PostFirmware(GetURL() + "/upload.cgi", body, Limits().FirmwareUpload, FFirmwareUnconfirmed);
        FForm.ShowRouterAnswer(RouterText(answer));
    }  // releasing the body closes the file
    QFile::remove(path);
}

void TWrx310::UpgradeFirmware()
{
    FFirmwareUnconfirmed = false;
    bool failed = false;
    {
        const TBusyCursor busy(FForm.Waiting());
        const auto page = KeptPage(FPages);
        try {
            SendFirmware();
        } catch (const std::exception& error) {
            failed = true;  // reported on the outcome page below
            SupportLogLine(lcDriver(), QStringLiteral("Firmware upload failed: ") + QString::fromUtf8(error.what()));
        }
        FForm.StepStatus(kFinalizingFirmware);
    }
    if (failed)
        ShowOutcome(FFirmwareUnconfirmed ? kFirmwareUnconfirmedText : kFirmwareProblemText, false, false);
}

void TWrx310::RestartRouter()
{
    TRouterChange change(FForm);
    TSleepInhibitor awake(TSleepInhibitor::UpgradeReason());
    OnStatusPage(kRestarting, kRestarted, [&] {
        FForm.StepStatus(kRestarting);
        // The whole wait, whatever the router does, ends by this deadline:
        // every pause and every request is cut to it.
        const auto deadline = FRequests.Deadline(FRequests.Now() + Limits().RestartWaitMs);
        auto left = [&] { return FRequests.MsLeft(); };
        auto pause = [&] {
            if (left() > 0)
                FWait(static_cast<int>(std::min<std::int64_t>(kRestartPauseMs, left())));
        };
        FRouterCameBack = false;
        FRequests.GetPage(GetURL() + "/reboot.cgi?reset=false");
        for (int step = 0; step < kRestartPauses; ++step) {
            FForm.StepStatus(kRestarting);
            pause();
        }
        // The router may come back under another address; poll that one. A
        // PC whose link is down meanwhile finds no gateway: then the address
        // stays, or the rest of the run would go to nowhere.
        FForm.GetDefaultGateway(IUpgraderView::TGatewayUpdate::KeepWhenNone);
        for (int poll = 0; poll < kRestartPollLimit && left() > 0; ++poll) {
            FForm.StepStatus(kRestarting);
            if (!Wrx310Page::Trim(GetSalt()).empty()) {
                FRouterCameBack = true;
                FForm.StepStatus(kRestarted);
                break;
            }
            FForm.Waiting().KeepPainted(IWaiting::TInput::Taken);
            pause();
        }
    });
}

// ---- Express upgrade ------------------------------------------------------

void TWrx310::ExpressUpgrade()
{
    const TPasswords passwords{FTyped.Configuration.trimmed(), FTyped.Express.trimmed()};
    FRunBackup.clear();
    FResult = TRunResult::None;
    // From the firmware upload to the outcome the router is being changed.
    std::optional<TRouterChange> change;
    try {
        RunExpressUpgrade(passwords, change);
    } catch (...) {
        LogRunStopped();
        FResult = FRunBackup.isEmpty() ? TRunResult::Failed : TRunResult::FailedBackupKept;
        // Emptied password boxes would let a retry log in to the
        // factory-fresh router and call it current, its settings not restored.
        UsePasswords(passwords);
        if (!FRunBackup.isEmpty()) {
            // The router may have been changed: end on the failure outcome,
            // which offers the backup, besides the error's own message.
            ShowOutcome(kUpgradeErrorText, false, false);
        } else {
            // Nothing was changed: the user may retry or close.
            FForm.SetRunButtonsEnabled(true);
        }
        throw;
    }
}

void TWrx310::ShowLoginFailedPrompt()
{
    FForm.ShowLoginFailedPrompt(kLoginFailedText);
    FForm.SetRunButtonsEnabled(true);
    FPages.ShowPage(TUpgraderPage::UpgradeType);
}

void TWrx310::RunExpressUpgrade(const TPasswords& passwords, std::optional<TRouterChange>& change)
{
    FForm.SetRunButtonsEnabled(false);
    // A backup that an earlier run left waiting is offered by every outcome
    // of this one, until this run's own backup takes its place.
    OfferBackup(PendingBackup::File());

    // An image that cannot be sent stops the run before the router is touched.
    try {
        FFirmware.Load();
    } catch (const std::exception&) {
        FResult = TRunResult::FirmwareProblem;
        ShowOutcome(kFirmwareProblemText, false, false);
        return;
    }

    // One notice for both reads: the user's page does not flash between them.
    bool loggedIn = false;
    QString version;
    FRequests.WhileContacting([&] {
        loggedIn = Login();
        if (loggedIn)
            GetFirmwareVersion(version);
    });
    if (!loggedIn) {
        FResult = TRunResult::LoginFailed;
        ShowLoginFailedPrompt();
        return;
    }
    if (version == QLatin1String(ProductProfile::TargetFirmwareVersion)) {
        const bool current = ShowOutcome(QString::fromLatin1(ProductProfile::AlreadyCurrentText), true, true);
        FResult = current ? TRunResult::AlreadyCurrent : TRunResult::Failed;
        return;
    }

    // From the settings download to the last login the router is being
    // changed: keep the PC awake.
    std::optional<TSleepInhibitor> awake(std::in_place, TSleepInhibitor::UpgradeReason());
    // A backup that an earlier run left is never written over: this one then
    // gets a name of its own.
    const QString settingsFile = ProgramFiles::NewBackupPath();
    SaveSettings(settingsFile);
    // From here on the backup is the user's only copy of the router's
    // settings. Its record is part of it: without one, nothing could offer
    // it after a failure, so a record that cannot be written stops the run
    // while the router is still as it was.
    QString router = FRouterURL;
    router.remove(QRegularExpression(QStringLiteral("^http://")));
    PendingBackup::Record(settingsFile, router);
    FRunBackup = settingsFile;
    OfferBackup(settingsFile);

    change.emplace(FForm);
    // Every outcome from here on offers the backup; only proof changes that.
    FResult = TRunResult::FailedBackupKept;
    UpgradeFirmware();
    // The router may still be writing its flash: a restart request now could
    // leave it unable to start. The outcome says so and offers the backup.
    if (FFirmwareUnconfirmed)
        return;
    RestartRouter();

    // The upgraded router starts with factory settings: no password.
    UsePasswords({});
    if (!Login()) {
        ShowOutcome(kUpgradeErrorText, false, false);
        return;
    }
    RestoreSettings(settingsFile);
    RestartRouter();
    UsePasswords(passwords);

    // A factory-fresh router takes the empty password too: only a login
    // with a password of the user's proves that the settings are back.
    const bool loginProvesRestore = !GetPassword().empty();
    loggedIn = Login();
    awake.reset();
    if (!loggedIn) {
        ShowOutcome(kUpgradeErrorText, false, false);
        return;
    }
    if (!ShowOutcome(QString::fromLatin1(ProductProfile::UpgradeSucceededText), true, true))
        return;  // the version check failed: the backup stays pending
    PendingBackup::Clear(settingsFile);
    FResult = loginProvesRestore ? TRunResult::Upgraded : TRunResult::UpgradedUnproven;
    if (loginProvesRestore) {
        // Logged in with the user's password on the new version: the
        // settings are back, and the backup has done its work.
        QFile::remove(settingsFile);
        OfferBackup(PendingBackup::File());
    } else {
        // Upgraded, but nothing shows whether the settings took: the file
        // stays and the outcome offers it, though the next start won't ask.
        SupportLogLine(
            lcDriver(),
            QStringLiteral("No password to prove the restore; settings backup kept in %1").arg(settingsFile));
    }
}
