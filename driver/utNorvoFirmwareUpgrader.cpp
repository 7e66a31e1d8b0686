#include "driver/utNorvoFirmwareUpgrader.h"

#include "base/Exception.h"
#include "driver/ProgramFiles.h"
#include "log/SupportLog.h"
#include "resources/ProductProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

TNorvoFirmwareUpgrader::TNorvoFirmwareUpgrader(IUpgraderView& form, TFirmwareSource firmware)
    : FForm(form),
      FPages(form),
      FRequests(form, FPages),
      FFirmware(std::move(firmware)),
      FWait([this](int milliseconds) { FForm.Waiting().Pause(milliseconds); })
{
    WireActions();
}

TNorvoFirmwareUpgrader::~TNorvoFirmwareUpgrader()
{
    // The commands outlive the driver inside the window; leave no handler
    // pointing at a destroyed object.
    FForm.SetNavigationHandlers({});
}

void TNorvoFirmwareUpgrader::WireActions()
{
    // The lambdas dispatch virtually when they run, so a concrete driver's
    // overrides are the handlers the user meets.
    FForm.SetNavigationHandlers(
        {[this](IUpgraderAction& a) { NextUpdate(a); }, [this](IUpgraderAction& a) { NextExecute(a); },
         [this](IUpgraderAction& a) { PreviousUpdate(a); }, [this](IUpgraderAction& a) { PreviousExecute(a); }});
}

namespace {

int PageIndex(TUpgraderPage page) { return static_cast<int>(page); }

// Shows the page that many places from the active one, when there is one.
void ShowPageBeside(TViewPages& pages, int steps)
{
    const int index = PageIndex(pages.ActivePage()) + steps;
    if (index >= 0 && index < kUpgraderPageCount)
        pages.ShowPage(static_cast<TUpgraderPage>(index));
}

}  // namespace

void TNorvoFirmwareUpgrader::NextUpdate(IUpgraderAction& sender)
{
    sender.SetEnabled(PageIndex(FPages.ActivePage()) < kUpgraderPageCount);
}

void TNorvoFirmwareUpgrader::NextExecute(IUpgraderAction&) { ShowPageBeside(FPages, +1); }

void TNorvoFirmwareUpgrader::PreviousUpdate(IUpgraderAction& sender)
{
    sender.SetEnabled(PageIndex(FPages.ActivePage()) > 1);
}

void TNorvoFirmwareUpgrader::PreviousExecute(IUpgraderAction&) { ShowPageBeside(FPages, -1); }

bool TNorvoFirmwareUpgrader::LogInForRestore()
{
    if (Login())
        return true;
    // After a failed upgrade the router may be on factory settings, which
    // have no password.
    const auto kept = qScopeGuard([this, typed = FTyped] { UsePasswords(typed); });
    UsePasswords({});
    if (Login())
        return true;
    const std::optional<QString> typed = FForm.AskRouterPassword(
        QStringLiteral("The router did not accept the password. Type the router's current admin password to "
                       "restore the settings:"));
    if (!typed)
        return false;
    UsePasswords({*typed, *typed});
    return Login();
}

void TNorvoFirmwareUpgrader::RestoreSettingsAndRestart(const QString& fileName)
{
    FResult = TRunResult::RestoreFailed;
    RunRestore(fileName);
    FResult = TRunResult::Restored;
}

void TNorvoFirmwareUpgrader::RunRestore(const QString& fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!LogInForRestore()) {
        SupportLogLine(lcDriver(), QStringLiteral("Restore not sent: no password logged in"));
        throw Exception(QStringLiteral("Cannot log in to the router, so the settings from \"%1\" were not sent. "
                                       "Please check the wiring and the password, then click Restore Settings again.")
                            .arg(shown)
                            .toStdString());
    }
    const bool pending = PendingBackup::IsPending(fileName);
    {
        TRouterChange change(FForm);
        RestoreSettings(fileName);
        RestartRouter();
        if (!pending)
            return;
        // The restore took only if the router now holds these settings: a
        // login with the user's password, which a factory router refuses;
        // without a password, at least a router that came back.
        const bool proven = !GetPassword().empty() ? Login() : RouterCameBack();
        if (!proven) {
            SupportLogLine(lcDriver(), QStringLiteral("Restore not confirmed; backup kept: %1").arg(fileName));
            throw Exception(QStringLiteral("The router did not confirm that it took the settings from \"%1\". The "
                                           "file is kept: check the wiring, then click Restore Settings again.")
                                .arg(shown)
                                .toStdString());
        }
    }
    PendingBackup::Clear(fileName);
    SupportLogLine(lcDriver(), QStringLiteral("Restore confirmed: %1").arg(fileName));
}

