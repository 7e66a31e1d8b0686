#include "app/CommandLine.h"

#include "app/ProgramInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

// The context of the command line's texts in the translations.
struct TCommandLineTexts {
    Q_DECLARE_TR_FUNCTIONS(CommandLine)
};

QString ProgramName() { return QString::fromLatin1(ProgramInfo::Name); }

TCommandLine UsageError(const QString& message)
{
    TCommandLine result;
    result.Run = false;
    result.ExitCode = UsageExitCode;
    result.Error = ProgramName() + QStringLiteral(": ") + message + QLatin1Char('\n') +
                   TCommandLineTexts::tr("Try '%1 --help' for more information.").arg(ProgramName()) +
                   QLatin1Char('\n');
    return result;
}

// The options QApplication and its X11 window system take out of the
// arguments before the program sees them; the value follows as the next
// argument. Not listed in --help.
struct TQtOption {
    const char* name;
    bool takesValue;
};
constexpr TQtOption kQtOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowtitle", true},
    {"qwindowicon", true},     {"geometry", true},
    {"title", true},           {"icon", true},
    {"display", true},         {"name", true},
    {"visual", true},          {"style", true},
    {"stylesheet", true},      {"session", true},
    {"reverse", false},        {"widgetcount", false},
    {"testability", false},    {"nograb", false},
    {"dograb", false},
};

bool IsIPv4Number(const QString& part)
{
    if (part.isEmpty() || part.size() > 3 || (part.size() > 1 && part.startsWith(QLatin1Char('0'))))
        return false;
    bool ok = false;
    const int value = part.toInt(&ok);
    return ok && value <= 255;
}

bool IsHostLabel(const QString& label)
{
    if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-')) || label.endsWith(QLatin1Char('-')))
        return false;
    for (const QChar c : label)
        if (!(c.isDigit() || (c.unicode() < 128 && c.isLetter()) || c == QLatin1Char('-')))
            return false;
    return true;
}

