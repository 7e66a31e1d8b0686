// The router driver of the WRX-270 family: identification, login, settings
// backup and restore, firmware upload, restart, and the one-click upgrade.
#pragma once

#include "driver/utNorvoFirmwareUpgrader.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class TWrx310 : public TNorvoFirmwareUpgrader {
public:
    explicit TWrx310(IUpgraderView& form);

    void NextUpdate(IUpgraderAction& sender) override;
    void NextExecute(IUpgraderAction& sender) override;
    void PreviousUpdate(IUpgraderAction& sender) override;
    void PreviousExecute(IUpgraderAction& sender) override;

    void RequestLogin(bool pageOnly, std::string& response) override;
    bool Login() override;
    void SaveSettings(const QString& fileName) override;
    void RestoreSettings(const QString& fileName) override;
    void RestartRouter() override;
    void UpgradeFirmware() override;
    void GetFirmwareVersion(QString& version) override;
    void ExpressUpgrade() override;
    // True when the last login met a 3.0x/3.1x router; reading it clears it.
    bool IsLegacyFirmware() override;

    // The salt of a fresh copy of the root page, or empty.
    std::string GetSalt();
    // The login token for the current password and salt.
    std::string BuildLoginHash(bool retry);
    std::string ComputeHash(const std::string& password, const std::string& salt, bool retry);
    static std::string MD5Hex(const std::string& data);

private:
    void CheckLegacyFirmware();
    void RunExpressUpgrade(const TPasswords& passwords, std::optional<TRouterChange>& change);
    void ShowLoginFailedPrompt();
    void SendFirmware();
    // Runs one router operation on the Status page under the hourglass,
    // starting with startText; whatever happens, a last step with finalText,
    // then the page and the cursor the user had.
    void OnStatusPage(const QString& startText, const QString& finalText, const std::function<void()>& work);
    // Posts one file as the form's file field to the router page at path,
    // and shows the router's answer.
    void UploadFile(const QString& fileName, const std::string& path, const QString& status, const TIdLimits& limits);
    std::string GetIgnoringErrors(const std::string& url);
    // A small page (root page, login, restart request, poll) under the
    // small-page limits, cut to the end of the restart wait while one runs.
    std::string GetPage(const std::string& url);
    // Runs a login or version read; a slow router meanwhile gets the
    // "Contacting the router..." notice. Nested reads share one notice.
    void WhileContacting(const std::function<void()>& read);
    // Runs one request; a slow answer meanwhile moves the progress bar (or
    // counts for the contacting notice, inside a login or version read).
    void WithSlowAnswerShown(const std::function<void()>& request);

    std::string FSalt;
    std::string FHash;
    // Selects the padding of the next hash; the first hash after the legacy
    // check consumes it.
    bool FLegacyFirmware = false;
    // What the legacy check of the last login found, kept for
    // IsLegacyFirmware after the hash has consumed FLegacyFirmware.
    bool FLegacyRouterSeen = false;
    TSlowAnswerNotice* FNotice = nullptr;          // while a login or version read runs
    std::optional<std::int64_t> FRestartDeadline;  // while the restart wait runs (FClock time)
    // The settings backup this express run saved; empty before the download.
    QString FRunBackup;
    // The last firmware upload sent its last byte but got no answer: the
    // router may be writing its flash and must not be asked to restart.
    bool FFirmwareUnconfirmed = false;
};

// The driver the program gives its window.
std::unique_ptr<TNorvoFirmwareUpgrader> MakeWrx310(IUpgraderView& form);
