// A router driver whose answers the test sets and whose calls it counts, for
// testing the window without a router.
#pragma once

#include "driver/utNorvoFirmwareUpgrader.h"
#include "wizard/fmMain.h"

#include <QGuiApplication>

#include <functional>
#include <stdexcept>
#include <vector>

namespace wizardtest {

class TFakeUpgrader : public TNorvoFirmwareUpgrader {
public:
    explicit TFakeUpgrader(IUpgraderView& view) : TNorvoFirmwareUpgrader(view) {}

    void RequestLogin(bool, std::string&) override {}
    bool Login() override
    {
        Calls.push_back("Login");
        BusyDuringLogin =
            QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        if (OnLogin)
            OnLogin();
        return LoginResult;
    }
    void SaveSettings(const QString& fileName) override
    {
        Calls.push_back("SaveSettings:" + fileName);
        if (Failure)
            throw Exception(Failure);
    }
    void RestoreSettings(const QString& fileName) override
    {
        Calls.push_back("RestoreSettings:" + fileName);
        if (Failure)
            throw Exception(Failure);
    }
    void RestartRouter() override { Calls.push_back("RestartRouter"); }
    void UpgradeFirmware() override { Calls.push_back("UpgradeFirmware"); }
    void GetFirmwareVersion(QString& version) override
    {
        Calls.push_back("GetFirmwareVersion");
        if (VersionFails)
            throw Exception("Socket Error # 10061\r\nConnection refused.");
        version = Version;
    }
    void ExpressUpgrade() override
    {
        Calls.push_back("ExpressUpgrade");
        if (OnExpressUpgrade)
            OnExpressUpgrade();
    }
    bool IsLegacyFirmware() override
    {
        Calls.push_back("IsLegacyFirmware");
        return Legacy;
    }

    bool LoginResult = true;
    QString Version = "3.6";
    bool VersionFails = false;
    bool Legacy = false;
    const char* Failure = nullptr;  // message of an error SaveSettings/RestoreSettings throw
    std::function<void()> OnExpressUpgrade;
    std::function<void()> OnLogin;  // runs inside Login, as a router's answer would be awaited
    bool BusyDuringLogin = false;
    std::vector<QString> Calls;
};

// The fake driver of a window made by MakeTestWindow(MakeFakeUpgrader).
inline std::unique_ptr<TNorvoFirmwareUpgrader> MakeFakeUpgrader(IUpgraderView& view)
{
    return std::make_unique<TFakeUpgrader>(view);
}
inline TFakeUpgrader& FakeOf(TfrmMain& form) { return static_cast<TFakeUpgrader&>(form.Upgrader()); }

}  // namespace wizardtest
