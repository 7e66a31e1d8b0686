// The wizard window. Its controls come from fmMain.ui (compiled by uic) and
// are public members, so the router driver reads and writes them by name.
#pragma once

#include "ui_fmMain.h"
#include "wizard/Action.h"

#include <QWidget>

#include <functional>
#include <memory>

class TNorvoFirmwareUpgrader;
class TfrmMain;
class TWizardSeams;

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

private:
    std::unique_ptr<TNorvoFirmwareUpgrader> FUpgrader;
};
