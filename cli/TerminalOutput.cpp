#include "cli/TerminalOutput.h"

#include <QFile>
#include <QTime>

#include <chrono>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

void Write(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    // A reader that has gone (SIGPIPE is ignored) makes this fail; the run
    // goes on regardless.
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

// Asks on the controlling terminal, also when standard input and output are
// files or pipes; none when there is no terminal or nothing was typed.
std::optional<QString> AskOnTerminal(const QString& prompt, bool echo)
{
    const int tty = open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0)
        return std::nullopt;
    const QByteArray question = prompt.toLocal8Bit() + ' ';
    (void)!write(tty, question.constData(), static_cast<std::size_t>(question.size()));
    termios saved{};
    const bool restore = !echo && tcgetattr(tty, &saved) == 0;
    if (restore) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(tty, TCSAFLUSH, &quiet);
    }
    std::string line;
    char c = 0;
    bool ended = false;
    while (read(tty, &c, 1) == 1) {
        if (c == '\n') {
            ended = true;
            break;
        }
        line.push_back(c);
    }
    if (restore) {
        tcsetattr(tty, TCSAFLUSH, &saved);
        (void)!write(tty, "\n", 1);
    }
    close(tty);
    if (!ended && line.empty())
        return std::nullopt;
    return QString::fromLocal8Bit(line.data(), static_cast<qsizetype>(line.size()));
}

bool HasTerminal()
{
    const int tty = open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (tty < 0)
        return false;
    close(tty);
    return true;
}

}  // namespace

TTerminalOutput ProcessTerminalOutput()
{
    TTerminalOutput output;
    output.Out = [](const QString& text) { Write(stdout, text); };
    output.Err = [](const QString& text) { Write(stderr, text); };
    output.OutIsTerminal = isatty(STDOUT_FILENO) == 1;
    output.Clock = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
    output.TimeOfDay = [] { return QTime::currentTime().toString(QStringLiteral("HH:mm:ss")); };
    if (HasTerminal()) {
        output.AskHidden = [](const QString& prompt) { return AskOnTerminal(prompt, false); };
        output.AskYesNo = [](const QString& question) {
            const std::optional<QString> answer = AskOnTerminal(question + QStringLiteral(" [y/N]"), true);
            return answer && answer->trimmed().startsWith(QLatin1Char('y'), Qt::CaseInsensitive);
        };
    }
    return output;
}
