#include "net/LogoutInhibitor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <optional>

namespace {

const QString kService = QStringLiteral("org.gnome.SessionManager");
const QString kPath = QStringLiteral("/org/gnome/SessionManager");
const QString kInterface = QStringLiteral("org.gnome.SessionManager");
constexpr uint kInhibitLogout = 1;

}  // namespace

struct TLogoutInhibitor::TState {
    explicit TState(const QDBusConnection& connection) : bus(connection) {}
    QDBusConnection bus;
    std::optional<uint> cookie;  // the session manager's name for our hold
    bool released = false;

    void Uninhibit()
    {
        if (!cookie)
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Uninhibit"));
        call << *cookie;
        bus.send(call);  // no answer is awaited
        cookie.reset();
    }
};

TLogoutInhibitor::TLogoutInhibitor(const QString& why)
    : TLogoutInhibitor(QDBusConnection::sessionBus(), why, DefaultAnswerTimeoutMs)
{
}

TLogoutInhibitor::TLogoutInhibitor(const QDBusConnection& bus, const QString& why, int answerTimeoutMs)
    : state_(std::make_shared<TState>(bus))
{
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    // No window id: the hold is the program's, not one window's.
    call << QCoreApplication::applicationName() << uint{0} << why << kInhibitLogout;
    // The watcher lives with the application, so a call whose answer never
    // comes before the end is still freed.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, answerTimeoutMs), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [state = state_](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isError())
            return;  // no session manager of this kind, or it said no: go on without the hold
        state->cookie = reply.value();
        if (state->released)
            state->Uninhibit();
    });
}

TLogoutInhibitor::~TLogoutInhibitor()
{
    state_->released = true;
    state_->Uninhibit();
}

bool TLogoutInhibitor::Held() const { return state_->cookie.has_value(); }

QString TLogoutInhibitor::UpgradeReason()
{
    return QStringLiteral("Upgrading the router's firmware; logging out now could leave the router unusable");
}