std::string TNorvoFirmwareUpgrader::GetURL() const { return FRouterURL.toStdString(); }

std::string TNorvoFirmwareUpgrader::GetPassword() const
{
    const QString configured = FTyped.Configuration.trimmed();
    if (!configured.isEmpty())
        return configured.toStdString();
    return FTyped.Express.trimmed().toStdString();
}

void TNorvoFirmwareUpgrader::UsePasswords(const TPasswords& passwords)
{
    FTyped = passwords;
    FForm.SetPasswords(passwords);
}

bool TNorvoFirmwareUpgrader::ShowOutcome(const QString& text, bool success, bool checkVersion)
{
    QString message = text;
    bool ok = success;
    if (checkVersion) {
        QString version;
        try {
            GetFirmwareVersion(version);
        } catch (const std::exception&) {
            version.clear();  // an unreadable version is a wrong version
        }
        if (version != QLatin1String(ProductProfile::TargetFirmwareVersion)) {
            message = QStringLiteral("The firmware version does not match. ") +
                      QLatin1String(ProductProfile::RetryAdviceText);
            ok = false;
        }
    }
    FForm.ShowOutcome(message, ok);
    return ok;
}

void TNorvoFirmwareUpgrader::OfferBackup(const QString& file)
{
    FOfferedBackup = file;
    FForm.OfferBackup(file);
}

void TNorvoFirmwareUpgrader::ShowFirmwareVersion(const QString& version)
{
    FFirmwareVersion = version;
    FForm.ShowFirmwareVersion(version);
}

void TNorvoFirmwareUpgrader::CheckFirmware()
{
    FForm.SetReturnPage(TUpgraderPage::Outcome, TUpgraderPage::Configuration);
    const TBusyCursor busy(FForm.Waiting());
    const QString retry = QLatin1String(ProductProfile::RetryAdviceText);
    FResult = TRunResult::LoginFailed;
    if (Login()) {
        QString version;
        FResult = TRunResult::Failed;
        GetFirmwareVersion(version);
        ShowFirmwareVersion(version);
        if (FirmwareVersionShown())
            FResult = TRunResult::VersionRead;
        else
            ShowOutcome(QStringLiteral("Could not connect to router and/or determine firmware version. ") + retry,
                        false, false);
    } else if (IsLegacyFirmware()) {
        FForm.ShowSupportLink(true);
        ShowOutcome(
            QStringLiteral("This router has firmware version 3.0. ") + QLatin1String(ProductProfile::ManualUpgradeText),
            false, false);
    } else {
        FForm.ShowSupportLink(false);
        ShowOutcome(QStringLiteral("Error logging into router. ") + retry, false, false);
    }
}

QString TNorvoFirmwareUpgrader::NewSettingsFileName() const
{
    // While an upgrade's backup waits, the name offered is a new one.
    return ProgramFiles::NewBackupPath();
}

void TNorvoFirmwareUpgrader::SaveSettingsFromPage(const QString& fileName)
{
    // A pending backup may be the only copy of the router's settings from
    // before a failed upgrade; the router may now be on factory settings.
    if (PendingBackup::IsPending(fileName) &&
        !FForm.Confirm(QStringLiteral("\"%1\" holds your router settings from before an upgrade that did not "
                                      "finish. Saving now would replace them with the router's current "
                                      "settings.\n\nReplace the file anyway?")
                           .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath()))))
        return;
    SaveSettings(fileName);
}

void TNorvoFirmwareUpgrader::OfferPendingBackupAtStart()
{
    const QString file = PendingBackup::File();
    if (file.isEmpty())
        return;
    if (FForm.Confirm(QStringLiteral("An earlier upgrade did not finish. Your router settings from before it are "
                                     "saved in \"%1\".\n\nOpen the Restore Settings page to put them back on "
                                     "the router?")
                          .arg(QDir::toNativeSeparators(file))))
        FForm.OpenBackupRestore(file);
}

void TNorvoFirmwareUpgrader::OpenOfferedBackup() { FForm.OpenBackupRestore(FOfferedBackup); }
