// What the window does between the pages: the wired check box, Next, the
// firmware check, the outcome page, tabs, the support link, the default
// error handler.
#include "driver/ProgramFiles.h"
#include "resources/ProductProfile.h"
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace wizardtest;

namespace {

const QString Retry = ProductProfile::RetryAdviceText;

class Flow : public ::testing::Test {
protected:
    void SetUp() override { window = MakeTestWindow(MakeFakeUpgrader); }
    TfrmMain& form() { return window->Form(); }
    TFakeUpgrader& driver() { return FakeOf(form()); }
    std::unique_ptr<TTestWindow> window;
};

TEST_F(Flow, WiredCheckBoxArmsNextAndShowsThePasswordPrompt)
{
    const QList<QWidget*> prompt{form().lblExpressUpgrade, form().edExpressAdminPassword,
                                 form().lblExpressAdminPassword, form().lblContinue};
    form().WiredChk->click();
    EXPECT_TRUE(form().btnNext->isEnabled());
    EXPECT_EQ(form().lblExpressUpgrade->text(), "If this router requires a password. Please enter the password now.");
    for (QWidget* w : prompt)
        EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();

    form().lblExpressUpgrade->setText("kept");
    form().WiredChk->click();
    EXPECT_FALSE(form().btnNext->isEnabled());
    EXPECT_EQ(form().lblExpressUpgrade->text(), "kept");
    for (QWidget* w : prompt)
        EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(form().Label2->isVisible());
    EXPECT_TRUE(form().WiredChk->isVisible());
}

TEST_F(Flow, NextShowsNavigationRefreshesTheGatewayThenRunsTheExpressUpgrade)
{
    form().HideNavigationButtons();
    form().WiredChk->click();
    form().edIPAddress->setText("typed by hand");
    bool navigationShown = false;
    QString addressAtStart;
    driver().OnExpressUpgrade = [&] {
        navigationShown = form().pnlNextButton->isVisible() && form().pnlPreviousButton->isVisible();
        addressAtStart = form().edIPAddress->text();
    };
    form().btnNext->click();
    EXPECT_TRUE(navigationShown);
    EXPECT_EQ(addressAtStart, "127.0.0.1");
    EXPECT_EQ(window->Adapters->Calls, 2);
    EXPECT_EQ(driver().Calls.back(), "ExpressUpgrade");
}

TEST_F(Flow, AnErrorEscapingAHandlerIsShownAndTheWindowGoesOn)
{
    form().WiredChk->click();
    form().pcCards->setCurrentWidget(form().tsUpgradeType);
    driver().OnExpressUpgrade = [] { throw EIdSocketError(10061, "Socket Error # 10061\r\nConnection refused."); };
    form().btnNext->click();
    ASSERT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_EQ(window->Seams.Errors[0], "Socket Error # 10061\r\nConnection refused.");
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsUpgradeType);
    EXPECT_TRUE(form().isVisible());
    form().btnNext->click();  // and again: the window still works
    EXPECT_EQ(window->Seams.Errors.size(), 2u);
}

struct TOutcomeCase {
    const char* Name;
    bool Success;
    bool CheckVersion;
    const char* Version;  // nullptr: reading the version fails
    bool ExpectSuccess;
    bool ExpectMismatchText;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TOutcomeCase& c, std::ostream* os) { *os << c.Name; }

class Outcome : public Flow, public ::testing::WithParamInterface<TOutcomeCase> {};

TEST_P(Outcome, ShowsThePageForTheResult)
{
    const TOutcomeCase& c = GetParam();
    driver().Version = c.Version ? c.Version : "";
    driver().VersionFails = c.Version == nullptr;
    form().btnNext->setEnabled(true);
    form().btnCancel->setEnabled(false);
    driver().ShowOutcome("Given text.", c.Success, c.CheckVersion);

    EXPECT_EQ(form().pcCards->currentWidget(), form().tsOutcome);
    EXPECT_EQ(form().pcSuccessFailure->currentWidget(), c.ExpectSuccess ? form().tsSuccess : form().tsFailure);
    EXPECT_EQ(form().lblSuccessFailureMessage->text(),
              c.ExpectMismatchText ? "The firmware version does not match. " + Retry : QString("Given text."));
    EXPECT_EQ(form().pnlSaveFirmware->isVisible(), !c.ExpectSuccess);
    EXPECT_FALSE(form().btnNext->isEnabled());
    EXPECT_TRUE(form().btnCancel->isEnabled());
    EXPECT_EQ(form().btnCancel->text(), c.ExpectSuccess ? "&Close" : "&Cancel");
    const bool asked = std::count(driver().Calls.begin(), driver().Calls.end(), "GetFirmwareVersion") > 0;
    EXPECT_EQ(asked, c.CheckVersion);
}

