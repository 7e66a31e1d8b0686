// The wizard window. Its controls come from fmMain.ui (compiled by uic); the
// router driver reaches them only through the view the window implements.
#pragma once

#include "driver/EndRequest.h"
#include "driver/UpgraderView.h"
#include "ui_fmMain.h"
#include "wizard/Action.h"
#include "wizard/PageControl.h"
#include "wizard/WindowWait.h"
#include "wizard/WizardSeams.h"

#include <QWidget>

#include <functional>
#include <memory>

class IAdapterQuery;
class QSessionManager;
class TAnchors;
class TNorvoFirmwareUpgrader;
class TStatusDisplay;
class TfrmMain;

// Creates the window's router driver; the program passes the WRX-270 driver.
using TDriverFactory = std::function<std::unique_ptr<TNorvoFirmwareUpgrader>(IUpgraderView& view)>;

class TfrmMain : public QWidget, public Ui::frmMain, public IUpgraderView {
    Q_OBJECT
public:
    explicit TfrmMain(TDriverFactory makeDriver, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Actions of the window's action list.
    TAction actSaveSettings{tr("&Save Settings")};
    TAction actRestoreSettings{tr("&Restore Settings")};
    TAction actPrevious{tr("&Previous")};
    TAction actNext{tr("&Next")};
    TAction actCancel{tr("&Cancel")};

    // The window's file dialogs; each keeps the name chosen last.
    TFileDialog SaveDialog{TFileDialog::TKind::Save, tr("GWS File (*.gws)|*.gws|All Files (*.*)|*.*"), {}};
    TFileDialog OpenDialog{TFileDialog::TKind::Open, tr("GWS File (*.gws)|*.gws|All Files (*.*)|*.*"), {}};
    TFileDialog SaveDialogFirmware{TFileDialog::TKind::Save, tr("Binary Files (*.bin)|*.bin|All Files (*.*)|*.*"), {}};

    // The view of the router driver (see IUpgraderView).
    QString GetRouterURL() const;
    void StartStatus(const QString& text) override;
    void StepStatus(const QString& text) override;
    // A wait of unknown length: the text, and the progress bar moving on its
    // own (whenever events are processed) until EndBusyStatus gives it back
    // its range and position.
    // A null text keeps the status text as it is.
    void BeginBusyStatus(const QString& text = QString()) override;
    void EndBusyStatus() override;
    // Returns whether the outcome shown is a success (after the version check).
    void ShowOutcome(const QString& text, bool success) override;
    void ShowNavigationButtons();
    void HideNavigationButtons() override;
    // Always: the address box gets what the lookup finds, also nothing.
    // KeepWhenNone: an empty result leaves the address box as it is.
    void GetDefaultGateway(TGatewayUpdate update = TGatewayUpdate::Always) override;
    void SetTabsVisible(bool visible);
    void SetPasswords(const TPasswords& passwords) override;
    void ShowFirmwareVersion(const QString& version) override;
    void ShowSupportLink(bool visible) override;
    std::optional<QString> AskRouterPassword(const QString& text) override;
    bool Confirm(const QString& text) override;
    void ShowRouterAnswer(const QString& text) override;
    void ShowLoginFailedPrompt(const QString& text) override;
    void SetRunButtonsEnabled(bool enabled) override;
    void SetNavigationHandlers(TNavigationHandlers handlers) override;
    // While the router is being changed, every request to end the program is
    // refused and the desktop is asked to hold a logout.
    void RouterChangeStarted() override;
    void RouterChangeEnded() override;

    // A request to end the program from outside the window, such as a signal:
    // who names it in the support log ("SIGTERM"), exitCode is the program's
    // exit status if it ends at once. It gets the same answer as a close of
    // the window (see AnswerEndRequest); when it may close, every window of
    // the program closes as after Close.
    void EndRequested(const QString& who, int exitCode);

    // The one way the program changes pages: page becomes the active page of
    // pcCards and its show rule runs, also when it was active already.
    void ShowPage(QWidget* page);
    void ShowPage(TUpgraderPage page) override;
    void SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage) override;
    void ForgetReturnPage(TUpgraderPage page) override;

    // The page control behind those, with the pages Previous returns to.
    TPageControl& Pages() const { return *FPages; }

    // The settings backup the Outcome page offers to restore while the file
    // exists: after a failure, or after a success that proved nothing of the
    // settings. Empty: nothing to offer.
    void OfferBackup(const QString& file) override;
    // Opens the Restore Settings page with file chosen; Previous there
    // returns to returnPage.
    void OpenBackupRestore(const QString& file) override;

