// The router password of a command-line run. It never comes from the
// command line itself (other users see a process's arguments): it is the
// first line of a private file, else the first line of standard input when
// that is not a terminal, else typed on the terminal without echo.
//
// A line is its text without the line end ("\n" or "\r\n"), decoded as
// UTF-8; an empty line is an empty password. Nothing here logs the password.
#pragma once

#include <QString>

#include <optional>

struct TPasswordRead {
    std::optional<QString> Password;  // set when a password was read
    QString Error;                    // otherwise: why not, in words for the user
};

// The password as the command line gets it: from passwordFile when one is
// given (empty: none given), else from standard input or the terminal.
TPasswordRead ReadPassword(const QString& passwordFile);

// The first line of a file that only its owner, the effective user, may
// use: a file other users may read, write or run, or one that belongs to
// someone else, is refused, as is a folder. Errors name the file.
TPasswordRead ReadPasswordFile(const QString& path);

// The first line read from fd (a pipe or a file); source names it in
// errors ("standard input"). Reads nothing past that line's end.
TPasswordRead ReadPasswordFromStream(int fd, const QString& source);

// Writes prompt to outFd and reads one line from the terminal inFd with its
// echo switched off, then writes the line end the user's Enter did not
// show. The terminal's settings come back on every path, also when a
// signal ends the program during the prompt; a stop (Ctrl+Z) shows the
// echo again until the program continues and asks anew.
TPasswordRead PromptPasswordOnTerminal(int inFd, int outFd, const QString& prompt);

// The question PromptPasswordOnTerminal asks on the command line.
QString PasswordPromptText();
