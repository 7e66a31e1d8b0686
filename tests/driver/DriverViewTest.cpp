// The WRX-270 driver against a fake view, without the window: its Next and
// Previous rules page by page, and what it asks of the view, in order, when
// an express run ends early.
#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "http/IdException.h"
#include "resources/ProductProfile.h"
#include "tests/driver/FakeUpgraderView.h"
#include "tests/support/TestHttpServer.h"
#include "tests/support/UserFolders.h"
#include "tools/router-sim/lib/RouterSim.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>

namespace drivertest {
namespace {

// The driver waits only through its view, so a core application does.
void CoreApplication()
{
    testsupport::UserFolders();
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "driver-view-test";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);  // lives until the process ends
}

using P = TUpgraderPage;

struct RuleCase {
    P page;
    bool versionShown;
    bool returnPageSet;  // the page has a return page (Configuration)
    bool nextEnabled;
    bool previousEnabled;
    std::optional<P> previousGoesTo;
    bool navigationHidden;
};

TEST(DriverRules, NextAndPreviousPerPage)
{
    CoreApplication();
    const RuleCase cases[] = {
        {P::UpgradeType, true, true, true, false, std::nullopt, false},
        {P::Status, true, true, false, false, std::nullopt, false},
        {P::Configuration, false, false, false, true, P::UpgradeType, true},
        {P::Configuration, true, false, true, true, P::UpgradeType, true},
        {P::SaveSettings, false, false, true, true, P::Configuration, false},
        {P::Output, true, true, false, false, std::nullopt, false},
        {P::RestoreSettings, false, false, true, false, std::nullopt, false},
        {P::RestoreSettings, false, true, true, true, P::Configuration, false},
        {P::Outcome, true, false, false, false, std::nullopt, false},
        {P::Outcome, false, true, false, true, P::Configuration, false},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(std::string(PageName(c.page)) + (c.versionShown ? " version" : "") +
                     (c.returnPageSet ? " return page" : ""));
        TFakeUpgraderView view;
        TWrx310 driver(view);
        view.HandIn = [&driver](const TShownPage& shown) { driver.SetShownPage(shown); };
        driver.ShowFirmwareVersion(c.versionShown ? QStringLiteral("3.5") : QString());
        view.Page = c.page;
        if (c.returnPageSet)
            view.ReturnPages[c.page] = P::Configuration;
        driver.SetShownPage({c.page, view.ReturnPage(c.page)});
        TFakeAction next, previous;
        view.Navigation.NextUpdate(next);
        view.Navigation.PreviousUpdate(previous);
        EXPECT_EQ(next.Enabled, c.nextEnabled);
        EXPECT_EQ(previous.Enabled, c.previousEnabled);

        view.Navigation.PreviousExecute(previous);
        EXPECT_EQ(view.Page, c.previousGoesTo.value_or(c.page));
        EXPECT_EQ(view.Calls.contains(QStringLiteral("HideNavigationButtons")), c.navigationHidden);
        if (c.previousGoesTo && c.returnPageSet) {
            EXPECT_FALSE(view.ReturnPage(c.page)) << "a return page is used once";
        }
    }
}

TEST(DriverRules, DestroyedDriverLeavesNoHandlers)
{
    CoreApplication();
    TFakeUpgraderView view;
    {
        TWrx310 driver(view);
        EXPECT_TRUE(view.Navigation.NextUpdate && view.Navigation.PreviousExecute);
    }
    EXPECT_FALSE(view.Navigation.NextUpdate || view.Navigation.NextExecute || view.Navigation.PreviousUpdate ||
                 view.Navigation.PreviousExecute);
}

const QString kLoginFailed = QStringLiteral(
    "Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.");

// An express run of the WRX-270 driver against the simulated router, with
// its files in a temporary program folder. The driver's pauses move the
// router's clock; each load of the firmware image shows among the view's calls.
class ExpressRunOnView : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoreApplication();
        ProgramFiles::SetProgramFolder(folder_.path());
        PendingBackup::Clear();
    }
    void TearDown() override
    {
        driver_.reset();
        router_.reset();
        PendingBackup::Clear();
        ProgramFiles::SetProgramFolder({});
    }

    void Start(testsupport::RouterSimConfig config = {})
    {
        config.clock = [] { return std::int64_t{0}; };
        router_ = std::make_unique<testsupport::RouterSim>(std::move(config));
        View.Typed = {QStringLiteral(" admin "), QStringLiteral("express")};
        TFirmwareSource firmware;
        firmware.LoadImage = [this] {
            View.Calls.append(QStringLiteral("LoadFirmwareImage"));
            return Image();
        };
        firmware.IsPlaceholder = [] { return false; };
        driver_ = std::make_unique<TWrx310>(View, firmware);
        driver_->SetRouterURL(QString::fromStdString(router_->Url()));
        driver_->SetTypedPasswords(View.Typed);
        View.HandIn = [this](const TShownPage& shown) { driver_->SetShownPage(shown); };
        View.Waits.OnPause = [this](int ms) { router_->AdvanceTime(ms); };
    }

    TWrx310& Driver() { return *driver_; }
    testsupport::RouterSim& Router() { return *router_; }
    QString SettingsFile() const { return ProgramFiles::Path(ProductProfile::SettingsFileName); }

    TFakeUpgraderView View;
    std::function<QByteArray()> Image = [] { return QByteArray("simulated router only: test image"); };

