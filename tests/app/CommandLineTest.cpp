// The command line as a user meets it: help, version, the run options, and
// the usual answer to anything it does not know.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

#include <ostream>

namespace {

QCoreApplication& Application()
{
    static int argc = 1;
    static char name[] = "norvo-firmware-upgrade";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* application = new QCoreApplication(argc, argv);  // lives until the process ends
    return *application;
}

const QString kTryHelp = QStringLiteral("Try 'norvo-firmware-upgrade --help' for more information.\n");

struct CommandLineCase {
    const char* name;
    QStringList arguments;  // after the program's name
    bool run;
    int exitCode;
    QString output;  // expected standard output, or a part of it for help
    QString error;
    bool allowPlaceholder;
};

void PrintTo(const CommandLineCase& c, std::ostream* os)
{
    *os << c.name;
}

class CommandLine : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLine, AnswersAsExpected)
{
    const CommandLineCase& c = GetParam();
    Application();
    const TCommandLine result = ParseCommandLine(QStringList{QStringLiteral("norvo-firmware-upgrade")} + c.arguments);

    EXPECT_EQ(result.Run, c.run);
    EXPECT_EQ(result.ExitCode, c.exitCode);
    if (c.output.startsWith(QLatin1String("Usage:")))
        EXPECT_TRUE(result.Output.startsWith(c.output)) << result.Output.toStdString();
    else
        EXPECT_EQ(result.Output, c.output);
    EXPECT_EQ(result.Error, c.error);
    EXPECT_EQ(result.Options.AllowPlaceholderFirmware, c.allowPlaceholder);
}

const QString kVersion = QStringLiteral("norvo-firmware-upgrade " NORVO_EXPECTED_VERSION "\n");
const QString kUsage = QStringLiteral("Usage: norvo-firmware-upgrade [options]\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLine,
    ::testing::Values(
        CommandLineCase{"nothing_runs_the_window", {}, true, 0, {}, {}, false},
        CommandLineCase{"help", {QStringLiteral("--help")}, false, 0, kUsage, {}, false},
        CommandLineCase{"short_help", {QStringLiteral("-h")}, false, 0, kUsage, {}, false},
        CommandLineCase{"version", {QStringLiteral("--version")}, false, 0, kVersion, {}, false},
        CommandLineCase{"short_version", {QStringLiteral("-v")}, false, 0, kVersion, {}, false},
        CommandLineCase{"help_wins_over_a_run_option",
                        {QStringLiteral("--allow-placeholder-firmware"), QStringLiteral("--help")}, false, 0, kUsage,
                        {}, false},
        CommandLineCase{"unknown_option",
                        {QStringLiteral("--bogus")},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Unknown option 'bogus'.\n") + kTryHelp,
                        false},
        CommandLineCase{"unknown_option_beside_a_known_one",
                        {QStringLiteral("--allow-placeholder-firmware"), QStringLiteral("-x")},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Unknown option 'x'.\n") + kTryHelp,
                        false},
        CommandLineCase{"argument_the_program_does_not_take",
                        {QStringLiteral("router.bin")},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Unexpected argument 'router.bin'.\n") + kTryHelp,
                        false},
        CommandLineCase{"placeholder_option", {QStringLiteral("--allow-placeholder-firmware")}, true, 0, {}, {}, true},
        CommandLineCase{"placeholder_option_takes_no_value",
                        {QStringLiteral("--allow-placeholder-firmware=yes")},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Unexpected value after "
                                       "'--allow-placeholder-firmware'.\n") +
                            kTryHelp,
                        false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineHelp, ListsEveryOption)
{
    Application();
    const QString help = ParseCommandLine({QStringLiteral("norvo-firmware-upgrade"), QStringLiteral("--help")}).Output;
    for (const char* option : {"--help", "--version", "--allow-placeholder-firmware"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_FALSE(help.contains(QLatin1String("--help-all")));  // Qt's own options are not taken
}

struct DisplayCase {
    const char* name;
    const char* display;
    const char* wayland;
    const char* platform;
    bool has;
};

void PrintTo(const DisplayCase& c, std::ostream* os)
{
    *os << c.name;
}

class Display : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(Display, IsFoundFromTheEnvironment)
{
    const DisplayCase& c = GetParam();
    EXPECT_EQ(HasDisplay(QString::fromLatin1(c.display), QString::fromLatin1(c.wayland), QString::fromLatin1(c.platform)),
              c.has);
}

INSTANTIATE_TEST_SUITE_P(Cases, Display,
                         ::testing::Values(DisplayCase{"none", "", "", "", false},
                                           DisplayCase{"x11", ":0", "", "", true},
                                           DisplayCase{"wayland", "", "wayland-0", "", true},
                                           DisplayCase{"platform_chosen", "", "", "offscreen", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// The program itself, started without a display (as over SSH).
struct StartCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* standardOutputStart;
    const char* standardError;
};

void PrintTo(const StartCase& c, std::ostream* os)
{
    *os << c.name;
}

class ProgramWithoutDisplay : public ::testing::TestWithParam<StartCase> {};

TEST_P(ProgramWithoutDisplay, AnswersWithoutQtsAbort)
{
    const StartCase& c = GetParam();
    Application();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NORVO_PROGRAM_FILE), c.arguments);
    ASSERT_TRUE(program.waitForFinished(30000));

    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.exitCode);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith(c.standardOutputStart));
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()), QString::fromLatin1(c.standardError));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramWithoutDisplay,
    ::testing::Values(
        StartCase{"window_needs_a_display",
                  {},
                  1,
                  "",
                  "norvo-firmware-upgrade: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                  "set); start it from a desktop session.\n"},
        StartCase{"version_needs_none", {QStringLiteral("--version")}, 0, "norvo-firmware-upgrade ", ""},
        StartCase{"help_needs_none", {QStringLiteral("--help")}, 0, "Usage: ", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
