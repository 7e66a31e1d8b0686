// The command line as a user meets it: help, version, the run options, Qt's
// own options, the usual answer to anything it does not know, and the one
// line without a display.
#include "app/CommandLine.h"
#include "tests/support/Ports.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
    const char* platform = "";  // the window system asked for with -platform
    // A run without the window, and what it was given.
    TRunMode mode = TRunMode::Window;
    const char* router = "";
    const char* restoreFile = "";
    const char* passwordFile = "";
    bool quiet = false;
    bool newBackup = false;
};

void PrintTo(const CommandLineCase& c, std::ostream* os) { *os << c.name; }

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
    EXPECT_EQ(result.Options.Platform, QLatin1String(c.platform));
    EXPECT_EQ(result.Options.Mode, c.mode);
    EXPECT_EQ(result.Options.Router, QLatin1String(c.router));
    EXPECT_EQ(result.Options.RestoreFile, QLatin1String(c.restoreFile));
    EXPECT_EQ(result.Options.PasswordFile, QLatin1String(c.passwordFile));
    EXPECT_EQ(result.Options.Quiet, c.quiet);
    EXPECT_EQ(result.Options.NewBackup, c.newBackup);
}

QString Usage(const char* message)
{
    return QStringLiteral("norvo-firmware-upgrade: ") + QString::fromUtf8(message) + QLatin1Char('\n') + kTryHelp;
}

