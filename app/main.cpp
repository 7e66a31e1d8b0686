// Start-up: the command line, the support log, the socket library, the
// application, the wizard window with its router driver, the data module;
// then the event loop until the window closes. A command-line run (--express,
// --check, --restore) needs no display: a core application, the same log,
// the same rules for signals, and its exit status.
#include "app/Application.h"
#include "app/CliRequest.h"
#include "app/CommandLine.h"
#include "app/DisplayCheck.h"
#include "app/Leftovers.h"
#include "app/ProgramInfo.h"
#include "app/SignalGuard.h"
#include "app/SocketLibrary.h"
#include "cli/CommandLineRun.h"
#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "i18n/Translations.h"
#include "log/SupportLog.h"
#include "net/dmMain.h"
#include "resources/FirmwareSource.h"
#include "wizard/fmMain.h"

#include <QLoggingCategory>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

// --help and --version need no display: the command line is read with a
// core application only, before the window's application exists.
TCommandLine ReadCommandLine(int& argc, char** argv)
{
    QCoreApplication parsing(argc, argv);
    InstallTranslations(parsing);
    return ParseCommandLine(QCoreApplication::arguments());
}

QString FirstLogLine()
{
    return QStringLiteral("=== %1 %2 started")
        .arg(QLatin1String(ProgramInfo::Name), QLatin1String(ProgramInfo::Version));
}

// A run killed while writing the settings backup or the firmware file left
// its temporary file beside them.
void RemoveLeftovers()
{
    for (const QString& file : RemoveStaleProgramTemporaries(ProgramFiles::Folder()))
        SupportLogLine(lcWizard(), QStringLiteral("Removed a temporary file an earlier run left: ") + file);
}

// The run's lines go to standard output; the log's own copies on standard
// error would repeat them (QT_LOGGING_RULES still switches them on).
void QuietLogOnStandardError() { QLoggingCategory::setFilterRules(QStringLiteral("norvo.*.info=false")); }

int RunWithoutWindow(int& argc, char** argv, const TCommandLineOptions& options)
{
    TSocketLibraryGuard sockets;
    int result = 0;
    {
        QCoreApplication application(argc, argv);
        InstallTranslations(application);
        QuietLogOnStandardError();
        TSupportLog log(TSupportLog::DefaultPath(), FirstLogLine());
        RemoveLeftovers();
        const TFirmwareSource firmware(options.AllowPlaceholderFirmware);
        TCliEnvironment environment = ProcessEnvironment(firmware);
        std::optional<TSignalGuard> signalGuard;
        std::optional<TCommandLineRun> run;
        // SIGTERM, SIGINT and SIGHUP get the window's answer: refused while
        // the router is being changed.
        environment.OnRunStarting = [&] {
            signalGuard.emplace();
            QObject::connect(&*signalGuard, &TSignalGuard::Received, &application, [&run](int signalNumber) {
                run->EndRequested(SignalName(signalNumber), 128 + signalNumber);
            });
        };
        run.emplace(CliRequest(options), std::move(environment));
        result = run->Run();
        signalGuard.reset();
    }
    sockets.Cleanup();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    IgnoreBrokenPipes();
    QCoreApplication::setApplicationName(QString::fromLatin1(ProgramInfo::Name));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ProgramInfo::Version));
    const TCommandLine commandLine = ReadCommandLine(argc, argv);
    if (!commandLine.Run) {
        std::fputs(commandLine.Output.toLocal8Bit().constData(), stdout);
        std::fputs(commandLine.Error.toLocal8Bit().constData(), stderr);
        return commandLine.ExitCode;
    }
    try {
        if (commandLine.Options.Mode != TRunMode::Window)
            return RunWithoutWindow(argc, argv, commandLine.Options);
        TSocketLibraryGuard sockets;
        int result = 0;
        {
            // Without a display Qt would abort with advice to reinstall; say what is missing instead.
            TDisplayCheck display(
                NoDisplayMessage(qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"),
                                 commandLine.Options.Platform.isEmpty() ? qEnvironmentVariable("QT_QPA_PLATFORM")
                                                                        : commandLine.Options.Platform));
            TApplication application(argc, argv);
            display.Passed();
            InstallTranslations(application);
            TSupportLog log(TSupportLog::DefaultPath(), FirstLogLine());
            RemoveLeftovers();
            // The placeholder image of a build without real firmware is sent
            // (to a simulated router) and saved only when the command line asks.
            const TFirmwareSource firmware(commandLine.Options.AllowPlaceholderFirmware);
            TfrmMain frmMain([&firmware](IUpgraderView& view) -> std::unique_ptr<TNorvoFirmwareUpgrader> {
                return std::make_unique<TWrx310>(view, firmware);
            });
            TdtmMain dataModule;
            dtmMain = &dataModule;
            // SIGTERM, SIGINT and SIGHUP are requests to end the program like a close of the window.
            TSignalGuard signalGuard;
            QObject::connect(&signalGuard, &TSignalGuard::Received, &frmMain, [&frmMain](int signalNumber) {
                frmMain.EndRequested(SignalName(signalNumber), 128 + signalNumber);
            });
            frmMain.move(0, 0);
            frmMain.show();
            result = application.exec();
            dtmMain = nullptr;
        }
        sockets.Cleanup();
        return result;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
