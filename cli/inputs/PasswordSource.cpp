#include "cli/inputs/PasswordSource.h"

#include <QFile>
#include <QStringDecoder>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Longer lines are no router password; the limit also stops a read of a
// file with no line end from taking everything.
constexpr int kMaxLineBytes = 4096;

enum class TLineEnd { Newline, EndOfInput, NoInput, TooLong, ReadError, Interrupted };

struct TLine {
    QByteArray Bytes;
    TLineEnd End = TLineEnd::NoInput;
    int Error = 0;  // errno of a ReadError
};

// One byte at a time, so nothing after the line is taken from a pipe.
// interrupted is asked before every read and after each one a signal cut short.
template <typename TInterrupted>
TLine ReadLine(int fd, TInterrupted interrupted)
{
    TLine line;
    for (;;) {
        if (interrupted()) {
            line.End = TLineEnd::Interrupted;
            return line;
        }
        char c = 0;
        const ssize_t n = ::read(fd, &c, 1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            line.End = TLineEnd::ReadError;
            line.Error = errno;
            return line;
        }
        if (n == 0) {
            line.End = line.Bytes.isEmpty() ? TLineEnd::NoInput : TLineEnd::EndOfInput;
            return line;
        }
        if (c == '\n') {
            if (line.Bytes.endsWith('\r'))
                line.Bytes.chop(1);
            line.End = TLineEnd::Newline;
            return line;
        }
        if (line.Bytes.size() >= kMaxLineBytes) {
            line.End = TLineEnd::TooLong;
            return line;
        }
        line.Bytes.append(c);
    }
}

QString Capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// source names where the line came from, as the middle of a sentence.
TPasswordRead PasswordFromLine(const TLine& line, const QString& source)
{
    switch (line.End) {
    case TLineEnd::NoInput:
        return {std::nullopt,
                QStringLiteral("No password line came from %1 (an empty password is an empty line).").arg(source)};
    case TLineEnd::TooLong:
        return {std::nullopt,
                QStringLiteral("The first line of %1 is longer than %2 bytes; that is no router password.")
                    .arg(source)
                    .arg(kMaxLineBytes)};
    case TLineEnd::ReadError:
        return {std::nullopt, QStringLiteral("Cannot read %1: %2.").arg(source, SystemError(line.Error))};
    case TLineEnd::Interrupted:
        return {std::nullopt, QStringLiteral("The password prompt was interrupted.")};
    case TLineEnd::Newline:
    case TLineEnd::EndOfInput:
        break;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString password = decoder.decode(line.Bytes);
    if (decoder.hasError())
        return {std::nullopt, QStringLiteral("The password from %1 is not UTF-8 text.").arg(source)};
    return {password, {}};
}

QString OwnerName(uid_t uid)
{
    if (const passwd* entry = ::getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(uid);
}

// Why a password file with these properties is refused; empty when it may be used.
QString FileRefusal(const struct stat& info, const QString& path)
{
    const QString named = QStringLiteral("The password file \"%1\"").arg(path);
    if (S_ISDIR(info.st_mode))
        return named + QStringLiteral(" is a folder, not a file.");
    // A pipe passes too: a password handed over by the shell, as in <(command).
    if (!S_ISREG(info.st_mode) && !S_ISFIFO(info.st_mode))
        return named + QStringLiteral(" is not a regular file.");
    if (info.st_uid != ::geteuid())
        return named + QStringLiteral(" belongs to %1, not to %2; use a file of your own.")
                           .arg(OwnerName(info.st_uid), OwnerName(::geteuid()));
    if ((info.st_mode & 077) != 0)
        return named + QStringLiteral(
                           " may be used by other users (permissions %1). Make it private, for example "
                           "with: chmod 600 \"%2\"")
                           .arg(QString::number(info.st_mode & 07777, 8).rightJustified(4, u'0'), path);
    return {};
}

class TFdCloser {
public:
    explicit TFdCloser(int fd) : FFd(fd) {}
    ~TFdCloser() { ::close(FFd); }
    TFdCloser(const TFdCloser&) = delete;
    TFdCloser& operator=(const TFdCloser&) = delete;

private:
    int FFd;
};

bool WriteAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

// The terminal prompt's state for its signal handler: the settings to put
// back and which signal came.
volatile sig_atomic_t gPromptSignal = 0;
int gPromptFd = -1;
struct termios gPromptSaved {};

// Signals that end or stop the program while the prompt waits.
constexpr std::array<int, 5> kPromptSignals{SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

extern "C" void PromptSignalHandler(int signal)
{
    gPromptSignal = signal;
    ::tcsetattr(gPromptFd, TCSANOW, &gPromptSaved);  // async-signal-safe
}

// Installs the prompt's handler for each signal the program does not ignore,
// without SA_RESTART so that the waiting read returns; the destructor puts
// the earlier handlers back.
class TPromptSignals {
public:
    TPromptSignals()
    {
        struct sigaction action {};
        action.sa_handler = PromptSignalHandler;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kPromptSignals.size(); ++i) {
            ::sigaction(kPromptSignals[i], nullptr, &FPrevious[i]);
            FInstalled[i] = FPrevious[i].sa_handler != SIG_IGN;
            if (FInstalled[i])
                ::sigaction(kPromptSignals[i], &action, nullptr);
        }
    }
    ~TPromptSignals()
    {
        for (std::size_t i = 0; i < kPromptSignals.size(); ++i)
            if (FInstalled[i])
                ::sigaction(kPromptSignals[i], &FPrevious[i], nullptr);
    }
    TPromptSignals(const TPromptSignals&) = delete;
    TPromptSignals& operator=(const TPromptSignals&) = delete;

private:
    std::array<struct sigaction, kPromptSignals.size()> FPrevious{};
    std::array<bool, kPromptSignals.size()> FInstalled{};
};

}  // namespace

QString PasswordPromptText() { return QStringLiteral("Router admin password: "); }

TPasswordRead ReadPasswordFromStream(int fd, const QString& source)
{
    return PasswordFromLine(ReadLine(fd, [] { return false; }), source);
}

TPasswordRead ReadPasswordFile(const QString& path)
{
    const QString source = QStringLiteral("the password file \"%1\"").arg(path);
    const QByteArray name = QFile::encodeName(path);
    // Checked before opening, so that no one else's pipe or device is opened,
    // and again on what was opened, which may have been swapped meanwhile.
    struct stat info {};
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT)
            return {std::nullopt, QStringLiteral("The password file \"%1\" does not exist.").arg(path)};
        return {std::nullopt, Capitalised(QStringLiteral("Cannot use %1: %2.").arg(source, SystemError(errno)))};
    }
    if (const QString refusal = FileRefusal(info, path); !refusal.isEmpty())
        return {std::nullopt, refusal};
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {std::nullopt, QStringLiteral("Cannot read %1: %2.").arg(source, SystemError(errno))};
    const TFdCloser closer(fd);
    if (::fstat(fd, &info) != 0)
        return {std::nullopt, QStringLiteral("Cannot read %1: %2.").arg(source, SystemError(errno))};
    if (const QString refusal = FileRefusal(info, path); !refusal.isEmpty())
        return {std::nullopt, refusal};
    return ReadPasswordFromStream(fd, source);
}

