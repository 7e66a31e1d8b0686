// Requests to end the program: a close of the window, a signal, a logout. One
// decision for all: refused while the router is being changed, the program
// ended at once while a run has not changed it yet, a usual close otherwise.
#include "app/SignalGuard.h"
#include "driver/EndRequest.h"
#include "log/SupportLog.h"
#include "tests/support/Files.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <csignal>

using namespace wizardtest;

namespace {

const QString CloseRefusedText = QStringLiteral(
    "The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade "
    "has finished.");

TEST(EndRequest, OneAnswerForEachState)
{
    struct Case {
        bool routerChanging, runInProgress;
        TEndAnswer answer;
    };
    for (const Case& c : {Case{true, true, TEndAnswer::Refuse}, Case{true, false, TEndAnswer::Refuse},
                          Case{false, true, TEndAnswer::EndNow}, Case{false, false, TEndAnswer::Close}})
        EXPECT_EQ(AnswerEndRequest(c.routerChanging, c.runInProgress), c.answer)
            << "changing " << c.routerChanging << ", run " << c.runInProgress;
}

TEST(EndRequest, LogoutIsCancelledOnlyWhileTheRouterChangesAndWhereAllowed)
{
    struct Case {
        bool routerChanging, interactionAllowed;
        bool cancels, asks;
    };
    for (const Case& c :
         {Case{true, true, true, true}, Case{true, false, false, true}, Case{false, true, false, false}}) {
        int asked = 0;
        EXPECT_EQ(CancelsLogout(c.routerChanging,
                                [&] {
                                    ++asked;
                                    return c.interactionAllowed;
                                }),
                  c.cancels)
            << "changing " << c.routerChanging << ", allowed " << c.interactionAllowed;
        // Asking to interact holds up the other programs' answers: only when it matters.
        EXPECT_EQ(asked, c.asks ? 1 : 0);
    }
}

// A window with the fake driver, signals routed to it as the program does,
// and a support log to read.
class EndRequests : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = MakeTestWindow(MakeFakeUpgrader);
        log = std::make_unique<TSupportLog>(folder.filePath(QStringLiteral("support.log")), QStringLiteral("=== run"));
        signalGuard = std::make_unique<TSignalGuard>();  // needs the application the window made
        QObject::connect(signalGuard.get(), &TSignalGuard::Received, &form(), [this](int signalNumber) {
            form().EndRequested(SignalName(signalNumber), 128 + signalNumber);
        });
    }
    void TearDown() override
    {
        signalGuard.reset();
        log.reset();
        window.reset();
    }

    // Raises the signal and lets the event loop deliver it, as the driver's
    // waits do.
    static void Deliver(int signalNumber)
    {
        ASSERT_EQ(std::raise(signalNumber), 0);
        QCoreApplication::processEvents();
    }

    QString Log() const
    {
        return QString::fromUtf8(testsupport::ReadFile(folder.filePath(QStringLiteral("support.log"))));
    }

    TfrmMain& form() { return window->Form(); }
    TFakeUpgrader& driver() { return FakeOf(form()); }

    QTemporaryDir folder;
    std::unique_ptr<TTestWindow> window;
    std::unique_ptr<TSupportLog> log;
    std::unique_ptr<TSignalGuard> signalGuard;
};

TEST_F(EndRequests, BeforeTheRouterChangesASignalEndsTheProgramAtOnce)
{
    for (int signalNumber : TSignalGuard::Signals) {
        window->Seams.EndedPrograms.clear();
        driver().OnLogin = [&] { Deliver(signalNumber); };
        form().btnCheckFirmware->click();
        EXPECT_EQ(window->Seams.EndedPrograms, std::vector<int>{128 + signalNumber})
            << SignalName(signalNumber).toStdString();
        EXPECT_TRUE(Log().contains(SignalName(signalNumber) +
                                   QStringLiteral(": ending the program now; nothing on the router has changed")))
            << Log().toStdString();
    }
    EXPECT_TRUE(window->Seams.Notices.empty());
}

