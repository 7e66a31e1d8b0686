#include "net/SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QEventLoop>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

TSleepInhibitor::TSleepInhibitor(const QString& why)
{
    Acquire(QDBusConnection::systemBus(), why, DefaultAnswerTimeoutMs);
}

TSleepInhibitor::TSleepInhibitor(const QDBusConnection& bus, const QString& why, int answerTimeoutMs)
{
    Acquire(bus, why, answerTimeoutMs);
}

TSleepInhibitor::~TSleepInhibitor()
{
    // Closing our copy of the descriptor releases the lock.
    if (fd_ >= 0)
        ::close(fd_);
}

QString TSleepInhibitor::UpgradeReason()
{
    return QStringLiteral("Upgrading the router's firmware; interrupting it could leave the router unusable");
}

// The call goes out asynchronously and the window's events keep running
// (painting, timers; user input waits) until logind has answered, refused, or
// the time limit has passed. Only then does the caller's router-changing step
// begin.
void TSleepInhibitor::Acquire(const QDBusConnection& bus, const QString& why, int answerTimeoutMs)
{
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:shutdown") << QStringLiteral("Norvo Firmware Upgrade") << why
         << QStringLiteral("block");
    QDBusPendingCall pending = bus.asyncCall(call, answerTimeoutMs);
    if (!pending.isFinished()) {
        QDBusPendingCallWatcher watcher(pending);
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        // The bus library ends the call at the same limit; this only guards against it not doing so.
        QTimer::singleShot(answerTimeoutMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!pending.isFinished())
            return;  // no answer in time: go on without the lock
    }
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = pending;
    if (reply.isError() || !reply.value().isValid())
        return;  // no logind, or it said no: go on without the lock
    // The reply's descriptor closes with the reply; keep a copy of our own.
    fd_ = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
}
