// A message bus of the test's own (a dbus-daemon it starts and stops), so
// that stand-ins for the desktop's services never meet the machine's real ones.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace nettest {

class PrivateBusDaemon {
public:
    static QString Program() { return QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")); }
    static bool Installed() { return !Program().isEmpty(); }

    // Starts the daemon; false when it does not start.
    bool Start()
    {
        process_.start(Program(),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000))
            return false;
        address_ = QString::fromUtf8(process_.readLine()).trimmed();
        return !address_.isEmpty();
    }
    ~PrivateBusDaemon()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            process_.waitForFinished(5000);
        }
    }
    QString Address() const { return address_; }

private:
    QProcess process_;
    QString address_;
};

}  // namespace nettest