INSTANTIATE_TEST_SUITE_P(Cases, Outcome,
                         ::testing::Values(TOutcomeCase{"SuccessTargetVersion", true, true, "3.6", true, false},
                                           TOutcomeCase{"SuccessOlderVersion", true, true, "3.06", false, true},
                                           TOutcomeCase{"SuccessLongerVersion", true, true, "3.60", false, true},
                                           TOutcomeCase{"SuccessUnreachable", true, true, nullptr, false, true},
                                           TOutcomeCase{"SuccessNoVersionCheck", true, false, "1.0", true, false},
                                           TOutcomeCase{"FailureNoCheck", false, false, "3.6", false, false},
                                           TOutcomeCase{"FailureWithCheckStaysFailure", false, true, "3.6", false,
                                                        false}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Flow, SecondOutcomeOnTheCurrentOutcomePageUpdatesTheSaveFirmwarePanel)
{
    form().ShowOutcome("Upload failed.", false);
    ASSERT_TRUE(form().pnlSaveFirmware->isVisible());
    form().ShowOutcome("Done.", true);  // the page is current already
    EXPECT_FALSE(form().pnlSaveFirmware->isVisible());
}

struct TCheckCase {
    const char* Name;
    bool Login;
    const char* Version;
    bool Legacy;
    const char* Outcome;  // nullptr: stays on the Configuration page
    bool LinkVisible;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TCheckCase& c, std::ostream* os) { *os << c.Name; }

class CheckFirmware : public Flow, public ::testing::WithParamInterface<TCheckCase> {};

TEST_P(CheckFirmware, Outcomes)
{
    const TCheckCase& c = GetParam();
    form().pcCards->setCurrentWidget(form().tsConfiguration);
    driver().LoginResult = c.Login;
    driver().Version = c.Version;
    driver().Legacy = c.Legacy;
    form().Link_Label->setVisible(!c.Login && !c.Legacy);  // a plain login failure hides it
    form().btnCheckFirmware->click();

    EXPECT_EQ(form().Pages().OutcomeReturnPage(), form().tsConfiguration);
    EXPECT_TRUE(driver().BusyDuringLogin);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    if (!c.Outcome) {
        EXPECT_EQ(form().pcCards->currentWidget(), form().tsConfiguration);
        EXPECT_EQ(form().lblFirmwareVersion->text(), c.Version);
        EXPECT_GE(form().lblFirmwareVersion->width(), form().lblFirmwareVersion->sizeHint().width());
        return;
    }
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsOutcome);
    EXPECT_EQ(form().pcSuccessFailure->currentWidget(), form().tsFailure);
    EXPECT_EQ(form().lblSuccessFailureMessage->text(), c.Outcome);
    EXPECT_EQ(form().Link_Label->isVisible(), c.LinkVisible);
    EXPECT_EQ(std::count(driver().Calls.begin(), driver().Calls.end(), "GetFirmwareVersion"), c.Login ? 1 : 0)
        << "no version re-check on this outcome";
}

const std::string NoVersion = "Could not connect to router and/or determine firmware version. " + Retry.toStdString();
const std::string LoginError = "Error logging into router. " + Retry.toStdString();
const std::string Manual = std::string("This router has firmware version 3.0. ") + ProductProfile::ManualUpgradeText;

INSTANTIATE_TEST_SUITE_P(Cases, CheckFirmware,
                         ::testing::Values(TCheckCase{"VersionRead", true, "3.4", false, nullptr, false},
                                           TCheckCase{"NoVersion", true, "", false, NoVersion.c_str(), false},
                                           TCheckCase{"BlankVersion", true, "  ", false, NoVersion.c_str(), false},
                                           TCheckCase{"LoginFails", false, "", false, LoginError.c_str(), false},
                                           TCheckCase{"LegacyRouter", false, "", true, Manual.c_str(), true}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(Flow, CheckFirmwareRestoresTheCursorWhenAnErrorEscapes)
{
    form().pcCards->setCurrentWidget(form().tsConfiguration);
    driver().LoginResult = true;
    driver().VersionFails = true;
    form().btnCheckFirmware->click();
    EXPECT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsConfiguration);
}

TEST_F(Flow, ConfigurationPageLooksUpTheGatewayOnItsFirstShowingOnly)
{
    ASSERT_EQ(window->Adapters->Calls, 1);  // at start-up
    window->Adapters->Adapters = {{6, "10.0.0.138"}};
    form().pcCards->setCurrentWidget(form().tsConfiguration);
    EXPECT_EQ(window->Adapters->Calls, 2);
    EXPECT_EQ(form().edIPAddress->text(), "10.0.0.138");
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsConfiguration);

    form().edIPAddress->setText("10.0.0.2");
    form().pcCards->setCurrentWidget(form().tsUpgradeType);
    form().pcCards->setCurrentWidget(form().tsConfiguration);
    EXPECT_EQ(window->Adapters->Calls, 2);
    EXPECT_EQ(form().edIPAddress->text(), "10.0.0.2");
}

