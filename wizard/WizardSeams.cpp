#include "wizard/WizardSeams.h"

#include "base/SafeFile.h"
#include "driver/RunLock.h"
#include "net/LogoutInhibitor.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

QStringList FileDialogNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        // The toolkit reads the patterns from the last parentheses of the
        // description, so they are rebuilt from the pattern column.
        const qsizetype open = description.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            description = description.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            if (p.trimmed() == QLatin1String("*.*"))
                p = QStringLiteral("*");
        result << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

bool OpenWithDesktopOpener(const QString& address, const TProcessStarter& start)
{
    return start(QStringLiteral("xdg-open"), {address});
}

namespace {

bool StartDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

// Without the desktop's opener the toolkit's own one is the fallback, though
// it may decode escapes in the address.
void OpenInBrowser(const QString& address)
{
    if (!OpenWithDesktopOpener(address, StartDetached))
        QDesktopServices::openUrl(QUrl(address));
}

// No destructor runs: they would go back into the run's code under the event
// loop. What must not stay is removed here; the kernel closes the rest.
[[noreturn]] void EndNow(int exitCode)
{
    std::fflush(nullptr);
    RemoveUnfinishedTemporaryFiles();
    std::_Exit(exitCode);
}

bool ExecuteDesktopDialog(TFileDialog& dialog)
{
    QFileDialog box(QApplication::activeWindow());
    box.setAcceptMode(dialog.Kind == TFileDialog::TKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(dialog.Kind == TFileDialog::TKind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    box.setNameFilters(FileDialogNameFilters(dialog.Filter));
    if (!dialog.FileName.isEmpty())
        box.selectFile(dialog.FileName);
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty())
        return false;
    dialog.FileName = box.selectedFiles().constFirst();
    return true;
}

}  // namespace

TWizardSeams::TWizardSeams()
    : ShowMessage([](const QString& text) {
          QMessageBox::information(QApplication::activeWindow(), QApplication::applicationDisplayName(), text,
                                   QMessageBox::Ok);
      }),
      ShowNotice([](const QString& text) {
          auto* box = new QMessageBox(QMessageBox::Information, QApplication::applicationDisplayName(), text,
                                      QMessageBox::Ok, QApplication::activeWindow());
          box->setAttribute(Qt::WA_DeleteOnClose);
          box->open();
      }),
      AskYesNo([](const QString& text) {
          return QMessageBox::question(QApplication::activeWindow(), QApplication::applicationDisplayName(), text,
                                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
      }),
      AskPassword([](const QString& text) -> std::optional<QString> {
          bool ok = false;
          const QString typed =
              QInputDialog::getText(QApplication::activeWindow(), QApplication::applicationDisplayName(), text,
                                    QLineEdit::Password, QString(), &ok);
          return ok ? std::optional<QString>(typed) : std::nullopt;
      }),
      ShowError([](const QString& text) {
          QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), text,
                                QMessageBox::Ok);
      }),
      ExecuteDialog(ExecuteDesktopDialog),
      OpenUrl(OpenInBrowser),
      EndProgramNow(EndNow),
      HoldLogout([]() -> std::shared_ptr<void> {
          return std::make_shared<TLogoutInhibitor>(TLogoutInhibitor::UpgradeReason());
      }),
      TakeRunLock([]() -> std::shared_ptr<void> {
          auto lock = std::make_shared<TRunLock>();
          return lock->TryLock() ? lock : nullptr;
      })
{
}
