// Routers that answer slowly or not at all, through the real window: the
// user is told that the router is being contacted, and the restart wait ends
// within its bound whatever the router does. Bounds are injected small; the
// driver's clock is real time plus the injected pauses.
#include "tests/driver/RouterRun.h"

#include <QElapsedTimer>

#include <atomic>

namespace drivertest {
namespace {

using testsupport::RouterRequest;
using testsupport::RouterSimConfig;
using testsupport::ScriptedReply;

const QString kContacting = QStringLiteral("Contacting the router...");

class SlowRouter : public RouterRun {
protected:
    // Records every page the window shows, with the status text and whether
    // the progress bar moves on its own at that moment.
    void RecordPages()
    {
        QObject::connect(Form().pcCards, &QTabWidget::currentChanged, [this](int) {
            QWidget* page = Form().pcCards->currentWidget();
            Shown.push_back(
                {page, Form().lblStatus->text(), Form().ProgressBar1->maximum() == 0, Form().ProgressBar1->value()});
        });
    }
    void SmallPageLimits(int stallMs)
    {
        Driver().Limits().SmallPage.StallMs = stallMs;
        Driver().Limits().SmallPage.AnswerMs = 2 * stallMs;
    }
    // Real elapsed time plus every pause the driver asked for.
    void UseRealTimePlusPauses()
    {
        elapsed_.start();
        Driver().SetClock([this] { return Clock(); });
    }
    std::int64_t Clock() const { return elapsed_.isValid() ? elapsed_.elapsed() + Paused() : 0; }
    std::int64_t Paused() const
    {
        std::int64_t sum = 0;
        for (int ms : Waits)
            sum += ms;
        return sum;
    }
    bool ContactingShown() const { return ContactingAt() < Shown.size(); }
    std::size_t ContactingAt() const
    {
        for (std::size_t i = 0; i < Shown.size(); ++i)
            if (Shown[i].page == Form().tsStatus && Shown[i].status == kContacting && Shown[i].barMoving)
                return i;
        return Shown.size();
    }