private:
    QTemporaryDir folder_;
    std::unique_ptr<testsupport::RouterSim> router_;
    std::unique_ptr<TWrx310> driver_;
};

TEST_F(ExpressRunOnView, RefusedImageEndsOnTheOutcomeBeforeAnyRequest)
{
    Start();
    Image = []() -> QByteArray { throw Exception("damaged"); };

    Driver().ExpressUpgrade();

    EXPECT_EQ(View.Decisions(),
              QStringList({"SetRunButtonsEnabled(false)", "OfferBackup()", "LoadFirmwareImage",
                           "ShowOutcome(There is a problem with the firmware in this installer. Please try "
                           "downloading it again., failure)"}));
    EXPECT_TRUE(Router().Requests().empty());
    EXPECT_EQ(View.RouterChanges, 0);
    EXPECT_EQ(Driver().Result(), TRunResult::FirmwareProblem);
}

TEST_F(ExpressRunOnView, RefusedLoginAsksAgainOnTheUpgradeTypePage)
{
    testsupport::RouterSimConfig config;
    config.password = "other";
    Start(config);

    Driver().ExpressUpgrade();

    EXPECT_EQ(View.Decisions(), QStringList({"SetRunButtonsEnabled(false)", "OfferBackup()", "LoadFirmwareImage",
                                             "ShowLoginFailedPrompt(" + kLoginFailed + ")",
                                             "SetRunButtonsEnabled(true)", "ShowPage(UpgradeType)"}));
    EXPECT_EQ(View.Typed.Configuration, QStringLiteral(" admin "));  // the boxes as the user left them
    EXPECT_EQ(View.RouterChanges, 0);
    EXPECT_EQ(Driver().Result(), TRunResult::LoginFailed);
}

