// A view for the driver without the window: it keeps what it shows (page,
// return pages, passwords, version), hands the page shown to the driver as
// the window does, records every call that changes something, in order, and
// counts the waits it is asked for.
#pragma once

#include "driver/UpgraderView.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace drivertest {

inline const char* PageName(TUpgraderPage page)
{
    static const char* const names[kUpgraderPageCount] = {
        "UpgradeType", "Status", "Configuration", "SaveSettings", "Output", "RestoreSettings", "Outcome"};
    return names[static_cast<int>(page)];
}

// A command whose enabled state the test reads.
struct TFakeAction : IUpgraderAction {
    void SetEnabled(bool enabled) override { Enabled = enabled; }
    bool Enabled = false;
};

// The waits a driver asks for, none of them waiting: the hourglass's depth,
// the pauses, and the repaints by whether user input got through.
struct TFakeWaiting : IWaiting {
    void BeginBusy() override { BusiestDepth = std::max(BusiestDepth, ++Busy); }
    void EndBusy() override { --Busy; }
    void Pause(int milliseconds) override
    {
        Pauses.push_back(milliseconds);
        if (OnPause)
            OnPause(milliseconds);
    }
    void KeepPainted(TInput input) override { ++(input == TInput::Held ? RepaintsInputHeld : RepaintsInputTaken); }

    int Busy = 0;
    int BusiestDepth = 0;
    std::vector<int> Pauses;
    std::function<void(int milliseconds)> OnPause;
    int RepaintsInputHeld = 0;
    int RepaintsInputTaken = 0;
};

class TFakeUpgraderView : public IUpgraderView {
public:
    void ShowPage(TUpgraderPage page) override
    {
        Page = page;
        Record(QStringLiteral("ShowPage(%1)").arg(QLatin1String(PageName(page))));
        HandShownPage();
    }
    void HideNavigationButtons() override { Record(QStringLiteral("HideNavigationButtons")); }
    std::optional<TUpgraderPage> ReturnPage(TUpgraderPage page) const
    {
        const auto found = ReturnPages.find(page);
        return found == ReturnPages.end() ? std::nullopt : std::optional<TUpgraderPage>(found->second);
    }
    void SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage) override
    {
        ReturnPages[page] = returnPage;
        HandShownPage();
    }
    void ForgetReturnPage(TUpgraderPage page) override
    {
        ReturnPages.erase(page);
        HandShownPage();
    }
    void SetNavigationHandlers(TNavigationHandlers handlers) override { Navigation = std::move(handlers); }

    void StartStatus(const QString& text) override { Record(QStringLiteral("StartStatus(%1)").arg(text)); }
    void StepStatus(const QString& text) override { Record(QStringLiteral("StepStatus(%1)").arg(text)); }
    void BeginBusyStatus(const QString&) override { Record(QStringLiteral("BeginBusyStatus")); }
    void EndBusyStatus() override { Record(QStringLiteral("EndBusyStatus")); }

    void ShowOutcome(const QString& text, bool success) override
    {
        Record(QStringLiteral("ShowOutcome(%1, %2)").arg(text, success ? "success" : "failure"));
        Page = TUpgraderPage::Outcome;
        HandShownPage();
    }
    void OfferBackup(const QString& file) override
    {
        Backup = file;
        Record(QStringLiteral("OfferBackup(%1)").arg(file));
    }
    void OpenBackupRestore(const QString& file) override
    {
        Record(QStringLiteral("OpenBackupRestore(%1)").arg(file));
        ReturnPages[TUpgraderPage::RestoreSettings] = Page;
        Page = TUpgraderPage::RestoreSettings;
        HandShownPage();
    }

    void SetPasswords(const TPasswords& passwords) override
    {
        Typed = passwords;
        Record(QStringLiteral("SetPasswords(%1, %2)").arg(passwords.Configuration, passwords.Express));
    }
    void ShowFirmwareVersion(const QString& version) override
    {
        Version = version;
        Record(QStringLiteral("ShowFirmwareVersion(%1)").arg(version));
    }
    void ShowSupportLink(bool visible) override
    {
        Record(QStringLiteral("ShowSupportLink(%1)").arg(visible ? "true" : "false"));
    }
    void GetDefaultGateway(TGatewayUpdate) override { Record(QStringLiteral("GetDefaultGateway")); }

    std::optional<QString> AskRouterPassword(const QString&) override
    {
        Record(QStringLiteral("AskRouterPassword"));
        return PasswordAnswer;
    }
    bool Confirm(const QString&) override
    {
        Record(QStringLiteral("Confirm"));
        return ConfirmAnswer;
    }
    void ShowRouterAnswer(const QString&) override { Record(QStringLiteral("ShowRouterAnswer")); }
    void ShowLoginFailedPrompt(const QString& text) override
    {
        Record(QStringLiteral("ShowLoginFailedPrompt(%1)").arg(text));
    }
    void SetRunButtonsEnabled(bool enabled) override
    {
        Record(QStringLiteral("SetRunButtonsEnabled(%1)").arg(enabled ? "true" : "false"));
    }

    IWaiting& Waiting() override { return Waits; }

    void RouterChangeStarted() override { ++RouterChanges; }
    void RouterChangeEnded() override { --RouterChanges; }

    // The calls that decide something, without the status display's steps
    // and the Status page it comes with.
    QStringList Decisions() const
    {
        QStringList decisions;
        for (const QString& call : Calls)
            if (!call.contains(QLatin1String("Status")))
                decisions.append(call);
        return decisions;
    }

    TUpgraderPage Page = TUpgraderPage::UpgradeType;
    std::map<TUpgraderPage, TUpgraderPage> ReturnPages;
    TNavigationHandlers Navigation;
    QString Backup;
    TPasswords Typed;                       // what the password boxes show
    QString Version;                        // the version the Configuration page shows
    std::optional<QString> PasswordAnswer;  // what the password prompt returns; none: Cancel
    bool ConfirmAnswer = false;             // the answer to a yes/no question
    // Where the view hands the page it shows, as the window does to its driver.
    std::function<void(const TShownPage&)> HandIn;
    TFakeWaiting Waits;
    int RouterChanges = 0;
    mutable QStringList Calls;

private:
    void Record(const QString& call) const { Calls.append(call); }
    void HandShownPage()
    {
        if (HandIn)
            HandIn({Page, ReturnPage(Page)});
    }
};

}  // namespace drivertest
