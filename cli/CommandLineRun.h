// A run without the window: the express upgrade, Check Firmware or Restore
// Settings, started from the command line, reported as lines on standard
// output and ended with an exit status that says what happened.
#pragma once

#include "cli/TerminalOutput.h"
#include "cli/TerminalView.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "net/IPFunctions.h"

#include <QString>

#include <functional>
#include <memory>

struct TCliRequest {
    enum class TMode { Express, Check, Restore };
    TMode Mode = TMode::Express;
    QString RestoreFile;   // for Restore
    QString Router;        // "host[:port]"; empty: the default gateway
    QString PasswordFile;  // empty: standard input or the terminal
    bool Quiet = false;    // only the outcome
    bool NewBackup = false;
};

struct TPasswordRead;

// What a run is made of; tests replace each part.
struct TCliEnvironment {
    using TDriverFactory = std::function<std::unique_ptr<TNorvoFirmwareUpgrader>(IUpgraderView& view)>;
    TDriverFactory MakeDriver;
    std::function<std::unique_ptr<IAdapterQuery>()> MakeAdapterQuery;
    std::function<TPasswordRead(const QString& passwordFile)> ReadPassword;
    // Takes the lock that keeps two runs from changing routers at once;
    // false: another run holds it. The lock lives as long as the function.
    std::function<bool()> TakeRunLock;
    TTerminalOutput Output;
    // Ends the process at once with the exit code (a request to end before
    // the router was changed); never returns.
    std::function<void(int exitCode)> EndProgramNow;
    // Called once the password is read, before the router is looked for:
    // from here on a signal is a request that the run decides on (see
    // EndRequested). Until then it ends the program as usual, also while
    // the password is typed. May be empty.
    std::function<void()> OnRunStarting;
};

// The parts of a real run: the WRX-270 driver with the given firmware
// source, the system's adapters, the password rules, the user's run lock,
// this process's output.
TCliEnvironment ProcessEnvironment(const TFirmwareSource& firmware);

class TCommandLineRun {
public:
    TCommandLineRun(TCliRequest request, TCliEnvironment environment);
    ~TCommandLineRun();
    TCommandLineRun(const TCommandLineRun&) = delete;
    TCommandLineRun& operator=(const TCommandLineRun&) = delete;

    // Runs the request once; the exit status (see cli/ExitCodes.h).
    int Run();

    // A request to end the program (a signal), decided as the window does:
    // refused while the router is being changed, the program ended at once
    // (with exitCode) while the run has not changed it yet.
    void EndRequested(const QString& who, int exitCode);

private:
    int RunDriver();
    int Finish(int exitCode, const QString& outcome);
    int ExpressResult();
    QString BackupLine() const;
    // A line for the user before the run: standard output, or standard
    // error with --quiet.
    void Notice(const QString& text);

    TCliRequest request_;
    TCliEnvironment environment_;
    std::unique_ptr<IAdapterQuery> adapters_;
    std::unique_ptr<TTerminalView> view_;
    std::unique_ptr<TNorvoFirmwareUpgrader> driver_;
    bool running_ = false;
};

// Runs request with environment; the exit status.
int RunCommandLine(const TCliRequest& request, TCliEnvironment environment);