bool IsAllDigits(const QString& text)
{
    for (const QChar c : text)
        if (!(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    return !text.isEmpty();
}

bool IsHost(const QString& host)
{
    if (host.isEmpty() || host.size() > 253)
        return false;
    const QStringList labels = host.split(QLatin1Char('.'));
    // A name whose last label is a number would be read as an address.
    if (IsAllDigits(labels.constLast())) {
        if (labels.size() != 4)
            return false;
        for (const QString& part : labels)
            if (!IsIPv4Number(part))
                return false;
        return true;
    }
    for (const QString& label : labels)
        if (!IsHostLabel(label))
            return false;
    return true;
}

QString ExitStatusHelp()
{
    return TCommandLineTexts::tr(
        "\nExit status of --express, --check and --restore:\n"
        "  0  upgraded and verified, already current, the version read, or the settings restored\n"
        "  1  the program cannot run, or the run failed before anything on the router changed\n"
        "  2  unknown option or argument\n"
        "  3  cannot log in to the router; nothing on it changed\n"
        "  4  the run failed after the router was changed: the settings backup is kept (its path is printed)\n"
        "  5  upgraded, but no password proves that the router took its settings back: the backup is kept\n"
        "  6  the firmware image in this program is missing or damaged\n"
        "  7  no router found: this PC has no default gateway (name one with --router)\n"
        "  8  another run of this program is changing a router from this PC\n"
        "  9  a settings backup of this router is still pending (restore it, or use --new-backup)\n"
        "\nThe password is never given on the command line: --password-file FILE (its first line; the file may be\n"
        "readable by you alone), else standard input when it is not a terminal, else it is asked for on the\n"
        "terminal without echo. An empty line is an empty password.\n");
}

QCommandLineOption QtOption(const TQtOption& option)
{
    QCommandLineOption result(QString::fromLatin1(option.name));
    if (option.takesValue)
        result.setValueName(QStringLiteral("value"));
    result.setFlags(QCommandLineOption::HiddenFromHelp);
    return result;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        TCommandLineTexts::tr("Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router's web "
                              "interface.\n\nAlso takes Qt's own options, such as -platform NAME, -style NAME, "
                              "-stylesheet FILE, -geometry WxH+X+Y, -display HOST:N and -reverse."));
    // Qt's options are single words after one dash, so words are never read
    // as bundled one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all would list Qt's options as this
    // program's own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  TCommandLineTexts::tr("Displays this help and exits."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     TCommandLineTexts::tr("Displays the program's name and version and exits."));
    parser.addOption(version);
    const QCommandLineOption allowPlaceholder(
        QStringLiteral("allow-placeholder-firmware"),
        TCommandLineTexts::tr(
            "Let a build without a real firmware image send and save its placeholder image. Only for "
            "simulated routers (the demo, the end-to-end tests, the benchmark): never for a real router."));
    parser.addOption(allowPlaceholder);
    const QCommandLineOption express(QStringLiteral("express"),
                                     TCommandLineTexts::tr("Upgrade the router's firmware without the window: save its "
                                                           "settings, upgrade, restore the settings, verify."));
    parser.addOption(express);
    const QCommandLineOption check(QStringLiteral("check"),
                                   TCommandLineTexts::tr("Log in to the router and print its firmware version."));
    parser.addOption(check);
    const QCommandLineOption restore(QStringLiteral("restore"),
                                     TCommandLineTexts::tr("Restore the router's settings from FILE and restart it."),
                                     QStringLiteral("FILE"));
    parser.addOption(restore);
    const QCommandLineOption router(
        QStringLiteral("router"),
        TCommandLineTexts::tr(
            "The router's address (IPv4 address or host name, optionally :port) instead of the default "
            "gateway; kept while the router restarts."),
        QStringLiteral("ADDRESS"));
    parser.addOption(router);
    const QCommandLineOption passwordFile(
        QStringLiteral("password-file"),
        TCommandLineTexts::tr("Read the router's password from the first line of FILE (readable by you alone)."),
        QStringLiteral("FILE"));
    parser.addOption(passwordFile);
    const QCommandLineOption quiet(QStringLiteral("quiet"), TCommandLineTexts::tr("Print only the outcome."));
    parser.addOption(quiet);
    const QCommandLineOption newBackup(
        QStringLiteral("new-backup"),
        TCommandLineTexts::tr(
            "Upgrade also when a settings backup of this router from an earlier run is still pending."));
    parser.addOption(newBackup);
    for (const TQtOption& option : kQtOptions)
        parser.addOption(QtOption(option));

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(
            TCommandLineTexts::tr("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

    TCommandLine result;
    if (parser.isSet(help) || parser.isSet(version)) {
        result.Run = false;
        result.Output = parser.isSet(help) ? parser.helpText() + ExitStatusHelp()
                                           : ProgramName() + QLatin1Char(' ') +
                                                 QString::fromLatin1(ProgramInfo::Version) + QLatin1Char('\n');
        return result;
    }
    result.Options.AllowPlaceholderFirmware = parser.isSet(allowPlaceholder);

    const int modes = int(parser.isSet(express)) + int(parser.isSet(check)) + int(parser.isSet(restore));
    if (modes > 1)
        return UsageError(TCommandLineTexts::tr("Only one of --express, --check and --restore at a time."));
    for (const QCommandLineOption* option : {&restore, &router, &passwordFile})
        if (parser.values(*option).size() > 1)
            return UsageError(TCommandLineTexts::tr("'--%1' given more than once.").arg(option->names().constFirst()));
    if (modes == 0) {
        for (const QCommandLineOption* option : {&router, &passwordFile, &quiet, &newBackup})
            if (parser.isSet(*option))
                return UsageError(TCommandLineTexts::tr("'--%1' goes with --express, --check or --restore.")
                                      .arg(option->names().constFirst()));
    }
    if (parser.isSet(newBackup) && !parser.isSet(express))
        return UsageError(TCommandLineTexts::tr("'--new-backup' goes with --express only."));
    if (parser.isSet(express))
        result.Options.Mode = TRunMode::Express;
    else if (parser.isSet(check))
        result.Options.Mode = TRunMode::Check;
    else if (parser.isSet(restore))
        result.Options.Mode = TRunMode::Restore;
    result.Options.RestoreFile = parser.value(restore);
    if (parser.isSet(restore) && result.Options.RestoreFile.isEmpty())
        return UsageError(TCommandLineTexts::tr("'--restore' needs a file."));
    result.Options.Router = parser.value(router);
    if (parser.isSet(router) && !IsRouterAddress(result.Options.Router))
        return UsageError(TCommandLineTexts::tr(
                              "'%1' is no router address: give an IPv4 address or a host name, optionally with :port "
                              "(1-65535).")
                              .arg(result.Options.Router));
    result.Options.PasswordFile = parser.value(passwordFile);
    if (parser.isSet(passwordFile) && result.Options.PasswordFile.isEmpty())
        return UsageError(TCommandLineTexts::tr("'--password-file' needs a file."));
    result.Options.Quiet = parser.isSet(quiet);
    result.Options.NewBackup = parser.isSet(newBackup);
    const QStringList platforms = parser.values(QStringLiteral("platform"));
    if (!platforms.isEmpty())
        result.Options.Platform = platforms.constLast();  // as Qt reads it: the last one counts
    return result;
}

bool IsRouterAddress(const QString& text)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return IsHost(text);
    const QString port = text.mid(colon + 1);
    if (!IsAllDigits(port) || port.size() > 5 || port.startsWith(QLatin1Char('0')))
        return false;
    const int number = port.toInt();
    return number >= 1 && number <= 65535 && IsHost(text.left(colon));
}

QString NoDisplayMessage(const QString& display, const QString& waylandDisplay, const QString& platform)
{
    QString why;
    if (!platform.isEmpty()) {
        why = TCommandLineTexts::tr("the window system \"%1\" could not be started").arg(platform);
    } else if (display.isEmpty() && waylandDisplay.isEmpty()) {
        why = TCommandLineTexts::tr("neither DISPLAY nor WAYLAND_DISPLAY is set");
    } else {
        QStringList tried;
        if (!display.isEmpty())
            tried << QStringLiteral("DISPLAY=") + display;
        if (!waylandDisplay.isEmpty())
            tried << QStringLiteral("WAYLAND_DISPLAY=") + waylandDisplay;
        why = TCommandLineTexts::tr("none could be reached through %1").arg(tried.join(TCommandLineTexts::tr(" or ")));
    }
    return TCommandLineTexts::tr("%1: no display to show the window on (%2); start it from a desktop session.")
        .arg(ProgramName(), why);
}
