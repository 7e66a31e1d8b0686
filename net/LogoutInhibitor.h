// Asks the desktop's session manager to hold a logout while the router is
// being changed: a logout ends the program, and a router left half-flashed or
// without its settings may not come back. Uses the session manager's Inhibit
// call with the logout flag over the session D-Bus (GNOME, and the desktops
// that share its session manager); elsewhere, or without a bus, it does
// nothing. Nothing waits for the answer: the call goes out, the constructor
// returns, and the answer is taken whenever the window's events run.
#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>

class TLogoutInhibitor {
public:
    // How long the session manager may take to answer before the call is given up.
    static constexpr int DefaultAnswerTimeoutMs = 2000;

    // Asks on the session bus.
    explicit TLogoutInhibitor(const QString& why);
    // Asks through the given bus (tests pass a private bus).
    TLogoutInhibitor(const QDBusConnection& bus, const QString& why, int answerTimeoutMs = DefaultAnswerTimeoutMs);
    // Releases the hold; one whose answer is still to come is released when it comes.
    ~TLogoutInhibitor();
    TLogoutInhibitor(const TLogoutInhibitor&) = delete;
    TLogoutInhibitor& operator=(const TLogoutInhibitor&) = delete;

    // True once the session manager has answered with a hold.
    bool Held() const;

    // The reason every hold gives.
    static QString UpgradeReason();

private:
    struct TState;
    std::shared_ptr<TState> state_;
};