    struct ShownPage {
        QWidget* page;
        QString status;
        bool barMoving;
        int barValue;
    };
    std::vector<ShownPage> Shown;

private:
    QElapsedTimer elapsed_;
};

RouterSimConfig SilentRouter()
{
    RouterSimConfig config;
    config.intercept = [](const RouterRequest&) -> std::optional<ScriptedReply> {
        return ScriptedReply{"", ScriptedReply::Then::NeverAnswer};
    };
    return config;
}

TEST_F(SlowRouter, ASilentRouterIsBeingContactedThenTheLoginPromptComes)
{
    Start(SilentRouter());
    SmallPageLimits(300);
    std::int64_t now = 0;
    Driver().SetClock([&now] { return now += 1000; });  // 2 s pass within a few idle turns
    RecordPages();

    PressNext(QStringLiteral("admin"));

    ASSERT_TRUE(ContactingShown());
    ASSERT_GT(ContactingAt(), 0u);  // the gateway lookup came first
    EXPECT_EQ(Page(), Form().tsUpgradeType);
    EXPECT_EQ(Form().lblExpressUpgrade->text(), LoginFailedText);
    EXPECT_TRUE(Form().btnNext->isEnabled());
    // The bar is back as it was before it moved on its own.
    EXPECT_EQ(Form().ProgressBar1->maximum(), 100);
    EXPECT_EQ(Form().ProgressBar1->value(), Shown[ContactingAt() - 1].barValue);
    EXPECT_EQ(Router().CountRequests("GET", "/"), 2);  // legacy check and salt; the login GET follows
    EXPECT_TRUE(Seams().Errors.empty());
}

TEST_F(SlowRouter, AFastRouterNeverSeesTheNotice)
{
    Start();
    RecordPages();

    PressNext(QStringLiteral("wrong password"));

    EXPECT_EQ(Page(), Form().tsUpgradeType);
    EXPECT_EQ(Form().lblExpressUpgrade->text(), LoginFailedText);
    EXPECT_FALSE(Shown.empty());  // the gateway lookup's status
    for (const auto& shown : Shown)
        EXPECT_NE(shown.status, kContacting);
}

TEST_F(SlowRouter, CheckFirmwareVersionTellsOfASilentRouterAndEndsOnTheOutcome)
{
    Start(SilentRouter());
    SmallPageLimits(200);
    std::int64_t now = 0;
    Driver().SetClock([&now] { return now += 1000; });
    OpenPage(Form().tsConfiguration);
    RecordPages();

    Form().btnCheckFirmware->click();

    EXPECT_TRUE(ContactingShown());
    EXPECT_EQ(Page(), Form().tsOutcome);
    EXPECT_EQ(Form().ProgressBar1->maximum(), 100);
}

TEST_F(SlowRouter, ASettingsDownloadWithoutAnswerMovesTheBarThenFails)
{
    RouterSimConfig config;
    config.intercept = [](const RouterRequest& request) -> std::optional<ScriptedReply> {
        if (request.http.Path() == "/getconfig.cgi")
            return ScriptedReply{"", ScriptedReply::Then::NeverAnswer};
        return std::nullopt;
    };
    Start(config);
    Driver().Limits().SettingsTransfer.StallMs = 300;
    Form().edPassword->setText(QStringLiteral("admin"));
    ASSERT_TRUE(Driver().Login());
    std::int64_t now = 0;
    Driver().SetClock([&now] { return now += 1000; });
    bool barMoved = false;
    auto painting = Driver().GetHTTP().OnIdle;
    Driver().GetHTTP().OnIdle = [&] {
        barMoved = barMoved || (Page() == Form().tsStatus && Form().ProgressBar1->maximum() == 0 &&
                                Form().lblStatus->text() == QStringLiteral("Saving Router Settings..."));
        painting();
    };
    OpenPage(Form().tsSaveSettings);
    Form().edSaveSettingsFile->setText(QDir::temp().filePath(QStringLiteral("norvo-slow-router-test.gws")));
    Form().UpdateActions();

    Form().btnSaveSettings->click();

    EXPECT_TRUE(barMoved);
    ASSERT_EQ(Seams().Errors.size(), 1u);
    EXPECT_EQ(Seams().Errors[0], QStringLiteral("Socket Error # 10060\r\nConnection timed out."));
    EXPECT_EQ(Page(), Form().tsSaveSettings);
    EXPECT_EQ(Form().ProgressBar1->maximum(), 100);
    EXPECT_FALSE(QFile::exists(Form().edSaveSettingsFile->text()));
}

struct HangCase {
    const char* name;
    int pollStallMs;    // bound of one poll
    int restartWaitMs;  // bound of the whole wait
    int pollsAtMost;
};

void PrintTo(const HangCase& c, std::ostream* os) { *os << c.name; }

class RouterHangingAfterRestart : public SlowRouter, public ::testing::WithParamInterface<HangCase> {};

TEST_P(RouterHangingAfterRestart, TheWaitEndsWithinItsBoundAndTheRunGoesOn)
{
    const HangCase& c = GetParam();
    // Back at once after the first restart request, but its web server
    // accepts and never answers until the wait is over.
    std::atomic<bool> hanging{false};
    std::atomic<int> restarts{0};
    std::atomic<std::int64_t> restartAt{-1};
    RouterSimConfig config;
    config.rebootDowntimeMs = 0;
    config.intercept = [&](const RouterRequest& request) -> std::optional<ScriptedReply> {
        if (request.http.Path() == "/reboot.cgi" && restarts++ == 0) {
            restartAt = Clock();
            hanging = true;
        }
        if (hanging && request.http.Path() == "/")
            return ScriptedReply{"", ScriptedReply::Then::NeverAnswer};
        return std::nullopt;
    };
    Start(config);
    SmallPageLimits(c.pollStallMs);
    Driver().Limits().RestartWaitMs = c.restartWaitMs;
    UseRealTimePlusPauses();
    std::int64_t waitEnd = -1;
    int polls = 0;
    QObject::connect(Form().pcCards, &QTabWidget::currentChanged, [&](int) {
        if (hanging && Page() != Form().tsStatus) {
            waitEnd = Clock();
            polls = Router().CountRequests("GET", "/") - 3;  // login and version read came before
            hanging = false;
        }
    });

    PressNext(QStringLiteral("admin"));

    ASSERT_GE(restartAt, 0);
    ASSERT_GE(waitEnd, 0);
    EXPECT_LE(waitEnd - restartAt, c.restartWaitMs + 1000);
    EXPECT_GE(waitEnd - restartAt, 60000);  // the fixed minute is kept
    EXPECT_GE(polls, 1);
    EXPECT_LE(polls, c.pollsAtMost);
    EXPECT_EQ(Form().lblStatus->text(), QStringLiteral("The router has finished restarting..."));
    // The router answers again at the next login: the run goes on to the end.
    EXPECT_EQ(Page(), Form().tsOutcome);
    EXPECT_EQ(OutcomeText(), Text(ProductProfile::UpgradeSucceededText));
    EXPECT_EQ(Router().Reboots(), 2);
}

INSTANTIATE_TEST_SUITE_P(Bounds, RouterHangingAfterRestart,
                         ::testing::Values(HangCase{"PollsRunIntoTheirOwnBound", 200, 72000, 3},
                                           // A poll's bound is cut to what is left of the wait.
                                           HangCase{"APollIsCutToTheWait", 5000, 60400, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace drivertest
