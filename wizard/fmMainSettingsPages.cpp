// The settings-file pages: Save Settings with the name it offers, Restore
// Settings with the restore run, and the way a kept backup reaches the
// Restore Settings page.
#include "wizard/fmMain.h"

#include "driver/ProgramFiles.h"
#include "driver/utNorvoFirmwareUpgrader.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>

// ---------------------------------------------------------------------------
// Save Settings page

void TfrmMain::tsSaveSettingsShow()
{
    if (!DefaultSettingsFilePending)
        return;
    edSaveSettingsFile->setText(FUpgrader->NewSettingsFileName());
    DefaultSettingsFilePending = false;
}

void TfrmMain::btnBrowseSaveSettingsClick()
{
    if (Seams().ExecuteDialog(SaveDialog))
        edSaveSettingsFile->setText(SaveDialog.FileName);
}

void TfrmMain::actSaveSettingsUpdate(TAction& sender)
{
    sender.SetEnabled(!edSaveSettingsFile->text().trimmed().isEmpty());
}

void TfrmMain::actSaveSettingsExecute(TAction&)
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    FUpgrader->SaveSettingsFromPage(edSaveSettingsFile->text());
}

// ---------------------------------------------------------------------------
// Restore Settings page

void TfrmMain::tsRestoreSettingsShow()
{
    const QString saved = edSaveSettingsFile->text().trimmed();
    if (!saved.isEmpty() && QFileInfo(saved).isFile())
        edRestoreSettingsFilename->setText(saved);
}

void TfrmMain::btnBrowseRestoreClick()
{
    if (Seams().ExecuteDialog(OpenDialog))
        edRestoreSettingsFilename->setText(OpenDialog.FileName);
}

void TfrmMain::actRestoreSettingsUpdate(TAction& sender)
{
    const QString name = edRestoreSettingsFilename->text().trimmed();
    sender.SetEnabled(!name.isEmpty() && QFileInfo(name).isFile());
}

void TfrmMain::actRestoreSettingsExecute(TAction&)
{
    const std::shared_ptr<void> lock = TakeRunLock();
    if (!lock)
        return;
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    FUpgrader->RestoreSettingsAndRestart(edRestoreSettingsFilename->text().trimmed());
}

// ---------------------------------------------------------------------------
// A kept backup back to the router

void TfrmMain::OpenBackupRestore(const QString& file)
{
    ShowNavigationButtons();
    FPages->SetRestoreReturnPage(pcCards->currentWidget());
    ShowPage(tsRestoreSettings);
    edRestoreSettingsFilename->setText(file);  // after the page's show rule
}
