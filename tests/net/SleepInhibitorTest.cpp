// The sleep lock against a private message bus with a stand-in for logind,
// so the test never touches the machine's own power management.
#include "net/SleepInhibitor.h"
#include "tests/net/PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>

namespace {

// Stands in for org.freedesktop.login1.Manager. Each Inhibit call hands out
// the write end of a fresh pipe; the test watches the read end for EOF,
// which comes exactly when every copy of the lock has been released. Told to
// hold its answers, it keeps each call open until the test answers it, or
// forever: a logind that never answers.
class FakeLogin : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::mutex lock;
    QStringList lastCall;
    int readEnd = -1;
    bool holdAnswers = false;

    bool HasHeldCall()
    {
        std::lock_guard<std::mutex> g(lock);
        return held_.has_value();
    }
    // Answers the held call with a fresh lock; called from the test's thread.
    void AnswerHeldCall()
    {
        std::lock_guard<std::mutex> g(lock);
        held_->second.send(held_->first.createReply(QVariant::fromValue(NewLock())));
        held_.reset();
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why, const QString& mode)
    {
        std::lock_guard<std::mutex> g(lock);
        lastCall = {what, who, why, mode};
        if (holdAnswers) {
            setDelayedReply(true);
            held_.emplace(message(), connection());
            return {};
        }
        return NewLock();
    }

private:
    // Caller holds `lock`.
    QDBusUnixFileDescriptor NewLock()
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return {};
        readEnd = fds[0];
        QDBusUnixFileDescriptor handed(fds[1]);  // keeps its own copy
        ::close(fds[1]);
        return handed;
    }

    std::optional<std::pair<QDBusMessage, QDBusConnection>> held_;
};

class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!nettest::PrivateBusDaemon::Installed())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(daemon_.Start());
        address_ = daemon_.Address();
    }

    void TearDown() override
    {
        if (serviceThread_.isRunning()) {
            serviceThread_.quit();
            serviceThread_.wait();
        }
        delete fake_;
        // Named connections outlive the test; the next one gets a new daemon.
        QDBusConnection::disconnectFromBus(QStringLiteral("login"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    // The stand-in serves from its own thread, as logind is another process.
    void StartFakeLogin(bool holdAnswers = false)
    {
        fake_ = new FakeLogin;
        fake_->holdAnswers = holdAnswers;
        fake_->moveToThread(&serviceThread_);
        serviceThread_.start();
        QDBusConnection service = QDBusConnection::connectToBus(address_, QStringLiteral("login"));
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(
            service.registerObject(QStringLiteral("/org/freedesktop/login1"), fake_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.login1")));
    }

    QDBusConnection Client() { return QDBusConnection::connectToBus(address_, QStringLiteral("client")); }

    nettest::PrivateBusDaemon daemon_;
    QString address_;
    QThread serviceThread_;
    FakeLogin* fake_ = nullptr;
};

bool ReadEndSeesEof(int fd, int timeoutMs)
{
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return false;
    char c;
    return ::read(fd, &c, 1) == 0;
}

TEST_F(PrivateBus, HoldsABlockingSleepAndShutdownLockUntilDestroyed)
{
    StartFakeLogin();
    int readEnd = -1;
    {
        TSleepInhibitor inhibitor(Client(), TSleepInhibitor::UpgradeReason());
        EXPECT_TRUE(inhibitor.Held());
        std::lock_guard<std::mutex> g(fake_->lock);
        EXPECT_EQ(fake_->lastCall,
                  (QStringList{"sleep:shutdown", "Norvo Firmware Upgrade", TSleepInhibitor::UpgradeReason(), "block"}));
        readEnd = fake_->readEnd;
        EXPECT_FALSE(ReadEndSeesEof(readEnd, 0)) << "lock released while still held";
    }
    EXPECT_TRUE(ReadEndSeesEof(readEnd, 5000)) << "lock still held after the inhibitor is gone";
    ::close(readEnd);
}

// Counts the ticks of a 10 ms timer, as the window's own timers would run.
class Ticker {
public:
    explicit Ticker(std::function<void()> onTick = {})
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this, onTick] {
            ++Ticks;
            if (onTick)
                onTick();
        });
        timer_.start();
    }
    int Ticks = 0;

private:
    QTimer timer_;
};

TEST_F(PrivateBus, KeepsTheEventLoopRunningUntilLogindHasAnswered)
{
    StartFakeLogin(true);
    int ticksWhenAnswered = -1;
    Ticker ticker;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (ticker.Ticks >= 2 && fake_->HasHeldCall()) {
            ticksWhenAnswered = ticker.Ticks;
            fake_->AnswerHeldCall();
            answer.stop();
        }
    });
    answer.start();
    // A limit far beyond the test's own pace: the answer, not the limit, ends the wait.
    TSleepInhibitor inhibitor(Client(), TSleepInhibitor::UpgradeReason(), 60000);
    EXPECT_GE(ticksWhenAnswered, 2) << "timers did not run while the call was open";
    EXPECT_TRUE(inhibitor.Held()) << "the answer came, so the lock must be held once constructed";
}

TEST_F(PrivateBus, GoesOnWithoutTheLockWhenLogindNeverAnswers)
{
    StartFakeLogin(true);
    Ticker ticker;
    QElapsedTimer clock;
    clock.start();
    TSleepInhibitor inhibitor(Client(), TSleepInhibitor::UpgradeReason(), 100);
    EXPECT_FALSE(inhibitor.Held());
    EXPECT_TRUE(fake_->HasHeldCall()) << "the call reached the stand-in";
    EXPECT_GE(ticker.Ticks, 1) << "timers did not run while the call was open";
    EXPECT_LT(clock.elapsed(), 5000) << "the time limit did not end the wait";
}

TEST_F(PrivateBus, GoesOnSilentlyWithoutLogind)
{
    TSleepInhibitor inhibitor(Client(), TSleepInhibitor::UpgradeReason());
    EXPECT_FALSE(inhibitor.Held());
}

TEST(SleepInhibitor, GoesOnSilentlyWithoutABus)
{
    TSleepInhibitor inhibitor(QDBusConnection(QStringLiteral("never-connected")), QStringLiteral("why"));
    EXPECT_FALSE(inhibitor.Held());
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "SleepInhibitorTest.moc"
