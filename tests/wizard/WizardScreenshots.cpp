// Renders the wizard window page by page into PNG files, for the pictures
// in docs/. Runs the real window with a fake driver and a fake adapter list
// (gateway 192.168.0.1), so nothing is looked up or contacted.
//   wizard_screenshots OUTPUT_FOLDER      (under Xvfb or offscreen)
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/ProductProfile.h"

#include <QDir>
#include <QFile>
#include <QPixmap>

#include <cstdio>

using namespace wizardtest;

namespace {

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool Save(TfrmMain& form, const QString& folder, const QString& name)
{
    Settle();
    const QString file = QDir(folder).filePath(name + ".png");
    if (!form.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QApplication application(argc, argv);
    TTestWindow window(MakeFakeUpgrader, {{IfType::Ethernet, "192.168.0.1"}});
    TfrmMain& form = window.Form();
    form.move(0, 0);
    form.show();
    bool ok = Save(form, folder, "window-first-page");
    form.WiredChk->setChecked(true);
    ok &= Save(form, folder, "window-wired-checked");

    form.ckShowTabs->setChecked(true);
    form.ShowNavigationButtons();
    form.pcCards->setCurrentWidget(form.tsStatus);
    form.StartStatus("Uploading firmware...");
    for (int i = 0; i < 40; ++i)
        form.StepStatus("Uploading firmware...");
    form.mmoOutput->setPlainText("<html><body>Upload successful. The router restarts now and will be back in a "
                                 "minute; this line is long enough to need the horizontal scroll bar.</body></html>");
    const char* names[] = {"upgrade-type", "status", "configuration", "save-settings",
                           "output", "restore-settings", "outcome"};
    for (int i = 0; i < form.pcCards->count(); ++i) {
        form.pcCards->setCurrentIndex(i);
        if (form.pcCards->currentWidget() == form.tsConfiguration)
            form.lblFirmwareVersion->setText("3.4");
        ok &= Save(form, folder, QStringLiteral("window-tabs-%1").arg(names[i]));
    }
    form.ckShowTabs->setChecked(false);
    form.ShowOutcome(ProductProfile::UpgradeSucceededText, true, false);
    ok &= Save(form, folder, "window-outcome-success");
    form.Link_Label->show();
    form.ShowOutcome(QStringLiteral("This router has firmware version 3.0. ") + ProductProfile::ManualUpgradeText,
                     false, false);
    ok &= Save(form, folder, "window-outcome-failure");
    // A run that failed after the upgrade: its settings backup is offered.
    form.Link_Label->hide();
    const QString backup = QDir(folder).filePath("SaveRouterSettings.gws");
    QFile file(backup);
    ok &= file.open(QIODevice::WriteOnly) && file.write("settings") == 8;
    file.close();
    form.OfferBackup(backup);
    form.ShowOutcome(QStringLiteral("There was an error with the upgrade process. ") + ProductProfile::RetryAdviceText,
                     false, false);
    ok &= Save(form, folder, "window-outcome-restore-offer");
    QFile::remove(backup);
    form.OfferBackup({});
    form.resize(760, 480);
    form.pcCards->setCurrentWidget(form.tsSaveSettings);
    ok &= Save(form, folder, "window-grown-save-settings");
    return ok ? 0 : 1;
}
