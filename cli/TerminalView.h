// The router driver's view for a command-line run: instead of pages, one
// line per status text with the time, a progress figure on a terminal, and
// the outcome kept for the last line. It waits in a core event loop, so a
// signal's notifier is heard during the pauses, and counts the router
// changes for the decision on a request to end.
#pragma once

#include "cli/TerminalOutput.h"
#include "driver/UpgraderView.h"
#include "net/IPFunctions.h"

#include <QString>

#include <cstdint>
#include <optional>

class TNorvoFirmwareUpgrader;

class TTerminalView : public IUpgraderView, private IWaiting {
public:
    // adapters: where the default gateway is looked up; not owned.
    TTerminalView(TTerminalOutput output, IAdapterQuery& adapters, bool quiet);
    TTerminalView(const TTerminalView&) = delete;
    TTerminalView& operator=(const TTerminalView&) = delete;

    // The driver the lookups hand the router's address to.
    void SetDriver(TNorvoFirmwareUpgrader* driver) { driver_ = driver; }
    // A router named on the command line ("host[:port]"): handed to the
    // driver now, and kept by every later lookup (a restart wait included).
    void FixRouter(const QString& hostAndPort);
    // The address the last lookup found (empty: none), or the fixed one.
    QString RouterAddress() const { return address_; }

    // What the run ended on: the outcome's text and kind, the prompt after a
    // failed login, the version read. Empty or none until then.
    QString OutcomeText() const { return outcome_; }
    std::optional<bool> OutcomeSuccess() const { return outcomeSuccess_; }
    QString LoginFailedText() const { return loginFailed_; }
    QString FirmwareVersion() const { return version_; }
    bool RouterChanging() const { return routerChanges_ > 0; }
    // How many router changes have begun since the view was made.
    int RouterChangesSeen() const { return routerChangesSeen_; }

    // Ends a status line that a progress figure left open, then writes one
    // whole line to standard output (also with --quiet) or error.
    void PrintLine(const QString& text);
    void PrintError(const QString& text);

    // IUpgraderView
    void ShowPage(TUpgraderPage) override {}
    void HideNavigationButtons() override {}
    void SetReturnPage(TUpgraderPage, TUpgraderPage) override {}
    void ForgetReturnPage(TUpgraderPage) override {}
    void SetNavigationHandlers(TNavigationHandlers) override {}
    void StartStatus(const QString& text) override;
    void StepStatus(const QString& text) override;
    void BeginBusyStatus(const QString& text) override;
    void EndBusyStatus() override {}
    void ShowOutcome(const QString& text, bool success) override;
    void OfferBackup(const QString&) override {}
    void OpenBackupRestore(const QString&) override {}
    void SetPasswords(const TPasswords&) override {}
    void ShowFirmwareVersion(const QString& version) override { version_ = version; }
    void ShowSupportLink(bool) override {}
    void GetDefaultGateway(TGatewayUpdate update) override;
    std::optional<QString> AskRouterPassword(const QString& text) override;
    bool Confirm(const QString& text) override;
    void ShowRouterAnswer(const QString&) override {}
    void ShowLoginFailedPrompt(const QString& text) override { loginFailed_ = text; }
    void SetRunButtonsEnabled(bool) override {}
    IWaiting& Waiting() override { return *this; }
    void RouterChangeStarted() override
    {
        ++routerChanges_;
        ++routerChangesSeen_;
    }
    void RouterChangeEnded() override { --routerChanges_; }

private:
    // IWaiting: no cursor here; pauses and repaints run the core event loop.
    void BeginBusy() override {}
    void EndBusy() override {}
    void Pause(int milliseconds) override;
    void KeepPainted(TInput input) override;

    // A new status text gets its own line; the same one again only moves
    // the progress figure.
    void ShowStatus(const QString& text);
    void ShowProgress();
    QString StatusLine() const;
    // Ends a status line that a progress figure left without its line end.
    void EndOpenLine();

    TTerminalOutput output_;
    IAdapterQuery& adapters_;
    bool quiet_;
    TNorvoFirmwareUpgrader* driver_ = nullptr;
    std::optional<QString> fixedRouter_;
    QString address_;

    QString status_;                // the status text of the last line
    QString statusTime_;            // the time of day it was printed at
    std::int64_t statusSince_ = 0;  // the clock when it was printed
    int shownSeconds_ = 0;          // the progress figure on that line
    bool lineOpen_ = false;         // the line has no line end yet (terminal only)

    QString outcome_;
    std::optional<bool> outcomeSuccess_;
    QString loginFailed_;
    QString version_;
    int routerChanges_ = 0;
    int routerChangesSeen_ = 0;
};
