// Signals that ask the program to end (SIGTERM, SIGINT, SIGHUP): how they
// reach the event loop, and a whole upgrade against the simulated router that
// one of them hits while the router restarts. Writes to a reader that has
// gone never end the program.
#include "app/SignalGuard.h"
#include "base/Exception.h"
#include "log/SupportLog.h"
#include "tests/driver/RouterRun.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

using drivertest::RouterRun;

void Deliver(int signalNumber)
{
    ASSERT_EQ(std::raise(signalNumber), 0);
    QCoreApplication::processEvents();
}

TEST(SignalGuard, EachSignalArrivesInTheEventLoopInsteadOfEndingTheProgram)
{
    wizardtest::Application();
    TSignalGuard guard;
    std::vector<int> received;
    QObject::connect(&guard, &TSignalGuard::Received, [&](int signalNumber) { received.push_back(signalNumber); });
    for (int signalNumber : TSignalGuard::Signals)
        Deliver(signalNumber);
    EXPECT_EQ(received, std::vector<int>(TSignalGuard::Signals.begin(), TSignalGuard::Signals.end()));
}

TEST(SignalGuard, PutsTheHandlingFromBeforeBackAndTakesOneAtATime)
{
    wizardtest::Application();
    ::signal(SIGHUP, SIG_IGN);  // as under nohup
    std::vector<struct sigaction> before(TSignalGuard::Signals.size());
    for (std::size_t i = 0; i < before.size(); ++i)
        ASSERT_EQ(::sigaction(TSignalGuard::Signals[i], nullptr, &before[i]), 0);
    {
        TSignalGuard guard;
        EXPECT_THROW(TSignalGuard second, Exception);
        struct sigaction during {};
        ::sigaction(SIGTERM, nullptr, &during);
        EXPECT_NE(during.sa_handler, before[0].sa_handler);
        EXPECT_TRUE(during.sa_flags & SA_RESTART) << "a signal must not break the system call it interrupts";
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        struct sigaction after {};
        ::sigaction(TSignalGuard::Signals[i], nullptr, &after);
        EXPECT_EQ(after.sa_handler, before[i].sa_handler) << SignalName(TSignalGuard::Signals[i]).toStdString();
    }
    ::signal(SIGHUP, SIG_DFL);
    TSignalGuard again;  // free for the next one
}

TEST(BrokenPipes, AWriteToAReaderThatHasGoneFailsInsteadOfEndingTheProgram)
{
    IgnoreBrokenPipes();
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);
    errno = 0;
    EXPECT_EQ(::write(fds[1], "x", 1), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(fds[1]);
}

// A whole express upgrade through the real window against the simulated
// router, with the program's signal routing and a support log.
class SignalDuringRun : public RouterRun, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        RouterRun::SetUp();
        log_ =
            std::make_unique<TSupportLog>(folder_.filePath(QStringLiteral("support.log")), QStringLiteral("=== run"));
    }
    void TearDown() override
    {
        guard_.reset();
        log_.reset();
        RouterRun::TearDown();
    }
    // Routes the signals to the window as the program does.
    void RouteSignals()
    {
        guard_ = std::make_unique<TSignalGuard>();
        QObject::connect(guard_.get(), &TSignalGuard::Received, &Form(), [this](int signalNumber) {
            Form().EndRequested(SignalName(signalNumber), 128 + signalNumber);
        });
    }
    QString Log() const
    {
        return QString::fromUtf8(testsupport::ReadFile(folder_.filePath(QStringLiteral("support.log"))));
    }

private:
    QTemporaryDir folder_;
    std::unique_ptr<TSupportLog> log_;
    std::unique_ptr<TSignalGuard> guard_;
};

TEST_P(SignalDuringRun, InTheRestartWaitIsRefusedAndTheRunFinishes)
{
    const int signalNumber = GetParam();
    const QString name = SignalName(signalNumber);
    Start();
    RouteSignals();
    const std::string settingsBefore = Router().Settings();
    int delivered = 0;
    OnWait = [&] {
        if (delivered++ == 0)
            Deliver(signalNumber);  // the first restart: the new firmware is on, the settings are not back
    };

    PressNext(QStringLiteral("admin"));

    EXPECT_GT(delivered, 0);
    EXPECT_TRUE(Seams().EndedPrograms.empty());
    EXPECT_EQ(OutcomeText(), drivertest::Text(ProductProfile::UpgradeSucceededText));
    EXPECT_EQ(Router().FirmwareVersion(), "3.6");
    EXPECT_EQ(Router().Settings(), settingsBefore);
    EXPECT_TRUE(Form().isVisible());
    EXPECT_TRUE(Log().contains(name + QStringLiteral(" refused: the router is being changed"))) << Log().toStdString();

    // After the outcome the same request closes the program as usual.
    Deliver(signalNumber);
    EXPECT_FALSE(Form().isVisible());
    EXPECT_TRUE(Seams().EndedPrograms.empty());
    EXPECT_TRUE(Log().contains(name + QStringLiteral(": closing the program")));
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalDuringRun, ::testing::ValuesIn(TSignalGuard::Signals),
                         [](const auto& info) { return SignalName(info.param).toStdString(); });

}  // namespace
