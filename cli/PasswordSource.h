// The router's password for a command-line run. It never comes from the
// command line, where other users could read it: from a file only the user
// may read, else from standard input when that is no terminal, else typed
// without echo on the terminal.
#pragma once

#include <QString>

#include <optional>

struct TPasswordRead {
    std::optional<QString> Password;  // none: Error says why
    QString Error;                    // words for the user
};

// passwordFile empty: none given.
TPasswordRead ReadPassword(const QString& passwordFile);
