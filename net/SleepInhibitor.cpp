#include "net/SleepInhibitor.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

#include <fcntl.h>
#include <unistd.h>

namespace {
// logind answers at once; never let a stuck bus hold up the upgrade.
constexpr int kCallTimeoutMs = 2000;
}  // namespace

TSleepInhibitor::TSleepInhibitor(const QString& why)
{
    Acquire(QDBusConnection::systemBus(), why);
}

TSleepInhibitor::TSleepInhibitor(const QDBusConnection& bus, const QString& why)
{
    Acquire(bus, why);
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

void TSleepInhibitor::Acquire(const QDBusConnection& bus, const QString& why)
{
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                                       QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"),
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep:shutdown") << QStringLiteral("Norvo Firmware Upgrade") << why
         << QStringLiteral("block");
    const QDBusReply<QDBusUnixFileDescriptor> reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (!reply.isValid() || !reply.value().isValid())
        return;  // no logind, or it said no: go on without the lock
    // The reply's descriptor closes with the reply; keep a copy of our own.
    fd_ = ::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0);
}