TPasswordRead PromptPasswordOnTerminal(int inFd, int outFd, const QString& prompt)
{
    const QString source = QStringLiteral("the terminal");
    struct termios saved {};
    if (::tcgetattr(inFd, &saved) != 0)
        return {std::nullopt,
                QStringLiteral("Cannot switch off the echo of the terminal: %1.").arg(SystemError(errno))};
    struct termios silent = saved;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO | ECHOE | ECHOK | ECHONL);

    for (;;) {
        gPromptSignal = 0;
        gPromptFd = inFd;
        gPromptSaved = saved;
        TLine line;
        {
            const TPromptSignals handlers;
            // Echo goes off before the prompt shows: what is typed after it is never shown.
            if (::tcsetattr(inFd, TCSAFLUSH, &silent) != 0)
                return {std::nullopt,
                        QStringLiteral("Cannot switch off the echo of the terminal: %1.").arg(SystemError(errno))};
            WriteAll(outFd, prompt.toUtf8());
            line = ReadLine(inFd, [] { return gPromptSignal != 0; });
            ::tcsetattr(inFd, TCSANOW, &saved);
        }
        WriteAll(outFd, QByteArrayLiteral("\n"));  // the Enter that was not echoed
        const int signal = gPromptSignal;
        if (signal == 0)
            return PasswordFromLine(line, source);
        // The earlier handlers are back: the signal does what it would have
        // done without the prompt. A stop returns here when the program
        // continues, and the prompt asks again.
        ::raise(signal);
        if (signal != SIGTSTP || line.End != TLineEnd::Interrupted)
            return PasswordFromLine(line, source);
    }
}

TPasswordRead ReadPassword(const QString& passwordFile)
{
    if (!passwordFile.isEmpty())
        return ReadPasswordFile(passwordFile);
    if (!::isatty(STDIN_FILENO))
        return ReadPasswordFromStream(STDIN_FILENO, QStringLiteral("standard input"));
    const int terminal = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (terminal < 0)
        return PromptPasswordOnTerminal(STDIN_FILENO, STDERR_FILENO, PasswordPromptText());
    const TFdCloser closer(terminal);
    return PromptPasswordOnTerminal(terminal, terminal, PasswordPromptText());
}