TEST_F(EndRequests, BeforeTheRouterChangesACloseEndsTheProgramAtOnce)
{
    bool closed = true;
    driver().OnLogin = [&] { closed = form().close(); };
    form().btnCheckFirmware->click();
    EXPECT_EQ(window->Seams.EndedPrograms, std::vector<int>{0});
    EXPECT_FALSE(closed) << "only the program's end closes it";
    EXPECT_TRUE(window->Seams.Notices.empty());
    EXPECT_TRUE(Log().contains(QStringLiteral("Close: ending the program now; nothing on the router has changed")));
}

TEST_F(EndRequests, WhileTheRouterChangesEveryRequestIsRefusedAndTheRunGoesOn)
{
    bool closed = true;
    bool runFinished = false;
    driver().OnExpressUpgrade = [&] {
        TRouterChange change(form());
        for (int signalNumber : TSignalGuard::Signals)
            Deliver(signalNumber);
        closed = form().close();
        runFinished = true;
    };
    form().WiredChk->setChecked(true);
    form().btnNext->click();

    EXPECT_TRUE(runFinished);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(window->Seams.EndedPrograms.empty());
    EXPECT_EQ(window->Seams.Notices, std::vector<QString>{CloseRefusedText});  // for the window's close only
    for (const char* line :
         {"SIGTERM refused: the router is being changed", "SIGINT refused: the router is being changed",
          "SIGHUP refused: the router is being changed", "Close refused: the router is being changed"})
        EXPECT_TRUE(Log().contains(QLatin1String(line))) << line;
    EXPECT_TRUE(form().isVisible());
}

TEST_F(EndRequests, WithoutARunASignalClosesTheWindow)
{
    ASSERT_TRUE(form().isVisible());
    Deliver(SIGTERM);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(window->Seams.EndedPrograms.empty());
    EXPECT_TRUE(Log().contains(QStringLiteral("SIGTERM: closing the program")));
}

TEST_F(EndRequests, AfterTheOutcomeASignalClosesTheWindow)
{
    driver().OnExpressUpgrade = [&] {
        TRouterChange change(form());
        form().ShowOutcome(QStringLiteral("done"), true);
    };
    form().WiredChk->setChecked(true);
    form().btnNext->click();
    ASSERT_EQ(form().pcCards->currentWidget(), form().tsOutcome);
    Deliver(SIGHUP);
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(window->Seams.EndedPrograms.empty());
}

TEST_F(EndRequests, LogoutIsHeldFromTheFirstChangeToTheLast)
{
    TSeamRecorder& seams = window->Seams;
    {
        TRouterChange outer(form());
        EXPECT_EQ(seams.LogoutHoldsTaken, 1);
        {
            TRouterChange inner(form());
            EXPECT_EQ(seams.LogoutHoldsTaken, 1) << "one hold for nested changes";
        }
        EXPECT_EQ(seams.LogoutHoldsReleased, 0) << "released while the outer change goes on";
    }
    EXPECT_EQ(seams.LogoutHoldsReleased, 1);
    {
        TRouterChange again(form());
    }
    EXPECT_EQ(seams.LogoutHoldsTaken, 2);
    EXPECT_EQ(seams.LogoutHoldsReleased, 2);
}

// A run that fails with an error leaves no run behind: the next request to
// end the program closes as usual instead of ending it at once.
TEST_F(EndRequests, AfterARunFailedWithAnErrorACloseClosesTheWindow)
{
    driver().OnLogin = [] { throw Exception("no answer"); };
    form().btnCheckFirmware->click();
    ASSERT_EQ(window->Seams.Errors, std::vector<QString>{QStringLiteral("no answer")});
    EXPECT_TRUE(form().close());
    EXPECT_TRUE(window->Seams.EndedPrograms.empty());
    EXPECT_TRUE(window->Seams.Notices.empty());
}

}  // namespace
