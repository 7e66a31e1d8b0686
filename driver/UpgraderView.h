// What a router driver tells the window it works for: the pages, the status
// display, the outcome, the password boxes, the Next and Previous commands,
// and how to wait. The calls go one way: what the user gives (the address,
// the passwords, the page shown) the view hands to the driver as values, and
// the driver never reads the window back; only the prompts return the
// user's answer. The wizard window implements it; tests may give the driver
// a small fake instead.
#pragma once

#include "driver/ScopeGuards.h"
#include "driver/Waiting.h"

#include <QString>

#include <functional>
#include <optional>

// The wizard's pages, in the order of the page control.
enum class TUpgraderPage { UpgradeType, Status, Configuration, SaveSettings, Output, RestoreSettings, Outcome };
inline constexpr int kUpgraderPageCount = static_cast<int>(TUpgraderPage::Outcome) + 1;

// The page a view shows, and the page Previous reopens from it (Outcome and
// Restore Settings may have one).
struct TShownPage {
    TUpgraderPage Page = TUpgraderPage::UpgradeType;
    std::optional<TUpgraderPage> ReturnPage;
};

// A command of the view whose enabled state a driver's update handler sets.
class IUpgraderAction {
public:
    virtual void SetEnabled(bool enabled) = 0;

protected:
    ~IUpgraderAction() = default;
};

// The handlers of the Next and Previous commands; empty ones are none.
struct TNavigationHandlers {
    using Handler = std::function<void(IUpgraderAction& sender)>;
    Handler NextUpdate, NextExecute, PreviousUpdate, PreviousExecute;
};

// The text of the two password boxes, as typed.
struct TPasswords {
    QString Configuration;  // the Configuration page's box
    QString Express;        // the Upgrade Type page's box
};

class IUpgraderView {
public:
    // Pages. ShowPage runs the page's show rule, also when it is active
    // already. The view hands every change of the page shown (and of its
    // return page) to the driver: TNorvoFirmwareUpgrader::SetShownPage.
    virtual void ShowPage(TUpgraderPage page) = 0;
    virtual void HideNavigationButtons() = 0;
    // The page Previous reopens from page (Outcome, Restore Settings).
    virtual void SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage) = 0;
    virtual void ForgetReturnPage(TUpgraderPage page) = 0;
    virtual void SetNavigationHandlers(TNavigationHandlers handlers) = 0;

    // Status display. A busy status moves the progress bar on its own until
    // EndBusyStatus; a null text keeps the status text as it is.
    virtual void StartStatus(const QString& text) = 0;
    virtual void StepStatus(const QString& text) = 0;
    virtual void BeginBusyStatus(const QString& text = QString()) = 0;
    virtual void EndBusyStatus() = 0;

    // The outcome page with its text, as a success or a failure.
    virtual void ShowOutcome(const QString& text, bool success) = 0;
    // The settings backup that the outcome page offers to restore (its text
    // says whether the run failed or succeeded without proof that the router
    // kept its settings). Empty: nothing to offer.
    virtual void OfferBackup(const QString& file) = 0;
    // Opens the Restore Settings page with file chosen; Previous there
    // returns to the page shown now.
    virtual void OpenBackupRestore(const QString& file) = 0;

    // The password boxes show passwords (emptied and refilled during a run).
    virtual void SetPasswords(const TPasswords& passwords) = 0;
    // The firmware version read from the router, on the Configuration page.
    virtual void ShowFirmwareVersion(const QString& version) = 0;
    // The link to the support site, for a router the program cannot upgrade.
    virtual void ShowSupportLink(bool visible) = 0;
    // Looks up the router's address again and hands it in (see
    // TNorvoFirmwareUpgrader::SetRouterURL). Always: the address gets what
    // the lookup finds, also nothing. KeepWhenNone: an empty result leaves
    // the address as it is.
    enum class TGatewayUpdate { Always, KeepWhenNone };
    virtual void GetDefaultGateway(TGatewayUpdate update) = 0;

    // Asks the user for the router's current password (typed without echo);
    // nothing when the user cancels.
    virtual std::optional<QString> AskRouterPassword(const QString& text) = 0;
    // Asks the user a yes/no question; whether the answer is yes.
    virtual bool Confirm(const QString& text) = 0;

    // The router's answer to an upload, as text.
    virtual void ShowRouterAnswer(const QString& text) = 0;
    // The Upgrade Type page's prompt after a failed login: text and the password box.
    virtual void ShowLoginFailedPrompt(const QString& text) = 0;
    // The Next and Cancel buttons that start and end a run.
    virtual void SetRunButtonsEnabled(bool enabled) = 0;

    // The hourglass, pauses and repaints while the driver waits.
    virtual IWaiting& Waiting() = 0;

    // While the router is being changed the window refuses to close; see TRouterChange.
    virtual void RouterChangeStarted() = 0;
    virtual void RouterChangeEnded() = 0;

protected:
    ~IUpgraderView() = default;
};

// The router is being changed while one of these lives.
using TRouterChange =
    TPairedCalls<IUpgraderView, &IUpgraderView::RouterChangeStarted, &IUpgraderView::RouterChangeEnded>;