TEST_F(Flow, AFailedFirstConfigurationLookupIsTriedAgainAtTheNextShowing)
{
    window->Adapters->Result = IpHlpResult::NoData;
    form().ShowPage(form().tsConfiguration);
    EXPECT_EQ(window->Adapters->Calls, 2);
    EXPECT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsConfiguration);

    window->Adapters->Result = IpHlpResult::Success;
    window->Adapters->Adapters = {{6, "10.0.0.138"}};
    for (int showing = 0; showing < 2; ++showing) {
        form().ShowPage(form().tsUpgradeType);
        form().ShowPage(form().tsConfiguration);
        EXPECT_EQ(window->Adapters->Calls, 3) << "one more lookup, none on its return to the page";
        EXPECT_EQ(form().pcCards->currentWidget(), form().tsConfiguration);
    }
    EXPECT_EQ(form().edIPAddress->text(), "10.0.0.138");
    EXPECT_EQ(window->Seams.Errors.size(), 1u);
}

TEST_F(Flow, TabsShowAndHideKeepingTheActivePage)
{
    form().pcCards->setCurrentWidget(form().tsRestoreSettings);
    form().ckShowTabs->setChecked(true);
    EXPECT_TRUE(form().pcCards->tabBar()->isVisible());
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsRestoreSettings);
    for (int i = 0; i < form().pcCards->count(); ++i)
        EXPECT_TRUE(form().pcCards->isTabVisible(i));
    form().ckShowTabs->setChecked(false);
    EXPECT_FALSE(form().pcCards->tabBar()->isVisible());
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsRestoreSettings);
    EXPECT_TRUE(form().tsRestoreSettings->isVisible());
    for (QWidget* last : {form().tsOutcome, form().tsUpgradeType}) {  // the ends of the tab row
        form().pcCards->setCurrentWidget(last);
        form().SetTabsVisible(true);
        form().SetTabsVisible(false);
        EXPECT_EQ(form().pcCards->currentWidget(), last);
        EXPECT_TRUE(last->isVisible()) << last->objectName().toStdString();
    }
}

TEST_F(Flow, ChoosingAPageByItsTabSetsTheNavigationButtons)
{
    form().SetTabsVisible(true);
    QTabBar* tabs = form().pcCards->tabBar();
    QApplication::processEvents();
    struct TCase {
        QWidget* Page;
        bool Navigation;
        const char* Cancel;
    };
    const TCase cases[] = {{form().tsConfiguration, true, "&Cancel"},
                           {form().tsOutcome, false, "&Close"},
                           {form().tsOutput, true, "&Cancel"},
                           {form().tsUpgradeType, false, "&Cancel"}};
    for (const TCase& c : cases) {
        const int index = form().pcCards->indexOf(c.Page);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        EXPECT_EQ(form().pcCards->currentWidget(), c.Page);
        EXPECT_EQ(form().btnNext->isVisible(), c.Navigation) << c.Page->objectName().toStdString();
        EXPECT_EQ(form().btnPrevious->isVisible(), c.Navigation) << c.Page->objectName().toStdString();
        EXPECT_EQ(form().btnCancel->text(), c.Cancel) << c.Page->objectName().toStdString();
    }
    // The program's own page switches leave the buttons alone.
    form().pcCards->setCurrentWidget(form().tsOutcome);
    EXPECT_EQ(form().btnCancel->text(), "&Cancel");
}

TEST_F(Flow, SupportLinkOpensTheProductPageThroughTheDesktop)
{
    form().ShowOutcome("x", false);
    form().Link_Label->show();
    QTest::mouseClick(form().Link_Label, Qt::LeftButton);
    ASSERT_EQ(window->Seams.OpenedUrls.size(), 1u);
    const QString url = window->Seams.OpenedUrls[0];
    EXPECT_TRUE(url.startsWith("http://"));
    EXPECT_TRUE(url.endsWith("/products/view.asp?productid=WRX%2D270%5FrevC")) << url.toStdString();

    // The desktop's opener gets the same text as its one argument.
    QString program;
    QStringList arguments;
    EXPECT_TRUE(OpenWithDesktopOpener(url, [&](const QString& p, const QStringList& a) {
        program = p;
        arguments = a;
        return true;
    }));
    EXPECT_EQ(program, "xdg-open");
    EXPECT_EQ(arguments, QStringList{url});
    EXPECT_FALSE(OpenWithDesktopOpener(url, [](const QString&, const QStringList&) { return false; }))
        << "an opener that cannot start leaves the address to the fallback";
}

