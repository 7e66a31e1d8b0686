// The wizard window. Its controls come from fmMain.ui (compiled by uic) and
// are public members, so the router driver reads and writes them by name.
#pragma once

#include "ui_fmMain.h"
#include "wizard/Action.h"
#include "wizard/WizardSeams.h"

#include <QWidget>

#include <functional>
#include <memory>

class IAdapterQuery;
class TAnchors;
class TNorvoFirmwareUpgrader;
class TfrmMain;

// Creates the window's router driver; the program passes the WRX-270 driver.
using TDriverFactory = std::function<std::unique_ptr<TNorvoFirmwareUpgrader>(TfrmMain& form)>;

class TfrmMain : public QWidget, public Ui::frmMain {
    Q_OBJECT
public:
    explicit TfrmMain(TDriverFactory makeDriver, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Actions of the window's action list.
    TAction actSaveSettings{QStringLiteral("&Save Settings")};
    TAction actRestoreSettings{QStringLiteral("&Restore Settings")};
    TAction actPrevious{QStringLiteral("&Previous")};
    TAction actNext{QStringLiteral("&Next")};
    TAction actCancel{QStringLiteral("&Cancel")};

    // The window's file dialogs; each keeps the name chosen last.
    TFileDialog SaveDialog{TFileDialog::TKind::Save, QStringLiteral("GWS File (*.gws)|*.gws|All Files (*.*)|*.*"), {}};
    TFileDialog OpenDialog{TFileDialog::TKind::Open, QStringLiteral("GWS File (*.gws)|*.gws|All Files (*.*)|*.*"), {}};
    TFileDialog SaveDialogFirmware{TFileDialog::TKind::Save,
                                   QStringLiteral("Binary Files (*.bin)|*.bin|All Files (*.*)|*.*"), {}};

    // Operations offered to the router driver and the network code.
    QString GetRouterURL() const;
    void StartStatus(const QString& text);
    void StepStatus(const QString& text);
    void ShowOutcome(const QString& text, bool success, bool checkVersion);
    void ShowNavigationButtons();
    void HideNavigationButtons();
    void GetDefaultGateway();
    void SetTabsVisible(bool visible);

    // Page that Previous reopens from the Outcome page; nullptr when none.
    QWidget* OutcomeReturnPage = nullptr;

    TNorvoFirmwareUpgrader& Upgrader() const { return *FUpgrader; }
    // Replaceable modal things (message boxes, file dialogs, the browser).
    TWizardSeams& Seams() const;

    // Where default-gateway discovery gets the adapter list from. Replace it
    // before the window is shown: showing the window looks up the gateway.
    void SetAdapterQuery(std::unique_ptr<IAdapterQuery> query);

    // Re-evaluates every action's enabled state; runs whenever the window is idle.
    void UpdateActions();

    // Receive handler of the data module's TCP client: the bytes up to the
    // first NUL (and never past length) become one new line of mmoOutput.
    void tcpClientReceive(QObject* sender, const char* data, int& length);

    // Runs a handler inside the default error handler: an exception that
    // escapes it is shown in the error box, and the window goes on.
    void RunGuarded(const std::function<void()>& handler);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpAppearance();
    void FitConfigurationLabels();
    void FitCaptions();
    void SetUpAnchors();
    void ConnectHandlers();
    void GuardActionHandlers();

    // Window events and control handlers.
    void FormCreate(const TDriverFactory& makeDriver);
    void FormShow();
    void FormDestroy();
    void WiredChkClick();
    void btnExpressUpgradeClick();
    void btnCancelClick();
    void btnCheckFirmwareClick();
    void btnCustomUpgradeClick();
    void pcCardsChange(int newIndex);
    void tsConfigurationShow();
    void tsSaveSettingsShow();
    void tsRestoreSettingsShow();
    void tsOutcomeShow();
    void ckShowTabsClick();
    void btnTestClick();
    void RunTestCode(const QString& text);
    void Link_LabelClick();
    void btnBrowseSaveSettingsClick();
    void btnBrowseRestoreClick();
    void btnSaveFirmwareClick();
    void actSaveSettingsUpdate(TAction& sender);
    void actSaveSettingsExecute(TAction& sender);
    void actRestoreSettingsUpdate(TAction& sender);
    void actRestoreSettingsExecute(TAction& sender);
    void actCancelUpdate(TAction& sender);
    void actCancelExecute(TAction& sender);

    void SetStatusText(const QString& text);

    std::unique_ptr<TWizardSeams> FSeams;
    std::unique_ptr<IAdapterQuery> FAdapterQuery;
    TAnchors* FAnchors = nullptr;
    int FProgressStep = 10;  // the progress bar's design step
    bool FShown = false;
    bool FChangingTabs = false;
    bool GatewayLookupPending = false;
    bool DefaultSettingsFilePending = false;
    std::unique_ptr<TNorvoFirmwareUpgrader> FUpgrader;
};
