#include "cli/PasswordSource.h"

#include <QFile>

#include <cstdio>
#include <string>

#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// One line without its line end; none at the end of the input.
std::optional<QString> ReadLine(std::FILE* input)
{
    std::string line;
    int c;
    while ((c = std::fgetc(input)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    if (c == EOF && line.empty() && std::ferror(input))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

TPasswordRead Failure(const QString& error) { return {std::nullopt, error}; }

TPasswordRead FromFile(const QString& passwordFile)
{
    const QByteArray path = QFile::encodeName(passwordFile);
    std::FILE* file = std::fopen(path.constData(), "re");
    if (!file)
        return Failure(QStringLiteral("Cannot read the password file \"%1\".").arg(passwordFile));
    struct stat status {};
    if (fstat(fileno(file), &status) != 0 || status.st_uid != geteuid() || (status.st_mode & 077) != 0) {
        std::fclose(file);
        return Failure(QStringLiteral("The password file \"%1\" must belong to you and be readable by you alone "
                                      "(chmod 600).")
                           .arg(passwordFile));
    }
    const std::optional<QString> line = ReadLine(file);
    std::fclose(file);
    if (!line)
        return Failure(QStringLiteral("Cannot read the password file \"%1\".").arg(passwordFile));
    return {line, {}};
}

TPasswordRead FromTerminal()
{
    std::fputs("Router password: ", stderr);
    std::fflush(stderr);
    termios saved{};
    const bool quiet = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (quiet) {
        termios noEcho = saved;
        noEcho.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &noEcho);
    }
    const std::optional<QString> line = ReadLine(stdin);
    if (quiet)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    std::fputs("\n", stderr);
    if (!line)
        return Failure(QStringLiteral("No password was typed."));
    return {line, {}};
}

}  // namespace

TPasswordRead ReadPassword(const QString& passwordFile)
{
    if (!passwordFile.isEmpty())
        return FromFile(passwordFile);
    if (!isatty(STDIN_FILENO)) {
        const std::optional<QString> line = ReadLine(stdin);
        if (!line)
            return Failure(QStringLiteral("Cannot read the password from standard input."));
        return {line, {}};
    }
    return FromTerminal();
}
