// Keeps the PC from sleeping or shutting down while the router is being
// changed: a laptop that suspends mid-flash can leave the router unusable.
// Asks logind over the system D-Bus for a blocking "sleep:shutdown" lock and
// holds it for the object's life. Without logind or D-Bus it does nothing.
#pragma once

#include <QDBusConnection>
#include <QString>

class TSleepInhibitor {
public:
    // How long logind may take to answer before the run goes on without the lock.
    static constexpr int DefaultAnswerTimeoutMs = 2000;

    // Takes the lock on the system bus.
    explicit TSleepInhibitor(const QString& why);
    // Takes the lock through the given bus (tests pass a private bus and a
    // short time limit).
    TSleepInhibitor(const QDBusConnection& bus, const QString& why, int answerTimeoutMs = DefaultAnswerTimeoutMs);
    ~TSleepInhibitor();
    TSleepInhibitor(const TSleepInhibitor&) = delete;
    TSleepInhibitor& operator=(const TSleepInhibitor&) = delete;

    // True while logind holds our lock. Settled when the constructor returns:
    // the lock is held, or logind refused, failed or did not answer in time.
    bool Held() const { return fd_ >= 0; }

    // The reason every router-changing step gives.
    static QString UpgradeReason();

private:
    void Acquire(const QDBusConnection& bus, const QString& why, int answerTimeoutMs);
    int fd_ = -1;
};
