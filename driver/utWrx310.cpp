#include "driver/utWrx310.h"

#include "driver/DeviceStreamBuf.h"
#include "driver/WindowWait.h"
#include "driver/Wrx310Pages.h"
#include "http/IdMultipartFormData.h"
#include "net/SleepInhibitor.h"
#include "wizard/ProductProfile.h"
#include "wizard/ScopedUi.h"
#include "wizard/WizardSeams.h"
#include "wizard/fmMain.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>

#include <functional>
#include <optional>
#include <ostream>

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
const QString kUpgradeErrorText =
    QStringLiteral("There was an error with the upgrade process. ") + QString::fromLatin1(ProductProfile::RetryAdviceText);

const char* const kUploadField = "upfile";
const char* const kUploadContentType = "application/octet-stream";

// After the restart request the router gets a fixed minute, then polls.
constexpr int kRestartPauses = 12;
constexpr int kRestartPollLimit = 101;
constexpr int kRestartPauseMs = 5000;

QString BesideProgram(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(name);
}

std::string LocalPath(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

QString RouterText(const std::string& bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

[[noreturn]] void ThrowCannotCreate(const QFileDevice& file)
{
    throw EStreamError("Cannot create file \"" + LocalPath(file.fileName()) + "\". " +
                       file.errorString().toStdString());
}

void WriteWholeFile(const QString& fileName, const QByteArray& bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ThrowCannotCreate(file);
    if (file.write(bytes) != bytes.size() || !file.flush())
        throw EStreamError("Stream write error");
}

}  // namespace

TWrx310::TWrx310(TfrmMain& form)
    : TNorvoFirmwareUpgrader(form)
{
    FWait = &WaitKeepingWindowPainted;
}

std::unique_ptr<TNorvoFirmwareUpgrader> MakeWrx310(TfrmMain& form)
{
    return std::make_unique<TWrx310>(form);
}

// ---- Navigation -----------------------------------------------------------

void TWrx310::NextUpdate(TAction& sender)
{
    QWidget* page = FForm.pcCards->currentWidget();
    if (page == FForm.tsStatus) {
        sender.SetEnabled(false);
        return;
    }
    const bool versionRead = !FForm.lblFirmwareVersion->text().trimmed().isEmpty();
    sender.SetEnabled((page == FForm.tsConfiguration && versionRead) || page == FForm.tsSaveSettings ||
                      page == FForm.tsRestoreSettings || page == FForm.tsUpgradeType);
}

void TWrx310::NextExecute(TAction&)
{
    ExpressUpgrade();
}

void TWrx310::PreviousUpdate(TAction& sender)
{
    QWidget* page = FForm.pcCards->currentWidget();
    sender.SetEnabled(page == FForm.tsConfiguration || page == FForm.tsSaveSettings ||
                      (page == FForm.tsOutcome && FForm.OutcomeReturnPage != nullptr));
}

void TWrx310::PreviousExecute(TAction&)
{
    QWidget* page = FForm.pcCards->currentWidget();
    if (page == FForm.tsConfiguration) {
        FForm.pcCards->setCurrentWidget(FForm.tsUpgradeType);
        FForm.HideNavigationButtons();
    } else if (page == FForm.tsSaveSettings) {
        FForm.pcCards->setCurrentWidget(FForm.tsConfiguration);
    } else if (page == FForm.tsOutcome && FForm.OutcomeReturnPage != nullptr) {
        QWidget* returnPage = FForm.OutcomeReturnPage;
        FForm.OutcomeReturnPage = nullptr;
        FForm.pcCards->setCurrentWidget(returnPage);
    }
}

// ---- Identification and login ---------------------------------------------

std::string TWrx310::GetIgnoringErrors(const std::string& url)
{
    try {
        return GetHTTP().Get(url);
    } catch (const std::exception&) {
        // Identification and login judge an empty answer themselves.
        return {};
    }
}

void TWrx310::GetFirmwareVersion(QString& version)
{
    version = RouterText(Wrx310Page::FirmwareVersion(GetIgnoringErrors(GetURL() + "/")));
}

void TWrx310::CheckLegacyFirmware()
{
    FLegacyFirmware = false;
    std::string page;
    RequestLogin(true, page);
    if (Wrx310Page::IsLegacyKey(Wrx310Page::LegacyKey(page))) {
        FLegacyFirmware = true;
        FLegacyRouterSeen = true;
    }
}

bool TWrx310::Login()
{
    FLegacyRouterSeen = false;
    CheckLegacyFirmware();
    std::string answer;
    RequestLogin(false, answer);
    return Wrx310Page::IsLoginAccepted(answer);
}

bool TWrx310::IsLegacyFirmware()
{
    const bool seen = FLegacyRouterSeen;
    FLegacyRouterSeen = false;
    return seen;
}

void TWrx310::RequestLogin(bool pageOnly, std::string& response)
{
    response.clear();
    if (pageOnly) {
        response = GetIgnoringErrors(GetURL());
        return;
    }
    const std::string loginUrl = GetURL() + "/post_login.xml?hash=";
    auto attempt = [&](bool retry) {
        FSalt = GetSalt();
        FHash = BuildLoginHash(retry);
        try {
            response = GetHTTP().Get(loginUrl + FHash);
        } catch (const std::exception&) {
            // A failed request keeps the answer held before it.
        }
    };
    attempt(false);
    if (Wrx310Page::AsksForRetry(response))
        attempt(true);
}

std::string TWrx310::GetSalt()
{
    std::string page;
    try {
        page = GetHTTP().Get(GetURL());
    } catch (const Exception&) {
        // No page, no salt: the caller treats that as a router not answering.
    }
    return Wrx310Page::Salt(page);
}

std::string TWrx310::BuildLoginHash(bool retry)
{
    return ComputeHash(GetPassword(), FSalt, retry);
}

std::string TWrx310::ComputeHash(const std::string& password, const std::string& salt, bool retry)
{
    const char pad = Wrx310Page::PadUnit(FLegacyFirmware, retry);
    FLegacyFirmware = false;
    return salt + MD5Hex(Wrx310Page::LoginHashData(password, salt, pad));
}

std::string TWrx310::MD5Hex(const std::string& data)
{
    const QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString();
}

// ---- Settings backup and restore ------------------------------------------

void TWrx310::SaveSettings(const QString& fileName)
{
    OnStatusPage(kSavingSettings, kSavingSettings, [&] {
        // The download goes to a temporary file beside the target, which
        // replaces the target only once complete: a failed download never
        // destroys an earlier backup and leaves no partial file.
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            ThrowCannotCreate(file);
        FForm.StepStatus(kSavingSettings);
        TDeviceStreamBuf sink(file);
        std::ostream out(&sink);
        GetHTTP().Get(GetURL() + "/getconfig.cgi", out);
        out.flush();
        if (!out)
            throw EStreamError("Stream write error");
        // A router that closed before the announced end leaves a cut-off
        // copy; keeping it as the backup would restore broken settings later.
        const std::int64_t announced = GetHTTP().ResponseContentLength();
        if (announced >= 0 && file.size() != announced)
            throw EIdConnClosedGracefully();
        FForm.StepStatus(kSavingSettings);
        if (!file.commit())
            ThrowCannotCreate(file);
        FForm.StepStatus(kSavingSettings);
    });
}

void TWrx310::RestoreSettings(const QString& fileName)
{
    TSleepInhibitor awake(TSleepInhibitor::UpgradeReason());
    OnStatusPage(kUploadingSettings, kFinalizingSettings,
                 [&] { UploadFile(fileName, "/setconfig.cgi", kUploadingSettings); });
}

void TWrx310::OnStatusPage(const QString& startText, const QString& finalText, const std::function<void()>& work)
{
    TScopedBusyCursor busy;
    TRememberedPage page(FForm.pcCards);
    try {
        FForm.StartStatus(startText);
        FForm.pcCards->setCurrentWidget(FForm.tsStatus);
        work();
    } catch (...) {
        FForm.StepStatus(finalText);
        throw;
    }
    FForm.StepStatus(finalText);
}

void TWrx310::UploadFile(const QString& fileName, const std::string& path, const QString& status)
{
    TIdMultiPartFormDataStream body;
    FForm.StepStatus(status);
    body.AddFile(kUploadField, LocalPath(fileName), kUploadContentType);
    FForm.StepStatus(status);
    const std::string answer = FHTTP->Post(GetURL() + path, body);
    FForm.mmoOutput->setPlainText(RouterText(answer));
}  // releasing the body closes the file

// ---- Firmware upload and restart ------------------------------------------

void TWrx310::SendFirmware()
{
    FForm.StartStatus(kUpgradingFirmware);
    FForm.pcCards->setCurrentWidget(FForm.tsStatus);
    // A missing or damaged image fails here, before anything is written or sent.
    const QByteArray image = FForm.Seams().LoadFirmware();
    const QString path = BesideProgram(ProductProfile::FirmwareFileName);
    WriteWholeFile(path, image);
    UploadFile(path, "/upload.cgi", kUpgradingFirmware);
    QFile::remove(path);  // the upload has released the file
}

void TWrx310::UpgradeFirmware()
{
    bool failed = false;
    {
        TScopedBusyCursor busy;
        TRememberedPage page(FForm.pcCards);
        try {
            SendFirmware();
        } catch (const std::exception&) {
            failed = true;  // reported on the outcome page below
        }
        FForm.StepStatus(kFinalizingFirmware);
    }
    if (failed)
        FForm.ShowOutcome(kFirmwareProblemText, false, false);
}

void TWrx310::RestartRouter()
{
    TSleepInhibitor awake(TSleepInhibitor::UpgradeReason());
    OnStatusPage(kRestarting, kRestarted, [&] {
        FForm.StepStatus(kRestarting);
        GetHTTP().Get(GetURL() + "/reboot.cgi?reset=false");
        for (int pause = 0; pause < kRestartPauses; ++pause) {
            FForm.StepStatus(kRestarting);
            FWait(kRestartPauseMs);
        }
        // The router may come back under another address; poll that one.
        FForm.GetDefaultGateway();
        for (int poll = 0; poll < kRestartPollLimit; ++poll) {
            FForm.StepStatus(kRestarting);
            if (!Wrx310Page::Trim(GetSalt()).empty()) {
                FForm.StepStatus(kRestarted);
                break;
            }
            QCoreApplication::processEvents();
            FWait(kRestartPauseMs);
        }
    });
}

// ---- Express upgrade ------------------------------------------------------

void TWrx310::ExpressUpgrade()
{
    const QString configPassword = FForm.edPassword->text().trimmed();
    const QString expressPassword = FForm.edExpressAdminPassword->text().trimmed();
    try {
        RunExpressUpgrade(configPassword, expressPassword);
    } catch (...) {
        // The run disabled Next and Cancel; an error must not leave the user
        // with neither a way to retry nor a way to close.
        FForm.btnNext->setEnabled(true);
        FForm.btnCancel->setEnabled(true);
        // Nor with emptied password boxes: a retry would then log in to the
        // factory-fresh router and call it current, with its settings not
        // restored.
        FForm.edPassword->setText(configPassword);
        FForm.edExpressAdminPassword->setText(expressPassword);
        throw;
    }
}

void TWrx310::ShowLoginFailedPrompt()
{
    FForm.Link_Label->hide();
    FForm.lblExpressUpgrade->setText(kLoginFailedText);
    FForm.edExpressAdminPassword->show();
    FForm.lblExpressAdminPassword->show();
    FForm.lblExpressUpgrade->show();
    FForm.btnNext->setEnabled(true);
    FForm.btnCancel->setEnabled(true);
    FForm.Label2->hide();
    FForm.WiredChk->hide();
    FForm.lblContinue->hide();
    FForm.pcCards->setCurrentWidget(FForm.tsUpgradeType);
}

void TWrx310::RunExpressUpgrade(const QString& configPassword, const QString& expressPassword)
{
    FForm.btnNext->setEnabled(false);
    FForm.btnCancel->setEnabled(false);

    if (!Login()) {
        ShowLoginFailedPrompt();
        return;
    }
    QString version;
    GetFirmwareVersion(version);
    if (version == QLatin1String(ProductProfile::TargetFirmwareVersion)) {
        FForm.ShowOutcome(QString::fromLatin1(ProductProfile::AlreadyCurrentText), true, true);
        return;
    }

    // From the settings download to the last login the router is being
    // changed: keep the PC awake.
    std::optional<TSleepInhibitor> awake(std::in_place, TSleepInhibitor::UpgradeReason());
    const QString settingsFile = BesideProgram(ProductProfile::SettingsFileName);
    SaveSettings(settingsFile);
    UpgradeFirmware();
    RestartRouter();

    // The upgraded router starts with factory settings: no password.
    FForm.edPassword->clear();
    FForm.edExpressAdminPassword->clear();
    if (!Login()) {
        FForm.ShowOutcome(kUpgradeErrorText, false, false);
        return;
    }
    RestoreSettings(settingsFile);
    RestartRouter();
    QFile::remove(settingsFile);
    FForm.edPassword->setText(configPassword);
    FForm.edExpressAdminPassword->setText(expressPassword);

    const bool loggedIn = Login();
    awake.reset();
    if (loggedIn)
        FForm.ShowOutcome(QString::fromLatin1(ProductProfile::UpgradeSucceededText), true, true);
    else
        FForm.ShowOutcome(kUpgradeErrorText, false, false);
}
