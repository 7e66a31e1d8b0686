// Base of the router drivers: the link to the window's view, the requests
// of the run, the firmware image, and the driver operations that a router
// family fills in.
#pragma once

#include "driver/RouterRequests.h"
#include "driver/UpgraderView.h"
#include "driver/ViewPages.h"
#include "http/IdHTTP.h"
#include "resources/FirmwareSource.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

// How the last run ended, for a view that reports it in other ways than
// words (a command line's exit status).
enum class TRunResult {
    None,              // no run has ended yet
    Upgraded,          // upgraded, new version read, settings proven by the user's password
    UpgradedUnproven,  // upgraded, new version read; no password to prove the settings: backup kept
    AlreadyCurrent,    // the router has the target version already; nothing changed
    VersionRead,       // Check Firmware read the router's version
    LoginFailed,       // no login; nothing on the router changed
    FirmwareProblem,   // the image is missing, damaged or refused; nothing on the router changed
    Failed,            // an error before anything on the router changed
    FailedBackupKept,  // failed after the settings were saved; the router may be changed; backup kept
    Restored,          // the Restore Settings run ended, its proof held where a backup was pending
    RestoreFailed,     // the Restore Settings run failed or found no proof
};

// Pauses the driver for the given milliseconds. By default the view's pause,
// which keeps the window painted without taking input; tests pass one that
// returns at once.
using TWaitFunction = std::function<void(int milliseconds)>;

class TNorvoFirmwareUpgrader {
public:
    // The image to send comes from firmware; by default the embedded one,
    // without the placeholder.
    explicit TNorvoFirmwareUpgrader(IUpgraderView& form, TFirmwareSource firmware = TFirmwareSource());
    virtual ~TNorvoFirmwareUpgrader();
    TNorvoFirmwareUpgrader(const TNorvoFirmwareUpgrader&) = delete;
    TNorvoFirmwareUpgrader& operator=(const TNorvoFirmwareUpgrader&) = delete;

    // Navigation handlers wired to the view's Next and Previous commands.
    virtual void NextUpdate(IUpgraderAction& sender);
    virtual void NextExecute(IUpgraderAction& sender);
    virtual void PreviousUpdate(IUpgraderAction& sender);
    virtual void PreviousExecute(IUpgraderAction& sender);

    // Router operations.
    virtual void RequestLogin(bool pageOnly, std::string& response) = 0;
    virtual bool Login() = 0;
    virtual void SaveSettings(const QString& fileName) = 0;
    virtual void RestoreSettings(const QString& fileName) = 0;
    virtual void RestartRouter() = 0;
    virtual void UpgradeFirmware() = 0;
    virtual void GetFirmwareVersion(QString& version) = 0;
    virtual void ExpressUpgrade() = 0;
    virtual bool IsLegacyFirmware() = 0;

    // The Restore Settings page's run: log in, upload the file, restart the
    // router. A pending backup's record goes only on proof that the router
    // took it. Throws, with words for the user, when no password logs in
    // (then nothing is sent) or the proof fails.
    virtual void RestoreSettingsAndRestart(const QString& fileName);
    // Whether the last restart wait ended with the router answering.
    bool RouterCameBack() const { return FRouterCameBack; }
    // How the last run ended, and the settings backup its outcome offers
    // (empty: none).
    TRunResult Result() const { return FResult; }
    QString OfferedBackup() const { return FOfferedBackup; }

    // Check Firmware on the Configuration page: logs in and shows the
    // router's firmware version, or ends on the outcome that says why not
    // (Previous there returns to the Configuration page).
    virtual void CheckFirmware();
    // The version read from the router, shown on the Configuration page.
    void ShowFirmwareVersion(const QString& version);
    // Shows the outcome; with checkVersion, only a router that now reports
    // the target version counts as a success. Whether a success was shown.
    bool ShowOutcome(const QString& text, bool success, bool checkVersion);

    // The settings backup's life outside the express run: the name the Save
    // Settings page proposes (a new one while a backup is pending), saving
    // from that page (asking before a pending backup is written over), the
    // start-up offer of a backup that an unfinished upgrade left, and the
    // Outcome page's button that opens the offered backup for restoring.
    QString NewSettingsFileName() const;
    void SaveSettingsFromPage(const QString& fileName);
    void OfferPendingBackupAtStart();
    void OpenOfferedBackup();

    // What the user gave, handed in by the view whenever it changes: the
    // router's address as a URL ("http://host[:port]") and the text of the
    // two password boxes.
    void SetRouterURL(const QString& url) { FRouterURL = url; }
    void SetTypedPasswords(const TPasswords& passwords) { FTyped = passwords; }
    // The page the view shows and its return page, at every change.
    void SetShownPage(const TShownPage& shown) { FPages.Shown(shown); }

    std::string GetURL() const;
    TIdHTTP& GetHTTP() { return FRequests.HTTP(); }
    // The password a login uses: the Configuration page's box, else the
    // Upgrade Type page's, both trimmed.
    std::string GetPassword() const;

    // The pause used by the restart wait.
    void SetWait(TWaitFunction wait) { FWait = std::move(wait); }
    // The clock that bounds the restart wait and times slow answers.
    void SetClock(TClockMs clock) { FRequests.SetClock(std::move(clock)); }
    // The bounds of each kind of request the driver makes.
    TIdRequestLimits& Limits() { return FRequests.Limits(); }
    // Where the firmware image for sending or saving comes from.
    TFirmwareSource& Firmware() { return FFirmware; }

protected:
    // Logs in for a restore: with the password boxes, then with none (a
    // router on factory settings), then with a password the user is asked for.
    bool LogInForRestore();
    void RunRestore(const QString& fileName);

    // Wires the view's commands to this object's handlers; called by the constructor.
    void WireActions();
    // Uses passwords for the next logins and shows them in the boxes.
    void UsePasswords(const TPasswords& passwords);
    // The backup the Outcome page offers (empty: none).
    void OfferBackup(const QString& file);
    // Whether the Configuration page shows a version read from the router.
    bool FirmwareVersionShown() const { return !FFirmwareVersion.trimmed().isEmpty(); }

    IUpgraderView& FForm;  // the window's view; not owned
    TViewPages FPages;     // what the view shows, as it tells
    TRouterRequests FRequests;
    TFirmwareSource FFirmware;
    TWaitFunction FWait;
    bool FRouterCameBack = false;  // set by RestartRouter
    QString FRouterURL;            // handed in by the view
    TPasswords FTyped;             // handed in by the view, or set by UsePasswords
    QString FFirmwareVersion;      // shown on the Configuration page
    QString FOfferedBackup;        // offered on the Outcome page
    TRunResult FResult = TRunResult::None;
};
