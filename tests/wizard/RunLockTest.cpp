// The window's runs that change a router hold the lock between runs on
// this PC; while another run holds it they tell the user and change nothing.
#include "driver/RunLock.h"
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace wizardtest;

namespace {

const QString LockedText =
    QStringLiteral("Another upgrade is running on this PC. Wait for it to finish, then try again.");

// Public: the cases of a table start runs through it.
class WindowRunLock : public ::testing::Test {
public:
    void SetUp() override
    {
        window = MakeTestWindow(MakeFakeUpgrader);
        form().WiredChk->click();
        form().pcCards->setCurrentWidget(form().tsUpgradeType);
        settings = folder.filePath(QStringLiteral("r.gws"));
        testsupport::WriteFile(settings, "settings");
    }
    TfrmMain& form() { return window->Form(); }
    TFakeUpgrader& driver() { return FakeOf(form()); }
    bool LockIsFree() { return TRunLock(window->Seams.RunLockPath).TryLock(); }
    void StartRestore()
    {
        form().pcCards->setCurrentWidget(form().tsRestoreSettings);
        form().edRestoreSettingsFilename->setText(settings);
        form().UpdateActions();
        form().btnRestoreSettings->click();
    }

    std::unique_ptr<TTestWindow> window;
    QTemporaryDir folder;
    QString settings;
};

TEST_F(WindowRunLock, RunsThatChangeTheRouterHoldTheLockUntilTheyEnd)
{
    struct TCase {
        const char* Name;
        std::function<void(WindowRunLock&)> Start;
        const char* RouterCall;  // the driver call made inside the run
    };
    for (const TCase& c : {TCase{"express", [](WindowRunLock& t) { t.form().btnNext->click(); }, "ExpressUpgrade"},
                           TCase{"restore", [](WindowRunLock& t) { t.StartRestore(); }, "RestartRouter"}}) {
        std::optional<bool> freeDuringRun;
        driver().OnExpressUpgrade = [&] { freeDuringRun = LockIsFree(); };
        driver().OnLogin = [&] { freeDuringRun = LockIsFree(); };
        driver().Calls.clear();
        c.Start(*this);
        EXPECT_EQ(freeDuringRun, false) << c.Name;
        EXPECT_NE(std::find(driver().Calls.begin(), driver().Calls.end(), QString::fromUtf8(c.RouterCall)),
                  driver().Calls.end())
            << c.Name;
        EXPECT_TRUE(LockIsFree()) << c.Name;  // given back when the run ends
        EXPECT_TRUE(window->Seams.Messages.empty()) << c.Name;
    }
}

TEST_F(WindowRunLock, WhileAnotherRunHoldsItNothingStarts)
{
    TRunLock other(window->Seams.RunLockPath);
    ASSERT_TRUE(other.TryLock());
    form().HideNavigationButtons();
    const int gatewayLookups = window->Adapters->Calls;
    driver().Calls.clear();

    form().btnNext->click();
    EXPECT_TRUE(driver().Calls.empty());
    EXPECT_EQ(window->Adapters->Calls, gatewayLookups);
    EXPECT_FALSE(form().pnlNextButton->isVisible());
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsUpgradeType);

    StartRestore();
    EXPECT_TRUE(driver().Calls.empty());
    EXPECT_EQ(form().pcCards->currentWidget(), form().tsRestoreSettings);

    EXPECT_EQ(window->Seams.Messages, std::vector<QString>({LockedText, LockedText}));
    EXPECT_TRUE(window->Seams.Errors.empty());
}

TEST_F(WindowRunLock, AFailedRunGivesTheLockBack)
{
    driver().OnExpressUpgrade = [] { throw std::runtime_error("Connection refused."); };
    form().btnNext->click();
    EXPECT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_TRUE(LockIsFree());
}

}  // namespace
