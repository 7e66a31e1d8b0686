// Renders the wizard window page by page into PNG files, for the pictures
// in docs/. Runs the real window and the WRX-270 driver's page rules with a
// fake adapter list (gateway 192.168.0.1); no router is contacted. Each
// picture is taken once the window has gone idle, so the buttons are as
// the program's idle handlers leave them.
//   wizard_screenshots OUTPUT_FOLDER      (under Xvfb or offscreen)
//   wizard_screenshots [--scale FACTOR] [--dark] OUTPUT_FOLDER
//     only the first page and the outcomes, on a screen that scales by FACTOR
//     and/or in a dark theme, named window-NAME-<FACTOR>x[-dark].png
#include "driver/utWrx310.h"
#include "i18n/Translations.h"
#include "resources/ProductProfile.h"
#include "tests/wizard/DarkPalette.h"
#include "tests/wizard/WizardTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace wizardtest;

namespace {

bool Save(TfrmMain& form, const QString& folder, const QString& name)
{
    WaitUntilIdle();
    const QString file = QDir(folder).filePath(name + ".png");
    if (!form.grab().save(file)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// The pages a user meets on the express road, for the scaled and dark
// pictures: the first page, a failure with the support link, a success.
bool SaveLook(const QString& folder, const QString& suffix)
{
    TTestWindow window(MakeWrx310, {{IfType::Ethernet, "192.168.0.1"}});
    TfrmMain& form = window.Form();
    form.move(0, 0);
    form.show();
    bool ok = Save(form, folder, "window-first-page" + suffix);
    form.WiredChk->setChecked(true);
    form.ShowNavigationButtons();
    // A run's Status page, as the settings download shows it.
    form.ShowPage(TUpgraderPage::Status);
    form.StartStatus(QStringLiteral("Saving Router Settings..."));
    form.StepStatus(QStringLiteral("Saving Router Settings..."));
    form.SetRunButtonsEnabled(false);  // as an express run sets them
    form.UpdateActions();
    ok &= Save(form, folder, "window-status" + suffix);
    form.Link_Label->show();
    form.ShowOutcome(QStringLiteral("This router has firmware version 3.0. ") + ProductProfile::ManualUpgradeText,
                     false);
    ok &= Save(form, folder, "window-outcome-failure" + suffix);
    form.Link_Label->hide();
    form.ShowOutcome(ProductProfile::UpgradeSucceededText, true);
    ok &= Save(form, folder, "window-outcome-success" + suffix);
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    QString scale, folder, language;
    bool dark = false;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == "--scale" && i + 1 < argc)
            scale = QString::fromLocal8Bit(argv[++i]);
        else if (arg == "--dark")
            dark = true;
        else if (arg == "--language" && i + 1 < argc)
            language = QString::fromLocal8Bit(argv[++i]);
        else if (folder.isEmpty() && !arg.startsWith("-"))
            folder = arg;
        else {
            folder.clear();  // anything else: the usage
            break;
        }
    }
    if (folder.isEmpty() || (!scale.isEmpty() && scale.toDouble() <= 0)) {
        std::fprintf(stderr, "usage: %s [--scale FACTOR] [--dark] [--language CODE] OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (!scale.isEmpty())
        qputenv("QT_SCALE_FACTOR", scale.toLatin1());  // read when the application starts
    QApplication application(argc, argv);
    if (dark)
        UseDarkTheme();
    if (!language.isEmpty())
        InstallTranslations(application, QLocale(language));
    if (!scale.isEmpty() || dark || !language.isEmpty()) {
        const QString suffix = (language.isEmpty() ? QString() : "-" + language) +
                               (scale.isEmpty() ? QString() : "-" + scale + "x") + (dark ? "-dark" : "");
        return SaveLook(folder, suffix) ? 0 : 1;
    }
    TTestWindow window(MakeWrx310, {{IfType::Ethernet, "192.168.0.1"}});
    TfrmMain& form = window.Form();
    form.move(0, 0);
    form.show();
    bool ok = Save(form, folder, "window-first-page");
    form.WiredChk->setChecked(true);
    ok &= Save(form, folder, "window-wired-checked");

    form.ckShowTabs->setChecked(true);
    form.ShowNavigationButtons();
    form.ShowPage(form.tsStatus);
    form.StartStatus("Uploading firmware...");
    for (int i = 0; i < 40; ++i)
        form.StepStatus("Uploading firmware...");
    form.mmoOutput->setPlainText(
        "<html><body>Upload successful. The router restarts now and will be back in a "
        "minute; this line is long enough to need the horizontal scroll bar.</body></html>");
    const char* names[] = {"upgrade-type", "status",           "configuration", "save-settings",
                           "output",       "restore-settings", "outcome"};
    QTabBar* tabs = form.pcCards->tabBar();
    const auto openTab = [&](int index) {
        WaitUntilIdle();                                                             // the tab bar is laid out
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());  // as the user opens it
    };
    for (int i = 0; i < form.pcCards->count(); ++i) {
        openTab(i);
        if (form.pcCards->currentWidget() == form.tsConfiguration)
            form.Upgrader().ShowFirmwareVersion("3.4");  // as Check Firmware shows it
        ok &= Save(form, folder, QStringLiteral("window-tabs-%1").arg(names[i]));
    }
    form.resize(760, 480);
    openTab(form.pcCards->indexOf(form.tsSaveSettings));
    ok &= Save(form, folder, "window-grown-save-settings");

    // The outcomes as an express run leaves them: Next clicked, tabs hidden.
    TTestWindow run(MakeWrx310, {{IfType::Ethernet, "192.168.0.1"}});
    TfrmMain& end = run.Form();
    end.move(0, 0);
    end.show();
    end.WiredChk->setChecked(true);
    end.ShowNavigationButtons();
    end.Link_Label->show();
    end.ShowOutcome(QStringLiteral("This router has firmware version 3.0. ") + ProductProfile::ManualUpgradeText,
                    false);
    ok &= Save(end, folder, "window-outcome-failure");
    // A run that failed after the upgrade: its settings backup is offered.
    end.Link_Label->hide();
    const QString backup = QDir(folder).filePath("SaveRouterSettings.gws");
    QFile file(backup);
    ok &= file.open(QIODevice::WriteOnly) && file.write("settings") == 8;
    file.close();
    end.OfferBackup(backup);
    end.ShowOutcome(QStringLiteral("There was an error with the upgrade process. ") + ProductProfile::RetryAdviceText,
                    false);
    ok &= Save(end, folder, "window-outcome-restore-offer");
    // An upgrade that worked, but with no password to prove the settings took.
    end.ShowOutcome(ProductProfile::UpgradeSucceededText, true);
    ok &= Save(end, folder, "window-outcome-success-backup-kept");
    QFile::remove(backup);
    end.OfferBackup({});
    end.ShowOutcome(ProductProfile::UpgradeSucceededText, true);
    ok &= Save(end, folder, "window-outcome-success");
    return ok ? 0 : 1;
}