    IWaiting& Waiting() override { return FWaiting; }

    TNorvoFirmwareUpgrader& Upgrader() const { return *FUpgrader; }
    // Replaceable modal things (message boxes, file dialogs, the browser).
    TWizardSeams& Seams() const;

    // Where default-gateway discovery gets the adapter list from. Replace it
    // before the window is shown: showing the window looks up the gateway.
    void SetAdapterQuery(std::unique_ptr<IAdapterQuery> query);

    // Re-evaluates every action's enabled state; runs whenever the window is idle.
    void UpdateActions();

    // Runs a handler inside the default error handler: an exception that
    // escapes it is shown in the error box, and the window goes on.
    void RunGuarded(const std::function<void()>& handler);

    // Kept for the form's completeness; nothing in the program reaches these
    // (together at the end of fmMain.cpp): the receive handler of the data
    // module's never-opened TCP client (the bytes up to the first NUL, never
    // past length, become one new line of mmoOutput), the hidden test
    // button's handlers, and a handler no control is bound to.
    void tcpClientReceive(QObject* sender, const char* data, int& length);

private:
    void btnTestClick();
    void RunTestCode(const QString& text);
    void btnCustomUpgradeClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction and wiring (fmMain.cpp; the driver's inputs in fmMainDriverInput.cpp).
    void ConnectHandlers();
    void HandInputsToDriver();
    void HandShownPageToDriver();
    void GuardActionHandlers();
    void FormCreate(const TDriverFactory& makeDriver);
    void FormShow();
    void FormDestroy();
    // The lock between runs that change a router, for one run: nothing, and
    // the user told so, when another run on this PC holds it.
    std::shared_ptr<void> TakeRunLock();
    // Shows an error that escaped a handler, and logs it.
    void ShowError(const QString& text);
    // The one decision on a request to end the program, logged; ends the
    // program at once when that is the answer.
    TEndAnswer AnswerEnd(const QString& who, int exitCode);
    void CommitDataRequested(QSessionManager& manager);

    // Fonts, colours, pictures, anchors; the header and the Configuration
    // page arranged for the model (fmMainAppearance.cpp).
    void SetUpAppearance();
    void SetColours();
    void LoadPictures();
    void FillHeader();
    void ArrangeConfigurationPage();

    // Show rules, footer buttons, the Upgrade Type page (fmMainPages.cpp).
    void PageShown(QWidget* page);
    void pcCardsChange(int newIndex);
    void ckShowTabsClick();
    void btnCancelClick();
    void actCancelUpdate(TAction& sender);
    void actCancelExecute(TAction& sender);
    void WiredChkClick();
    void btnExpressUpgradeClick();

    // Configuration page (fmMainConfiguration.cpp).
    void tsConfigurationShow();
    void btnCheckFirmwareClick();

    // Outcome page and the firmware save (fmMainOutcome.cpp).
    void tsOutcomeShow();
    void Link_LabelClick();
    void btnRestoreBackupClick();
    void btnSaveFirmwareClick();

    // Settings-file pages (fmMainSettingsPages.cpp).
    void tsSaveSettingsShow();
    void btnBrowseSaveSettingsClick();
    void actSaveSettingsUpdate(TAction& sender);
    void actSaveSettingsExecute(TAction& sender);
    void tsRestoreSettingsShow();
    void btnBrowseRestoreClick();
    void actRestoreSettingsUpdate(TAction& sender);
    void actRestoreSettingsExecute(TAction& sender);

    std::unique_ptr<TWizardSeams> FSeams;
    std::unique_ptr<IAdapterQuery> FAdapterQuery;
    TAnchors* FAnchors = nullptr;
    bool FColoursSet = false;  // SetColours has run: palette changes redo it
    std::unique_ptr<TStatusDisplay> FStatus;
    std::unique_ptr<TPageControl> FPages;
    bool FShown = false;
    bool GatewayLookupPending = false;
    bool FLookingUpGateway = false;
    bool DefaultSettingsFilePending = false;
    int FRouterChanges = 0;  // the router is being changed while above 0
    // Router work started by one of the window's handlers runs while above 0
    // (each handler raises it for its scope); before that work changes the
    // router, a request to end the program ends it at once.
    int FRunsInProgress = 0;
    std::shared_ptr<void> FLogoutHold;  // the desktop's logout held while the router is being changed
    QString FOfferedBackup;
    TWindowWait FWaiting;
    std::unique_ptr<TNorvoFirmwareUpgrader> FUpgrader;
};
