// The logout hold against a private message bus with a stand-in for the
// desktop's session manager, so the test never touches a real session.
#include "net/LogoutInhibitor.h"
#include "tests/net/PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QObject>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace {

// Stands in for org.gnome.SessionManager: hands out a cookie per Inhibit and
// records each Uninhibit. Told to hold its answers, it keeps each Inhibit
// open until the test answers it, or forever.
class FakeSessionManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")
public:
    std::mutex lock;
    std::vector<QVariantList> inhibits;  // app_id, toplevel_xid, reason, flags
    std::vector<uint> uninhibits;
    bool holdAnswers = false;

    bool HasHeldCall()
    {
        std::lock_guard<std::mutex> g(lock);
        return held_.has_value();
    }
    // Answers the held call; called from the test's thread.
    uint AnswerHeldCall()
    {
        std::lock_guard<std::mutex> g(lock);
        const uint cookie = nextCookie_++;
        held_->second.send(held_->first.createReply(QVariant::fromValue(cookie)));
        held_.reset();
        return cookie;
    }
    std::vector<uint> Uninhibits()
    {
        std::lock_guard<std::mutex> g(lock);
        return uninhibits;
    }

public slots:
    uint Inhibit(const QString& appId, uint toplevelXid, const QString& reason, uint flags)
    {
        std::lock_guard<std::mutex> g(lock);
        inhibits.push_back({appId, toplevelXid, reason, flags});
        if (holdAnswers) {
            setDelayedReply(true);
            held_.emplace(message(), connection());
            return 0;
        }
        return nextCookie_++;
    }
    void Uninhibit(uint cookie)
    {
        std::lock_guard<std::mutex> g(lock);
        uninhibits.push_back(cookie);
    }

private:
    uint nextCookie_ = 41;
    std::optional<std::pair<QDBusMessage, QDBusConnection>> held_;
};

// Runs the event loop until done() or a generous limit for the other thread
// and the daemon to answer.
bool RunEventsUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class SessionBus : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!nettest::PrivateBusDaemon::Installed())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(daemon_.Start());
    }

    void TearDown() override
    {
        if (serviceThread_.isRunning()) {
            serviceThread_.quit();
            serviceThread_.wait();
        }
        delete fake_;
        QDBusConnection::disconnectFromBus(QStringLiteral("session-manager"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    // The stand-in serves from its own thread, as the session manager is another process.
    void StartFakeSessionManager(bool holdAnswers = false)
    {
        fake_ = new FakeSessionManager;
        fake_->holdAnswers = holdAnswers;
        fake_->moveToThread(&serviceThread_);
        serviceThread_.start();
        QDBusConnection service = QDBusConnection::connectToBus(daemon_.Address(), QStringLiteral("session-manager"));
        ASSERT_TRUE(service.isConnected());
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/gnome/SessionManager"), fake_,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.gnome.SessionManager")));
    }

    QDBusConnection Client() { return QDBusConnection::connectToBus(daemon_.Address(), QStringLiteral("client")); }

    nettest::PrivateBusDaemon daemon_;
    QThread serviceThread_;
    FakeSessionManager* fake_ = nullptr;
};

TEST_F(SessionBus, HoldsTheLogoutUntilDestroyed)
{
    StartFakeSessionManager();
    {
        TLogoutInhibitor inhibitor(Client(), TLogoutInhibitor::UpgradeReason());
        EXPECT_FALSE(inhibitor.Held()) << "the constructor waited for the answer";
        ASSERT_TRUE(RunEventsUntil([&] { return inhibitor.Held(); }));
        std::lock_guard<std::mutex> g(fake_->lock);
        ASSERT_EQ(fake_->inhibits.size(), 1u);
        // No window id; 1 is the logout flag.
        EXPECT_EQ(fake_->inhibits[0],
                  (QVariantList{QCoreApplication::applicationName(), 0u, TLogoutInhibitor::UpgradeReason(), 1u}));
        EXPECT_TRUE(fake_->uninhibits.empty());
    }
    EXPECT_TRUE(RunEventsUntil([&] { return fake_->Uninhibits() == std::vector<uint>{41}; }));
}

TEST_F(SessionBus, AHoldAnsweredAfterItWasGivenUpIsReleased)
{
    StartFakeSessionManager(true);
    {
        TLogoutInhibitor inhibitor(Client(), TLogoutInhibitor::UpgradeReason(), 60000);
        ASSERT_TRUE(RunEventsUntil([&] { return fake_->HasHeldCall(); }));
        EXPECT_FALSE(inhibitor.Held());
    }  // the router change ended before the session manager answered
    const uint cookie = fake_->AnswerHeldCall();
    EXPECT_TRUE(RunEventsUntil([&] { return fake_->Uninhibits() == std::vector<uint>{cookie}; }));
}

TEST_F(SessionBus, ASilentSessionManagerStallsNothing)
{
    StartFakeSessionManager(true);
    QElapsedTimer clock;
    clock.start();
    TLogoutInhibitor inhibitor(Client(), TLogoutInhibitor::UpgradeReason(), 60000);
    EXPECT_LT(clock.elapsed(), 1000) << "the constructor waited for the answer";
    ASSERT_TRUE(RunEventsUntil([&] { return fake_->HasHeldCall(); }));
    EXPECT_FALSE(inhibitor.Held());
}

TEST_F(SessionBus, GoesOnSilentlyWithoutASessionManager)
{
    TLogoutInhibitor inhibitor(Client(), TLogoutInhibitor::UpgradeReason());
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    EXPECT_FALSE(inhibitor.Held());
}

TEST(LogoutInhibitor, GoesOnSilentlyWithoutABus)
{
    TLogoutInhibitor inhibitor(QDBusConnection(QStringLiteral("never-connected")), QStringLiteral("why"));
    EXPECT_FALSE(inhibitor.Held());
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "LogoutInhibitorTest.moc"
