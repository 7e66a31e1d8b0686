#include "app/SignalGuard.h"

#include "base/Exception.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

namespace {

// The pipe's write end, for the handler; -1 while no guard lives.
volatile sig_atomic_t writeEnd = -1;

void WriteSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signalNumber);
    // A full pipe drops the number: requests enough are waiting already.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &number, 1);
    errno = savedErrno;
}

[[noreturn]] void CannotGuard(const char* what)
{
    throw Exception(std::string("Cannot catch end-of-program signals: ") + what + ": " + std::strerror(errno));
}

}  // namespace

TSignalGuard::TSignalGuard(QObject* parent) : QObject(parent)
{
    if (writeEnd >= 0)
        throw Exception("Cannot catch end-of-program signals: they are caught already");
    if (!QCoreApplication::instance())
        throw Exception("Cannot catch end-of-program signals: no application object");
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        CannotGuard("pipe2");
    readEnd_ = fds[0];
    writeEnd = fds[1];
    notifier_ = new QSocketNotifier(readEnd_, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSignalGuard::ReadPipe);

    struct sigaction action {};
    action.sa_handler = WriteSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // interrupted system calls go on
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        if (::sigaction(Signals[i], &action, &previous_[i]) != 0) {
            const int error = errno;
            for (std::size_t j = 0; j < i; ++j)
                ::sigaction(Signals[j], &previous_[j], nullptr);
            ::close(std::exchange(readEnd_, -1));
            ::close(writeEnd);
            writeEnd = -1;
            errno = error;
            CannotGuard("sigaction");
        }
    }
}

TSignalGuard::~TSignalGuard()
{
    for (std::size_t i = 0; i < Signals.size(); ++i)
        ::sigaction(Signals[i], &previous_[i], nullptr);
    delete notifier_;
    ::close(readEnd_);
    ::close(writeEnd);
    writeEnd = -1;
}

void TSignalGuard::ReadPipe()
{
    unsigned char numbers[64];
    ssize_t count;
    while ((count = ::read(readEnd_, numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < count; ++i)
            emit Received(numbers[i]);
}

QString SignalName(int signalNumber)
{
    switch (signalNumber) {
    case SIGTERM:
        return QStringLiteral("SIGTERM");
    case SIGINT:
        return QStringLiteral("SIGINT");
    case SIGHUP:
        return QStringLiteral("SIGHUP");
    default:
        return QStringLiteral("signal %1").arg(signalNumber);
    }
}

void IgnoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }
