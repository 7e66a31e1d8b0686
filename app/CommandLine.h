// The program's command line: --help, --version, and the options of a run.
#pragma once

#include <QString>
#include <QStringList>

// What a run does: open the window, or one of the command-line runs that
// need no display.
enum class TRunMode { Window, Express, Check, Restore };

// What the command line asks of a run.
struct TCommandLineOptions {
    TRunMode Mode = TRunMode::Window;
    QString RestoreFile;     // --restore FILE
    QString Router;          // --router ADDRESS: "host[:port]"; empty: the default gateway
    QString PasswordFile;    // --password-file FILE
    bool Quiet = false;      // --quiet: only the outcome
    bool NewBackup = false;  // --new-backup: upgrade also while a backup of the router is pending

    // The build's placeholder firmware image may be sent and saved: only for
    // simulated routers (the demo, the end-to-end tests, the benchmark).
    bool AllowPlaceholderFirmware = false;
    // The window system asked for with Qt's -platform option; empty: Qt's choice.
    QString Platform;
};

struct TCommandLine {
    // Run the window, or end at once with ExitCode after printing the texts.
    bool Run = true;
    int ExitCode = 0;
    QString Output;  // for standard output: help or version
    QString Error;   // for standard error: what was wrong and where to look
    TCommandLineOptions Options;
};

// Exit status of a command line that cannot be understood, as usual for
// command-line programs (a run that fails ends with 1).
inline constexpr int UsageExitCode = 2;

// Whether text names a router: an IPv4 address (four decimal numbers up to
// 255, without leading zeros) or a host name (letters, digits and hyphens in
// dot-separated labels, not all of them numbers), optionally followed by
// ":port" with a port from 1 to 65535.
bool IsRouterAddress(const QString& text);

// Parses the arguments, the program's own name first. Qt's own options
// (-platform NAME, -style NAME, -reverse, ...) are taken as Qt takes them, with
// one dash or two, and left to the application object. Needs a
// QCoreApplication (the help text names the program as it was called).
TCommandLine ParseCommandLine(const QStringList& arguments);

// The one line a program that finds no display to show its window on prints
// before it ends with 1. It names what was tried: the window system asked for
// (QT_QPA_PLATFORM or -platform), else the DISPLAY and WAYLAND_DISPLAY values.
QString NoDisplayMessage(const QString& display, const QString& waylandDisplay, const QString& platform);
