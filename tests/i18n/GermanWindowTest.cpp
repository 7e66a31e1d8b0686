// With the German translation loaded the window speaks German, while the
// support log records the driver's English texts.
#include "i18n/Translations.h"
#include "log/SupportLog.h"
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

using namespace wizardtest;

TEST(GermanWindow, ShowsGermanAndLogsEnglish)
{
    Application();
    ASSERT_EQ(InstallTranslations(*QCoreApplication::instance(), QLocale(QLocale::German, QLocale::Germany)),
              QStringLiteral("de"));
    QTemporaryDir folder;
    const QString logPath = folder.filePath(QStringLiteral("support.log"));
    {
        auto window = MakeTestWindow(MakeFakeUpgrader);
        TSupportLog log(logPath, QStringLiteral("=== run"));
        TfrmMain& form = window->Form();
        EXPECT_EQ(form.btnNext->text(), QStringLiteral("&Weiter"));

        form.StartStatus(QStringLiteral("Upgrading Firmware..."));
        EXPECT_EQ(form.lblStatus->text(), QStringLiteral("Firmware wird aktualisiert..."));
        form.ShowOutcome(QStringLiteral("Congratulations! This router now contains the most current firmware."), true);
        EXPECT_EQ(form.lblSuccessFailureMessage->text(),
                  QStringLiteral("Herzlichen Glückwunsch! Dieser Router hat jetzt die aktuelle Firmware."));
        EXPECT_EQ(form.btnCancel->text(), QStringLiteral("&Schließen"));
    }
    // The other tests of this program see English again.
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    const QString logged = QString::fromUtf8(testsupport::ReadFile(logPath));
    EXPECT_TRUE(logged.contains(QStringLiteral("Status: Upgrading Firmware..."))) << logged.toStdString();
    EXPECT_TRUE(
        logged.contains(QStringLiteral("Congratulations! This router now contains the most current firmware.")));
    EXPECT_FALSE(logged.contains(QStringLiteral("Firmware wird aktualisiert")));
}

}  // namespace