// A restore that fails after the firmware went in: the passwords come back
// before the outcome that offers the backup, and the error still reaches
// the window's handler.
TEST_F(ExpressRunOnView, FailedRestorePutsThePasswordsBackThenOffersTheBackup)
{
    testsupport::RouterSimConfig config;
    config.intercept = [](const testsupport::RouterRequest& request) -> std::optional<testsupport::ScriptedReply> {
        if (request.http.Path() == "/setconfig.cgi")
            return testsupport::TestHttpServer::Reply("HTTP/1.0 500 Internal Server Error", "");
        return std::nullopt;
    };
    Start(config);

    EXPECT_ANY_THROW(Driver().ExpressUpgrade());

    QStringList decisions = View.Decisions();
    decisions.removeAll(QStringLiteral("ShowPage(UpgradeType)"));  // the page each step gives back
    const QString backup = SettingsFile();
    EXPECT_EQ(decisions, QStringList({"SetRunButtonsEnabled(false)", "OfferBackup()", "LoadFirmwareImage",
                                      "OfferBackup(" + backup + ")", "LoadFirmwareImage", "ShowRouterAnswer",
                                      "GetDefaultGateway", "SetPasswords(, )", "SetPasswords(admin, express)",
                                      "ShowOutcome(There was an error with the upgrade process. You may close this "
                                      "installer and try running it again or use the web interface of your "
                                      "router to perform the upgrade., failure)"}));
    EXPECT_EQ(PendingBackup::File(), backup);
    EXPECT_EQ(View.RouterChanges, 0);
    EXPECT_GT(View.Waits.BusiestDepth, 0);
    EXPECT_EQ(View.Waits.Busy, 0) << "the hourglass goes with the error";
    EXPECT_EQ(Driver().Result(), TRunResult::FailedBackupKept);
    EXPECT_EQ(Driver().OfferedBackup(), backup);
}

// Check Firmware is the driver's run: the view is told the version, or the
// outcome that says why there is none, and Previous there returns to the
// Configuration page.
struct CheckCase {
    const char* name;
    std::string routerPassword;
    QStringList decisions;
    TRunResult result;
};

TEST_F(ExpressRunOnView, CheckFirmwareTellsTheViewWhatItRead)
{
    const CheckCase cases[] = {
        {"version read", "admin", {"ShowFirmwareVersion(3.5)"}, TRunResult::VersionRead},
        {"login refused",
         "other",
         {"ShowSupportLink(false)",
          "ShowOutcome(Error logging into router. You may close this installer and try running it again or use the "
          "web interface of your router to perform the upgrade., failure)"},
         TRunResult::LoginFailed},
    };
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::RouterSimConfig config;
        config.password = c.routerPassword;
        Start(config);
        View.Calls.clear();
        View.ReturnPages.clear();

        Driver().CheckFirmware();

        EXPECT_EQ(View.Decisions(), c.decisions);
        EXPECT_EQ(View.ReturnPage(TUpgraderPage::Outcome), TUpgraderPage::Configuration);
        EXPECT_EQ(Driver().Result(), c.result);
        EXPECT_EQ(View.Waits.Busy, 0);
    }
}

// The restart waits go through the view: a fixed minute of pauses, then a
// poll every pause. Between polls the window takes the user's input (a
// close is refused while the router changes); the pauses hold it back.
TEST_F(ExpressRunOnView, RestartWaitsPauseThroughTheViewAndTakeInputBetweenPolls)
{
    struct TCase {
        const char* name;
        std::int64_t downtimeMs;  // the router's restart
        int failedPolls;          // per restart
    };
    const TCase cases[] = {{"back_within_the_minute", 20000, 0}, {"back_after_two_more_pauses", 70000, 2}};
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        View.Waits = {};
        testsupport::RouterSimConfig config;
        config.rebootDowntimeMs = c.downtimeMs;
        Start(config);

        Driver().ExpressUpgrade();

        EXPECT_EQ(View.Page, TUpgraderPage::Outcome);
        EXPECT_EQ(View.Waits.Pauses, std::vector<int>(2 * (12 + c.failedPolls), 5000));
        EXPECT_EQ(View.Waits.RepaintsInputTaken, 2 * c.failedPolls);
        EXPECT_EQ(View.Waits.BusiestDepth, 1);
        EXPECT_EQ(View.Waits.Busy, 0);
        View.Calls.clear();
        PendingBackup::Clear();
    }
}

}  // namespace
}  // namespace drivertest
