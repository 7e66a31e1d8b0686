// The program's command line: --help, --version, and the options of a run.
#pragma once

#include <QString>
#include <QStringList>

// What the command line asks of a run.
struct TCommandLineOptions {
    // The build's placeholder firmware image may be sent and saved: only for
    // simulated routers (the demo, the end-to-end tests, the benchmark).
    bool AllowPlaceholderFirmware = false;
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

// Parses the arguments, the program's own name first. Needs a
// QCoreApplication (the help text names the program as it was called).
TCommandLine ParseCommandLine(const QStringList& arguments);

// True when the window can be shown: a display (X11 or Wayland), or a
// platform chosen with QT_QPA_PLATFORM. Arguments are the variables' values.
bool HasDisplay(const QString& display, const QString& waylandDisplay, const QString& platform);
// The one line a program without a display prints before it ends with 1.
QString NoDisplayMessage();
