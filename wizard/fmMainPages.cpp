// The pages as the window sees them: the page control's forwarding, the show
// rules, the buttons that follow the page, and the Upgrade Type page with
// the express upgrade it starts.
#include "wizard/fmMain.h"

#include "driver/ShownText.h"
#include "driver/utNorvoFirmwareUpgrader.h"

#include <QScopedValueRollback>

// ---------------------------------------------------------------------------
// Page control

void TfrmMain::ShowPage(QWidget* page) { FPages->ShowPage(page); }

void TfrmMain::ShowPage(TUpgraderPage page) { FPages->ShowPage(page); }

void TfrmMain::SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage) { FPages->SetReturnPage(page, returnPage); }

void TfrmMain::ForgetReturnPage(TUpgraderPage page) { FPages->ForgetReturnPage(page); }

void TfrmMain::SetTabsVisible(bool visible) { FPages->SetTabsVisible(visible); }

void TfrmMain::ckShowTabsClick() { SetTabsVisible(ckShowTabs->isChecked()); }

void TfrmMain::PageShown(QWidget* page)
{
    // The driver learns the page before its show rule may start a lookup.
    HandShownPageToDriver();
    RunGuarded([&] {
        if (page == tsConfiguration)
            tsConfigurationShow();
        else if (page == tsSaveSettings)
            tsSaveSettingsShow();
        else if (page == tsRestoreSettings)
            tsRestoreSettingsShow();
        else if (page == tsOutcome)
            tsOutcomeShow();
    });
}

void TfrmMain::pcCardsChange(int newIndex)
{
    QWidget* page = pcCards->widget(newIndex);
    const bool navigation = page != tsUpgradeType && page != tsOutcome;
    btnNext->setVisible(navigation);
    btnPrevious->setVisible(navigation);
    btnCancel->setText(page == tsOutcome ? tr("&Close") : tr("&Cancel"));
}

// ---------------------------------------------------------------------------
// Footer buttons

void TfrmMain::ShowNavigationButtons()
{
    pnlNextButton->show();
    pnlPreviousButton->show();
}

void TfrmMain::HideNavigationButtons()
{
    pnlNextButton->hide();
    pnlPreviousButton->hide();
}

void TfrmMain::SetRunButtonsEnabled(bool enabled)
{
    btnNext->setEnabled(enabled);
    btnCancel->setEnabled(enabled);
}

void TfrmMain::btnCancelClick() { close(); }

void TfrmMain::actCancelUpdate(TAction& sender) { sender.SetEnabled(pcCards->currentWidget() == tsStatus); }

void TfrmMain::actCancelExecute(TAction&) { close(); }

// ---------------------------------------------------------------------------
// Upgrade Type page

void TfrmMain::WiredChkClick()
{
    const bool wired = WiredChk->isChecked();
    btnNext->setEnabled(wired);
    if (wired)
        lblExpressUpgrade->setText(tr("If this router requires a password. Please enter the password now."));
    for (QWidget* w : {static_cast<QWidget*>(lblExpressUpgrade), static_cast<QWidget*>(edExpressAdminPassword),
                       static_cast<QWidget*>(lblExpressAdminPassword), static_cast<QWidget*>(lblContinue)})
        w->setVisible(wired);
}

void TfrmMain::btnExpressUpgradeClick()
{
    const std::shared_ptr<void> lock = TakeRunLock();
    if (!lock)
        return;
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    ShowNavigationButtons();
    GetDefaultGateway();
    FUpgrader->ExpressUpgrade();
}

void TfrmMain::ShowLoginFailedPrompt(const QString& text)
{
    Link_Label->hide();
    lblExpressUpgrade->setText(ShownText(text));
    edExpressAdminPassword->show();
    lblExpressAdminPassword->show();
    lblExpressUpgrade->show();
    Label2->hide();
    WiredChk->hide();
    lblContinue->hide();
}
