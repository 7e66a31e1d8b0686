// The Outcome page: the outcome the driver decided, the support link,
// the offer to put a settings backup back, and the firmware save.
#include "wizard/fmMain.h"

#include "base/SafeFile.h"
#include "driver/ProgramFiles.h"
#include "driver/ShownText.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "log/SupportLog.h"
#include "resources/ProductProfile.h"
#include "wizard/Accessibility.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <exception>

void TfrmMain::ShowOutcome(const QString& message, bool ok)
{
    SupportLogLine(lcWizard(),
                   (ok ? QStringLiteral("Outcome: success: ") : QStringLiteral("Outcome: failure: ")) + message);
    pcSuccessFailure->setCurrentWidget(ok ? tsSuccess : tsFailure);
    lblSuccessFailureMessage->setText(ShownText(message));
    // A failure names the support log, so the user knows what to send.
    const TSupportLog* log = TSupportLog::Current();
    lblSupportLog->setVisible(!ok && log && log->IsOpen());
    if (log)
        lblSupportLog->setText(tr("Details of this run for support:\n") + log->Path());
    ShowPage(tsOutcome);  // also when current already: the panels follow this outcome
    btnNext->setEnabled(false);
    btnCancel->setEnabled(true);
    if (ok)
        btnCancel->setText(tr("&Close"));
    Accessibility::AnnounceOutcome(*lblSuccessFailureMessage);
}

void TfrmMain::tsOutcomeShow()
{
    const bool failure = pcSuccessFailure->currentWidget() == tsFailure;
    pnlSaveFirmware->setVisible(failure);
    const bool offer = !FOfferedBackup.isEmpty() && QFileInfo(FOfferedBackup).isFile();
    const QString file = QDir::toNativeSeparators(FOfferedBackup);
    if (offer && failure)
        lblBackupFile->setText(
            tr("Your router settings from before the upgrade are saved in \"%1\". Click the button to "
               "put them back on the router:")
                .arg(file));
    else if (offer)
        lblBackupFile->setText(tr("Your router settings from before the upgrade are kept in \"%1\". If "
                                  "your router has lost its settings, click the button to put them back:")
                                   .arg(file));
    pnlRestoreBackup->setVisible(offer);
}

void TfrmMain::Link_LabelClick() { Seams().OpenUrl(QString::fromLatin1(ProductProfile::SupportPageUrl)); }

void TfrmMain::OfferBackup(const QString& file)
{
    FOfferedBackup = file;
    if (pcCards->currentWidget() == tsOutcome)
        tsOutcomeShow();  // the page shown follows the offer
}

void TfrmMain::btnRestoreBackupClick() { FUpgrader->OpenOfferedBackup(); }

// ---------------------------------------------------------------------------
// Firmware save

void TfrmMain::btnSaveFirmwareClick()
{
    SaveDialogFirmware.FileName = ProgramFiles::Path(ProductProfile::FirmwareFileName);
    if (!Seams().ExecuteDialog(SaveDialogFirmware))
        return;
    QString failure;
    {
        const TBusyCursor busy(FWaiting);
        try {
            SaveFileAtomically(QFile::encodeName(SaveDialogFirmware.FileName).toStdString(),
                               FUpgrader->Firmware().Load().toStdString(), TFileAccess::Usual);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
    }
    if (failure.isEmpty())
        Seams().ShowMessage(tr("The firmware file has been saved."));
    else
        Seams().ShowMessage(tr("The firmware file could not be saved.\n") + ShownText(failure));
}
