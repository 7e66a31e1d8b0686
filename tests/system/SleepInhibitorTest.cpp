// The sleep lock against a private message bus with a stand-in for logind,
// so the test never touches the machine's own power management.
#include "net/SleepInhibitor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace {

// Stands in for org.freedesktop.login1.Manager. Each Inhibit call hands out
// the write end of a fresh pipe; the test watches the read end for EOF,
// which comes exactly when every copy of the lock has been released.
class FakeLogin : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    std::mutex lock;
    QStringList lastCall;
    int readEnd = -1;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return {};
        std::lock_guard<std::mutex> g(lock);
        lastCall = {what, who, why, mode};
        readEnd = fds[0];
        QDBusUnixFileDescriptor handed(fds[1]);  // keeps its own copy
        ::close(fds[1]);
        return handed;
    }
};

class PrivateBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        daemon_.start(daemon, {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        ASSERT_TRUE(daemon_.waitForStarted(5000));
        ASSERT_TRUE(daemon_.waitForReadyRead(5000));
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
        ASSERT_FALSE(address_.isEmpty());
    }

    void TearDown() override
    {
        if (serviceThread_.isRunning()) {
            serviceThread_.quit();
            serviceThread_.wait();
        }
        delete fake_;
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            daemon_.waitForFinished(5000);
        }
    }

    // The stand-in serves from its own thread: the lock request blocks the
    // calling thread until the answer arrives.
    void StartFakeLogin()
    {
        fake_ = new FakeLogin;
        fake_->moveToThread(&serviceThread_);
        serviceThread_.start();
        QDBusConnection service = QDBusConnection::connectToBus(address_, QStringLiteral("login"));
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/login1"), fake_, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.login1")));
    }

    QDBusConnection Client() { return QDBusConnection::connectToBus(address_, QStringLiteral("client")); }

    QProcess daemon_;
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
        EXPECT_EQ(fake_->lastCall, (QStringList{"sleep:shutdown", "Norvo Firmware Upgrade",
                                                TSleepInhibitor::UpgradeReason(), "block"}));
        readEnd = fake_->readEnd;
        EXPECT_FALSE(ReadEndSeesEof(readEnd, 0)) << "lock released while still held";
    }
    EXPECT_TRUE(ReadEndSeesEof(readEnd, 5000)) << "lock still held after the inhibitor is gone";
    ::close(readEnd);
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