QString NoRouterAddress(const char* address)
{
    return Usage(QStringLiteral("'%1' is no router address: give an IPv4 address or a host name, optionally with "
                                ":port (1-65535).")
                     .arg(QLatin1String(address))
                     .toUtf8()
                     .constData());
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
                        {QStringLiteral("--allow-placeholder-firmware"), QStringLiteral("--help")},
                        false,
                        0,
                        kUsage,
                        {},
                        false},
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
                        false},
        // Qt's own options are left to the application object, not read as
        // bundled letters ("Unknown options: p, l, a, t, f, o, r, m.").
        CommandLineCase{"qt_platform", {"-platform", "offscreen"}, true, 0, {}, {}, false, "offscreen"},
        CommandLineCase{"qt_options_with_their_values",
                        {"--platform", "xcb", "-style", "fusion", "-stylesheet", "look.qss", "-geometry",
                         "640x480+10+10", "-display", ":1", "-qwindowtitle", "Norvo", "-reverse",
                         "--allow-placeholder-firmware", "-platform", "offscreen"},
                        true,
                        0,
                        {},
                        {},
                        true,
                        "offscreen"},
        CommandLineCase{
            "qt_style_given_with_equals", {"-style=fusion", "--stylesheet=look.qss"}, true, 0, {}, {}, false},
        CommandLineCase{"qt_option_without_its_value",
                        {"-platform"},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Missing value after '-platform'.\n") + kTryHelp,
                        false},
        CommandLineCase{"unknown_single_dash_word",
                        {"-bogus"},
                        false,
                        UsageExitCode,
                        {},
                        QStringLiteral("norvo-firmware-upgrade: Unknown option 'bogus'.\n") + kTryHelp,
                        false},
        CommandLineCase{"help_beside_a_qt_option", {"-platform", "offscreen", "-h"}, false, 0, kUsage, {}, false},
        // Runs without the window.
        CommandLineCase{"express", {"--express"}, true, 0, {}, {}, false, "", TRunMode::Express},
        CommandLineCase{"check", {"--check"}, true, 0, {}, {}, false, "", TRunMode::Check},
        CommandLineCase{
            "restore", {"--restore", "old.gws"}, true, 0, {}, {}, false, "", TRunMode::Restore, "", "old.gws"},
        CommandLineCase{"express_with_everything",
                        {"--express", "--router", "192.168.1.1:8080", "--password-file", "pw.txt", "--quiet",
                         "--new-backup", "--allow-placeholder-firmware"},
                        true,
                        0,
                        {},
                        {},
                        true,
                        "",
                        TRunMode::Express,
                        "192.168.1.1:8080",
                        "",
                        "pw.txt",
                        true,
                        true},
        CommandLineCase{"router_host_name",
                        {"--check", "--router=gw-1.lan"},
                        true,
                        0,
                        {},
                        {},
                        false,
                        "",
                        TRunMode::Check,
                        "gw-1.lan"},
        CommandLineCase{"router_highest_port",
                        {"--check", "--router", "router:65535"},
                        true,
                        0,
                        {},
                        {},
                        false,
                        "",
                        TRunMode::Check,
                        "router:65535"},
        CommandLineCase{"two_modes",
                        {"--express", "--check"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("Only one of --express, --check and --restore at a time."),
                        false},
        CommandLineCase{"router_without_a_mode",
                        {"--router", "10.0.0.1"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--router' goes with --express, --check or --restore."),
                        false},
        CommandLineCase{"password_file_without_a_mode",
                        {"--password-file", "pw"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--password-file' goes with --express, --check or --restore."),
                        false},
        CommandLineCase{"quiet_without_a_mode",
                        {"--quiet"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--quiet' goes with --express, --check or --restore."),
                        false},
        CommandLineCase{"new_backup_with_check",
                        {"--check", "--new-backup"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--new-backup' goes with --express only."),
                        false},
        CommandLineCase{"restore_without_its_file",
                        {"--restore"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("Missing value after '--restore'."),
                        false},
        CommandLineCase{"restore_with_an_empty_file",
                        {"--restore", ""},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--restore' needs a file."),
                        false},
        CommandLineCase{"router_twice",
                        {"--check", "--router", "a", "--router", "b"},
                        false,
                        UsageExitCode,
                        {},
                        Usage("'--router' given more than once."),
                        false},
        CommandLineCase{"router_octet_too_big",
                        {"--check", "--router", "192.168.1.256"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("192.168.1.256"),
                        false},
        CommandLineCase{"router_three_numbers",
                        {"--check", "--router", "10.0.1"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("10.0.1"),
                        false},
        CommandLineCase{"router_leading_zero",
                        {"--check", "--router", "010.0.0.1"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("010.0.0.1"),
                        false},
        CommandLineCase{"router_port_zero",
                        {"--check", "--router", "10.0.0.1:0"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("10.0.0.1:0"),
                        false},
        CommandLineCase{"router_port_too_big",
                        {"--check", "--router", "10.0.0.1:65536"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("10.0.0.1:65536"),
                        false},
        CommandLineCase{"router_empty_port",
                        {"--check", "--router", "10.0.0.1:"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("10.0.0.1:"),
                        false},
        CommandLineCase{"router_url",
                        {"--check", "--router", "http://10.0.0.1"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("http://10.0.0.1"),
                        false},
        CommandLineCase{"router_path",
                        {"--check", "--router", "10.0.0.1/admin"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("10.0.0.1/admin"),
                        false},
        CommandLineCase{"router_label_with_a_leading_hyphen",
                        {"--check", "--router", "-gw.lan"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("-gw.lan"),
                        false},
        CommandLineCase{"router_empty_label",
                        {"--check", "--router", "gw..lan"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("gw..lan"),
                        false},
        CommandLineCase{"router_space",
                        {"--check", "--router", "gw lan"},
                        false,
                        UsageExitCode,
                        {},
                        NoRouterAddress("gw lan"),
                        false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineHelp, ListsEveryOption)
{
    Application();
    const QString help = ParseCommandLine({QStringLiteral("norvo-firmware-upgrade"), QStringLiteral("--help")}).Output;
    for (const char* option : {"--help", "--version", "--allow-placeholder-firmware", "--express", "--check",
                               "--restore", "--router", "--password-file", "--quiet", "--new-backup"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    // Every exit status a script may meet is explained.
    for (int code = 0; code <= 9; ++code)
        EXPECT_TRUE(help.contains(QStringLiteral("\n  %1  ").arg(code))) << code;
    EXPECT_FALSE(help.contains(QLatin1String("--help-all")));  // Qt's options are not listed as the program's
    EXPECT_TRUE(help.contains(QLatin1String("-platform NAME"))) << "Qt's options are named in a sentence";
}

struct DisplayCase {
    const char* name;
    const char* display;
    const char* wayland;
    const char* platform;
    const char* why;  // the part in parentheses
};

void PrintTo(const DisplayCase& c, std::ostream* os) { *os << c.name; }

class Display : public ::testing::TestWithParam<DisplayCase> {};

// The one line names what was tried.
TEST_P(Display, MissingOneIsNamedInOneLine)
{
    const DisplayCase& c = GetParam();
    EXPECT_EQ(NoDisplayMessage(QString::fromLatin1(c.display), QString::fromLatin1(c.wayland),
                               QString::fromLatin1(c.platform)),
              QStringLiteral("norvo-firmware-upgrade: no display to show the window on (%1); start it from a desktop "
                             "session.")
                  .arg(QLatin1String(c.why)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Display,
    ::testing::Values(
        DisplayCase{"none", "", "", "", "neither DISPLAY nor WAYLAND_DISPLAY is set"},
        DisplayCase{"x11", ":93", "", "", "none could be reached through DISPLAY=:93"},
        DisplayCase{"wayland", "", "wayland-0", "", "none could be reached through WAYLAND_DISPLAY=wayland-0"},
        DisplayCase{"both", ":93", "wayland-0", "",
                    "none could be reached through DISPLAY=:93 or WAYLAND_DISPLAY=wayland-0"},
        DisplayCase{"platform_chosen", ":0", "", "bogus", "the window system \"bogus\" could not be started"}),
    [](const auto& info) { return std::string(info.param.name); });

// The program itself, started where no window can open: no display set (as
// over SSH), a DISPLAY no server answers, only WAYLAND_DISPLAY in a build
// without the Wayland plugin, a window system Qt does not have. Qt is left to
// try; its failure comes out as the one line, never as its abort (exit 134).
struct StartCase {
    const char* name;
    QStringList arguments;
    const char* display;  // nullptr: unset; "FREE": an X display number no server holds
    const char* wayland;  // nullptr: unset
    int exitCode;
    const char* standardOutputStart;
    const char* standardError;  // "{DISPLAY}" stands for the display used
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

// ":N" for the first N from 93 up whose X server socket does not exist.
QString FreeDisplay()
{
    int number = 93;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    return QStringLiteral(":%1").arg(number);
}

class ProgramWithoutDisplay : public ::testing::TestWithParam<StartCase> {};

TEST_P(ProgramWithoutDisplay, AnswersWithoutQtsAbort)
{
    const StartCase& c = GetParam();
    Application();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
        environment.remove(QLatin1String(name));
    const QString display = FreeDisplay();
    if (c.display)
        environment.insert(QStringLiteral("DISPLAY"), qstrcmp(c.display, "FREE") == 0 ? display : c.display);
    if (c.wayland)
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QLatin1String(c.wayland));
    // The user's folders of this test only: a run writes its support log there.
    QTemporaryDir folders;
    ASSERT_TRUE(folders.isValid());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folders.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folders.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folders.path());
    QProcess program;
    program.setProcessEnvironment(environment);
    QStringList arguments = c.arguments;
    arguments.replaceInStrings(QStringLiteral("{CLOSED}"), QString::number(testsupport::ClosedPort()));
    program.start(QStringLiteral(NORVO_PROGRAM_FILE), arguments);
    // A run reads its password from standard input: here an empty line.
    program.write("\n");
    program.closeWriteChannel();
    ASSERT_TRUE(program.waitForFinished(30000));

    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.exitCode);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith(c.standardOutputStart));
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()),
              QString::fromLatin1(c.standardError).replace(QLatin1String("{DISPLAY}"), display));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgramWithoutDisplay,
    ::testing::Values(
        StartCase{"window_needs_a_display",
                  {},
                  nullptr,
                  nullptr,
                  1,
                  "",
                  "norvo-firmware-upgrade: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
                  "set); start it from a desktop session.\n"},
        StartCase{"display_no_server_answers",
                  {},
                  "FREE",
                  nullptr,
                  1,
                  "",
                  "norvo-firmware-upgrade: no display to show the window on (none could be reached through "
                  "DISPLAY={DISPLAY}); start it from a desktop session.\n"},
        StartCase{"wayland_only",
                  {},
                  nullptr,
                  "wayland-93",
                  1,
                  "",
                  "norvo-firmware-upgrade: no display to show the window on (none could be reached through "
                  "WAYLAND_DISPLAY=wayland-93); start it from a desktop session.\n"},
        StartCase{"window_system_qt_does_not_have",
                  {QStringLiteral("-platform"), QStringLiteral("bogus")},
                  "FREE",
                  nullptr,
                  1,
                  "",
                  "norvo-firmware-upgrade: no display to show the window on (the window system \"bogus\" could not "
                  "be started); start it from a desktop session.\n"},
        StartCase{
            "version_needs_none", {QStringLiteral("--version")}, nullptr, nullptr, 0, "norvo-firmware-upgrade ", ""},
        StartCase{"help_needs_none", {QStringLiteral("--help")}, nullptr, nullptr, 0, "Usage: ", ""},
        // A command-line run opens no window: no display is asked for.
        StartCase{"check_needs_none",
                  {QStringLiteral("--check"), QStringLiteral("--router"), QStringLiteral("127.0.0.1:{CLOSED}")},
                  nullptr,
                  nullptr,
                  3,
                  "Error logging into router.",
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Writing to a reader that has gone: the program's answer is lost, but the
// program ends as it would have, not by SIGPIPE.
struct ClosedPipeCase {
    const char* name;
    const char* argument;
    int stream;  // the standard stream whose reader has gone
    int exitCode;
};

void PrintTo(const ClosedPipeCase& c, std::ostream* os) { *os << c.name; }

class ProgramWritingToAClosedPipe : public ::testing::TestWithParam<ClosedPipeCase> {};

TEST_P(ProgramWritingToAClosedPipe, EndsAsUsual)
{
    const ClosedPipeCase& c = GetParam();
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ::close(fds[0]);  // nobody reads
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], c.stream);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    // The child starts with SIGPIPE's default action, whatever the test runner has.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    char program[] = NORVO_PROGRAM_FILE;
    std::string argument = c.argument;
    char* argv[] = {program, argument.data(), nullptr};
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program, &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(fds[1]);
    ASSERT_EQ(spawned, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), c.exitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramWritingToAClosedPipe,
                         ::testing::Values(ClosedPipeCase{"version_to_standard_output", "--version", 1, 0},
                                           ClosedPipeCase{"usage_error_to_standard_error", "--bogus", 2,
                                                          UsageExitCode}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
