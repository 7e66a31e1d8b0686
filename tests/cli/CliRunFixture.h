// A command-line run against the simulated router on 127.0.0.1, in-process:
// the real WRX-270 driver and terminal view, the output kept in strings, a
// clock that only the driver's waits move (so a restart wait of minutes takes
// no real time), the program's files in a folder of the test's own.
#pragma once

#include "cli/CommandLineRun.h"
#include "cli/ExitCodes.h"
#include "cli/inputs/PasswordSource.h"
#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "tests/support/UserFolders.h"
#include "tools/router-sim/lib/RouterSim.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace clitest {

inline QCoreApplication& Application()
{
    testsupport::UserFolders();  // never the real home's records
    static int argc = 1;
    static char name[] = "cli_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);  // lives until the process ends
    return *application;
}

// An adapter list of the test's choosing.
class TListedAdapters : public IAdapterQuery {
public:
    explicit TListedAdapters(TAdapterList adapters) : adapters_(std::move(adapters)) {}
    std::uint32_t Query(TAdapterList& adapters, int& systemError) override
    {
        systemError = 0;
        adapters = adapters_;
        return IpHlpResult::Success;
    }

private:
    TAdapterList adapters_;
};

class CliRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        Application();
        ASSERT_TRUE(folder_.isValid());
        ProgramFiles::SetProgramFolder(folder_.path());
        PendingBackup::Clear();
    }

    void TearDown() override
    {
        PendingBackup::Clear();
        ProgramFiles::SetProgramFolder({});
    }

    // Starts the router on the clock the driver's waits move.
    void StartRouter(testsupport::RouterSimConfig config = {})
    {
        config.clock = [] { return std::int64_t{0}; };
        router_ = std::make_unique<testsupport::RouterSim>(std::move(config));
        OriginalSettings = router_->Settings();
    }

    QString RouterAddress() const { return QStringLiteral("127.0.0.1:%1").arg(router_->Port()); }

    // The environment of a run: the driver with zero-time waits, the
    // adapters given, the password given, the lock as LockFree says.
    TCliEnvironment Environment()
    {
        TCliEnvironment environment;
        environment.MakeDriver = [this](IUpgraderView& view) -> std::unique_ptr<TNorvoFirmwareUpgrader> {
            auto driver = std::make_unique<TWrx310>(view);
            driver->Firmware().AllowPlaceholder = AllowPlaceholder;
            driver->SetClock([this] { return Now; });
            driver->SetWait([this](int ms) {
                Now += ms;
                if (router_)
                    router_->AdvanceTime(ms);
            });
            for (TIdLimits* limits :
                 {&driver->Limits().SmallPage, &driver->Limits().SettingsTransfer, &driver->Limits().FirmwareUpload}) {
                limits->ConnectMs = 5000;
                limits->StallMs = 10000;
            }
            driver->Limits().FirmwareUpload.AfterSendMs = 10000;
            RestartWaitMs = driver->Limits().RestartWaitMs;
            return driver;
        };
        environment.MakeAdapterQuery = [this] { return std::make_unique<TListedAdapters>(Adapters); };
        environment.ReadPassword = [this](const QString& file) {
            PasswordFileAsked = file;
            return Password;
        };
        environment.TakeRunLock = [this] { return LockFree; };
        environment.Output.Out = [this](const QString& text) { Out += text; };
        environment.Output.Err = [this](const QString& text) { Err += text; };
        environment.Output.OutIsTerminal = OutIsTerminal;
        environment.Output.Clock = [this] { return Now; };
        environment.Output.TimeOfDay = [] { return QStringLiteral("12:00:00"); };
        environment.EndProgramNow = [this](int exitCode) { Ended = exitCode; };
        return environment;
    }

    int Run(TCliRequest request) { return RunCommandLine(request, Environment()); }

    QStringList OutLines() const { return Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    QString LastLine() const
    {
        const QStringList lines = OutLines();
        return lines.isEmpty() ? QString() : lines.constLast();
    }
    // The files the program left in its folder.
    QStringList FilesLeft() const { return QDir(folder_.path()).entryList(QDir::Files, QDir::Name); }
    QString FolderPath(const QString& name) const { return folder_.filePath(name); }

    testsupport::RouterSim& Router() const { return *router_; }

    TAdapterList Adapters;
    TPasswordRead Password{QStringLiteral("admin"), {}};
    QString PasswordFileAsked;
    bool LockFree = true;
    bool AllowPlaceholder = true;  // the build's placeholder goes to the simulated router only
    bool OutIsTerminal = false;
    std::int64_t Now = 0;
    int RestartWaitMs = 0;
    std::optional<int> Ended;
    QString Out, Err;
    std::string OriginalSettings;

private:
    QTemporaryDir folder_;
    std::unique_ptr<testsupport::RouterSim> router_;
};

}  // namespace clitest
