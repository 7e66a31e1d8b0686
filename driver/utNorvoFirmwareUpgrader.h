// Base of the router drivers: the link to the wizard window, the one HTTP
// client of the run, and the driver operations that a router family fills in.
#pragma once

#include "driver/SlowAnswerNotice.h"
#include "http/IdHTTP.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class TfrmMain;
class TAction;

// Pauses the driver for the given milliseconds. In the program the pause
// keeps the window painted without taking input; tests pass one that returns at once.
using TWaitFunction = std::function<void(int milliseconds)>;

class TNorvoFirmwareUpgrader {
public:
    explicit TNorvoFirmwareUpgrader(TfrmMain& form);
    virtual ~TNorvoFirmwareUpgrader();
    TNorvoFirmwareUpgrader(const TNorvoFirmwareUpgrader&) = delete;
    TNorvoFirmwareUpgrader& operator=(const TNorvoFirmwareUpgrader&) = delete;

    // Navigation handlers wired to the window's actNext and actPrevious.
    virtual void NextUpdate(TAction& sender);
    virtual void NextExecute(TAction& sender);
    virtual void PreviousUpdate(TAction& sender);
    virtual void PreviousExecute(TAction& sender);

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

    std::string GetURL() const;
    TIdHTTP& GetHTTP() { return *FHTTP; }
    std::string GetPassword() const;

    // The pause used by the restart wait.
    void SetWait(TWaitFunction wait) { FWait = std::move(wait); }
    // The clock that bounds the restart wait and times slow answers.
    void SetClock(TClockMs clock) { FClock = std::move(clock); }
    // The bounds of each kind of request the driver makes.
    TIdRequestLimits& Limits() { return FLimits; }

protected:
    // Wires the actions to this object's handlers; called by the constructor.
    void WireActions();

    TfrmMain& FForm;
    std::unique_ptr<TIdHTTP> FHTTP;
    TWaitFunction FWait;
    TClockMs FClock;
    TIdRequestLimits FLimits;
};
