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
    // While an upgrade's backup waits, the name offered is a new one.
    edSaveSettingsFile->setText(ProgramFiles::NewBackupPath());
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
    const QString file = edSaveSettingsFile->text();
    // A pending backup may be the only copy of the router's settings from
    // before a failed upgrade; the router may now be on factory settings.
    if (PendingBackup::IsPending(file) &&
        !Seams().AskYesNo(QStringLiteral("\"%1\" holds your router settings from before an upgrade that did not "
                                         "finish. Saving now would replace them with the router's current "
                                         "settings.\n\nReplace the file anyway?")
                              .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()))))
        return;
    FUpgrader->SaveSettings(file);
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
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    FUpgrader->RestoreSettingsAndRestart(edRestoreSettingsFilename->text().trimmed());
}

// ---------------------------------------------------------------------------
// A kept backup back to the router

void TfrmMain::OpenBackupRestore(const QString& file, QWidget* returnPage)
{
    ShowNavigationButtons();
    FPages->SetRestoreReturnPage(returnPage);
    ShowPage(tsRestoreSettings);
    edRestoreSettingsFilename->setText(file);  // after the page's show rule
}

void TfrmMain::OfferPendingBackup()
{
    const QString file = PendingBackup::File();
    if (file.isEmpty())
        return;
    if (Seams().AskYesNo(QStringLiteral("An earlier upgrade did not finish. Your router settings from before it are "
                                        "saved in \"%1\".\n\nOpen the Restore Settings page to put them back on "
                                        "the router?")
                             .arg(QDir::toNativeSeparators(file))))
        OpenBackupRestore(file, pcCards->currentWidget());
}