TEST_F(Flow, CancelClosesTheWindowAndTestDoesNothing)
{
    form().btnTest->click();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(form().isVisible());
    form().btnCancel->click();
    EXPECT_FALSE(form().isVisible());
}

TEST_F(Flow, ReceivedTcpTextEndsAtTheFirstNulAndNeverReadsPastTheBlock)
{
    const char withNul[] = {'a', 'b', 'c', '\0', 'd', 'e', 'f'};
    int length = sizeof withNul;
    form().tcpClientReceive(nullptr, withNul, length);
    EXPECT_EQ(length, 7);
    const char* heap = new char[3]{'x', 'y', 'z'};  // no NUL at all
    length = 3;
    form().tcpClientReceive(nullptr, heap, length);
    delete[] heap;
    EXPECT_EQ(form().mmoOutput->toPlainText(), "abc\nxyz");
}

}  // namespace

namespace {

// A backup that an unfinished upgrade left: the next start names it and
// offers the Restore Settings page with it chosen.
class PendingBackupAtStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application();
        ASSERT_TRUE(folder.isValid());
        file = folder.filePath("SaveRouterSettings.gws");
        ASSERT_NO_FATAL_FAILURE(testsupport::WriteFile(file, "settings"));
    }
    void TearDown() override { PendingBackup::Clear(); }

    std::unique_ptr<TTestWindow> Open(std::deque<bool> answers)
    {
        auto window = std::make_unique<TTestWindow>(MakeFakeUpgrader, TAdapterList{{IfType::Ethernet, "127.0.0.1"}});
        window->Seams.YesNoAnswers = std::move(answers);
        window->Form().show();
        QApplication::processEvents();
        return window;
    }

    QTemporaryDir folder;
    QString file;
};

TEST_F(PendingBackupAtStart, YesOpensTheRestorePageWithTheBackupChosen)
{
    PendingBackup::Record(file);
    auto window = Open({true});
    TfrmMain& form = window->Form();
    ASSERT_EQ(window->Seams.Questions.size(), 1u);
    EXPECT_TRUE(window->Seams.Questions[0].contains(file));
    EXPECT_EQ(form.pcCards->currentWidget(), form.tsRestoreSettings);
    EXPECT_EQ(form.edRestoreSettingsFilename->text(), file);
    EXPECT_EQ(form.Pages().RestoreReturnPage(), form.tsUpgradeType);  // where the driver's Previous goes
}

TEST_F(PendingBackupAtStart, NoLeavesTheFirstPageAndKeepsTheRecord)
{
    PendingBackup::Record(file);
    auto window = Open({false});
    EXPECT_EQ(window->Seams.Questions.size(), 1u);
    EXPECT_EQ(window->Form().pcCards->currentWidget(), window->Form().tsUpgradeType);
    EXPECT_EQ(PendingBackup::File(), file);
}

TEST_F(PendingBackupAtStart, NothingIsAskedWithoutARecordOrWithoutItsFile)
{
    // The same name saved on the Save Settings page is no upgrade's backup.
    EXPECT_TRUE(Open({true})->Seams.Questions.empty());
    PendingBackup::Record(file);
    QFile::remove(file);
    EXPECT_TRUE(Open({true})->Seams.Questions.empty());
}

// The pending backup may be the only copy of the router's settings: saving
// over it asks first, and whatever the answer, it stays pending.
TEST_F(PendingBackupAtStart, SavingOverItOnTheSaveSettingsPageAsksAndKeepsTheRecord)
{
    PendingBackup::Record(file);
    auto window = Open({false, false, true});  // the offer at start, then two saves
    TfrmMain& form = window->Form();
    auto& driver = static_cast<TFakeUpgrader&>(form.Upgrader());
    form.ckShowTabs->setChecked(true);
    form.pcCards->setCurrentWidget(form.tsSaveSettings);
    EXPECT_NE(form.edSaveSettingsFile->text(), file);  // a new name is offered
    form.edSaveSettingsFile->setText(file);
    form.UpdateActions();
    driver.Calls.clear();

    form.btnSaveSettings->click();  // No
    ASSERT_EQ(window->Seams.Questions.size(), 2u);
    EXPECT_TRUE(window->Seams.Questions[1].contains(file));
    EXPECT_TRUE(driver.Calls.empty());

    form.btnSaveSettings->click();  // Yes
    EXPECT_EQ(driver.Calls, std::vector<QString>{"SaveSettings:" + file});
    EXPECT_EQ(PendingBackup::File(), file);
}

TEST(CloseRequest, ClosesWhenNoRouterOperationRuns)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    EXPECT_TRUE(window->Form().close());
    EXPECT_TRUE(window->Seams.Notices.empty());
}

}  // namespace
