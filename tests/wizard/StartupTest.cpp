// The window as start-up leaves it.
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include "wizard/JpegImage.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>

using namespace wizardtest;

namespace {

TEST(Startup, WindowIsFilledAsAfterShow)
{
    auto window = MakeTestWindow(MakeFakeUpgrader, {{6, "192.168.0.1"}});
    TfrmMain& form = window->Form();

    EXPECT_EQ(form.windowTitle(), "Norvo Firmware Upgrade");
    EXPECT_EQ(form.lblHeaderFirmware->text(), "Firmware Upgrade : Version 3.06");
    EXPECT_EQ(form.lblRouterModel->text(), "Router Model : WRX-270");
    const int headerRight = form.pnlHeader->width();
    EXPECT_EQ(headerRight - (form.lblRouterModel->x() + form.lblRouterModel->width()), 10);
    EXPECT_EQ(headerRight - (form.lblHeaderFirmware->x() + form.lblHeaderFirmware->width()), 10);
    EXPECT_GE(form.lblRouterModel->width(), form.lblRouterModel->sizeHint().width());

    EXPECT_EQ(form.pcCards->currentWidget(), form.tsUpgradeType);
    EXPECT_FALSE(form.pcCards->tabBar()->isVisible());
    EXPECT_EQ(form.edIPAddress->text(), "192.168.0.1");
    EXPECT_EQ(window->Adapters->Calls, 1);
    EXPECT_EQ(form.lblFirmwareVersion->text(), "");

    EXPECT_EQ(form.edExpressAdminPassword->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.edPassword->echoMode(), QLineEdit::Normal);
    ASSERT_TRUE(form.isVisible());
    for (QWidget* hidden :
         {static_cast<QWidget*>(form.edExpressAdminPassword), static_cast<QWidget*>(form.lblExpressAdminPassword),
          static_cast<QWidget*>(form.lblExpressUpgrade), static_cast<QWidget*>(form.lblContinue),
          static_cast<QWidget*>(form.Link_Label), static_cast<QWidget*>(form.ckShowTabs),
          static_cast<QWidget*>(form.pnlTestButton)})
        EXPECT_FALSE(hidden->isVisibleTo(&form)) << hidden->objectName().toStdString();
    EXPECT_TRUE(form.Label2->isVisible());
    EXPECT_TRUE(form.WiredChk->isVisible());
    EXPECT_FALSE(form.WiredChk->isChecked());

    form.UpdateActions();
    EXPECT_TRUE(form.btnPrevious->isVisible());
    EXPECT_FALSE(form.btnPrevious->isEnabled());
    EXPECT_TRUE(form.btnNext->isVisible());
    EXPECT_FALSE(form.btnNext->isEnabled());
    EXPECT_TRUE(form.btnCancel->isEnabled());
    EXPECT_EQ(form.btnCancel->text(), "&Cancel");
    EXPECT_EQ(form.btnPrevious->text(), "&Previous");
    EXPECT_TRUE(window->Seams.Errors.empty());
}

TEST(Startup, ConfigurationPageHasNoUserNameRow)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    form.pcCards->setCurrentWidget(form.tsConfiguration);
    EXPECT_FALSE(form.lblUsername->isVisible());
    EXPECT_FALSE(form.edUsername->isVisible());
    EXPECT_EQ(form.lblAdminPassword->text(), "Admin Password :");
    EXPECT_EQ(form.lblAdminPassword->x() + form.lblAdminPassword->width(), form.lblPort->x() + form.lblPort->width())
        << "right-justified against the boxes";
    struct TRow {
        QWidget* Control;
        int DesignTop;
    };
    const TRow rows[] = {{form.lblIPAddress, 16},
                         {form.edIPAddress, 13},
                         {form.lblPort, 43},
                         {form.edPort, 40},
                         {form.lblAdminPassword, 70},
                         {form.edPassword, 67},
                         {form.lblCheckFirmware, 113},
                         {form.btnCheckFirmware, 132},
                         {form.lblCurrentFirmware, 176},
                         {form.lblFirmwareVersion, 177}};
    for (const TRow& row : rows)
        EXPECT_EQ(row.Control->y(), row.DesignTop) << row.Control->objectName().toStdString();
}

TEST(Startup, ScreenReadersNameEachBoxByItsLabel)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    const std::pair<QWidget*, QLabel*> boxes[] = {
        {form.edExpressAdminPassword, form.lblExpressAdminPassword},
        {form.edIPAddress, form.lblIPAddress},
        {form.edPort, form.lblPort},
        {form.edUsername, form.lblUsername},
        {form.edPassword, form.lblAdminPassword},
        {form.edSaveSettingsFile, form.lblRouterSettingsFile},
        {form.edRestoreSettingsFilename, form.lblRestoreSettingsFile},
        {form.ProgressBar1, form.lblStatus},
    };
    for (const auto& [box, label] : boxes) {
        EXPECT_EQ(label->buddy(), box) << label->objectName().toStdString();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), label->text()) << box->objectName().toStdString();
    }
}

TEST(Startup, FailedGatewayLookupIsReportedAfterThePromptIsSetUp)
{
    Application();
    TTestWindow window(MakeFakeUpgrader, {});
    window.Adapters->Result = IpHlpResult::NotSupported;
    window.Form().show();
    TfrmMain& form = window.Form();
    ASSERT_EQ(window.Seams.Errors.size(), 1u);
    EXPECT_EQ(window.Seams.Errors[0], "Function GetAdaptersInfo is not supported by the operating system.");
    EXPECT_EQ(form.pcCards->currentWidget(), form.tsUpgradeType);
    EXPECT_EQ(form.edExpressAdminPassword->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(form.edExpressAdminPassword->isVisible());
    EXPECT_FALSE(form.btnNext->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Startup, LogoIsDecodedByLibjpegAtItsDesignSize)
{
    QFile file(":/pictures/norvo_logo.jpg");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage logo = DecodeJpeg(file.readAll());
    EXPECT_EQ(logo.size(), QSize(219, 50));
    EXPECT_THROW(DecodeJpeg(QByteArray("\xff\xd8 not really a picture", 24)), Exception);
    EXPECT_THROW(DecodeJpeg(QByteArray()), Exception);

    const QImage success(":/pictures/outcome_success.png"), failure(":/pictures/outcome_failure.png");
    EXPECT_EQ(success.size(), QSize(32, 32));
    EXPECT_EQ(failure.size(), QSize(32, 32));
    EXPECT_NE(success, failure);
}

}  // namespace
