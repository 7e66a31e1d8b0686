// The router driver of the WRX-270 family: identification, login, settings
// backup and restore, firmware upload, restart, and the one-click upgrade.
#pragma once

#include "driver/utNorvoFirmwareUpgrader.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class TWrx310 : public TNorvoFirmwareUpgrader {
public:
    explicit TWrx310(IUpgraderView& form, TFirmwareSource firmware = TFirmwareSource());

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
    // The router's bytes as text, each byte one character.
    static QString RouterText(const std::string& bytes);
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

    std::string FSalt;
    std::string FHash;
    // Selects the padding of the next hash; the first hash after the legacy
    // check consumes it.
    bool FLegacyFirmware = false;
    // What the legacy check of the last login found, kept for
    // IsLegacyFirmware after the hash has consumed FLegacyFirmware.
    bool FLegacyRouterSeen = false;
    // The settings backup this express run saved; empty before the download.
    QString FRunBackup;
    // The last firmware upload sent its last byte but got no answer: the
    // router may be writing its flash and must not be asked to restart.
    bool FFirmwareUnconfirmed = false;
};

// The driver with the embedded image, the placeholder refused. The program
// makes its driver with the firmware source of its command line.
std::unique_ptr<TNorvoFirmwareUpgrader> MakeWrx310(IUpgraderView& form);
