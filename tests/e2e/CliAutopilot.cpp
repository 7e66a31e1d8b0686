// The program's command-line run as it ships (the system's default gateway,
// the password rules, the run lock, standard output), with one thing
// changed for the tests: the restart pauses are shortened, since the
// simulated router restarts in seconds, not minutes.
//
//   cli-autopilot [--wait-divisor N] PROGRAM OPTIONS...
//
// --wait-divisor N  divides every restart pause by N (0: no pause at all)
// PROGRAM OPTIONS   as the program takes them; --express, --check or
//                   --restore FILE must be among them
//
// Exits with the run's exit status.
#include "app/CliRequest.h"
#include "app/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "cli/ExitCodes.h"
#include "resources/FirmwareSource.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    int divisor = 1;
    QStringList arguments{QStringLiteral("norvo-firmware-upgrade")};
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--wait-divisor") && i + 1 < argc)
            divisor = std::atoi(argv[++i]);
        else
            arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("norvo-firmware-upgrade"));
    const TCommandLine commandLine = ParseCommandLine(arguments);
    if (!commandLine.Run || commandLine.Options.Mode == TRunMode::Window) {
        std::fputs(commandLine.Error.toLocal8Bit().constData(), stderr);
        std::fputs("usage: cli-autopilot [--wait-divisor N] --express|--check|--restore FILE [options]\n", stderr);
        return ExitCode::Usage;
    }

    const TFirmwareSource firmware(commandLine.Options.AllowPlaceholderFirmware);
    TCliEnvironment environment = ProcessEnvironment(firmware);
    const auto makeDriver = environment.MakeDriver;
    environment.MakeDriver = [makeDriver, divisor](IUpgraderView& view) {
        auto driver = makeDriver(view);
        driver->SetWait([divisor](int milliseconds) {
            const int shortened = divisor > 0 ? milliseconds / divisor : 0;
            QEventLoop loop;
            QTimer::singleShot(shortened, &loop, &QEventLoop::quit);
            loop.exec();
        });
        return driver;
    };
    return RunCommandLine(CliRequest(commandLine.Options), std::move(environment));
}
