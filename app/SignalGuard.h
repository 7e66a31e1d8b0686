// Requests to end the program that come as signals: SIGTERM (kill, a logout,
// a shutdown), SIGINT (Ctrl+C in a terminal) and SIGHUP (the terminal went
// away). Left to their default they end the program wherever it is, also in
// the middle of flashing the router. While a TSignalGuard lives they arrive in
// the event loop instead, as Received(signal), and the window decides what
// they get. The handler only writes the signal's number into a pipe, which is
// all a signal handler may safely do; a socket notifier reads it.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <csignal>

class QSocketNotifier;

class TSignalGuard : public QObject {
    Q_OBJECT
public:
    static constexpr std::array<int, 3> Signals{SIGTERM, SIGINT, SIGHUP};

    // Needs the application object. Throws Exception when the pipe or a
    // handler cannot be set up. One guard at a time.
    explicit TSignalGuard(QObject* parent = nullptr);
    // Puts the handling from before back.
    ~TSignalGuard() override;
    TSignalGuard(const TSignalGuard&) = delete;
    TSignalGuard& operator=(const TSignalGuard&) = delete;

signals:
    void Received(int signalNumber);

private:
    void ReadPipe();

    int readEnd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::array<struct sigaction, Signals.size()> previous_{};
};

// "SIGTERM", "SIGINT", "SIGHUP", or "signal N".
QString SignalName(int signalNumber);

// Writes to a reader that has gone (a closed pipe or terminal on standard
// output or error) fail with EPIPE instead of ending the program, for the
// whole process.
void IgnoreBrokenPipes();
