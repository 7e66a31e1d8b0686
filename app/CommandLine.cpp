#include "app/CommandLine.h"

#include "app/ProgramInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

QString ProgramName() { return QString::fromLatin1(ProgramInfo::Name); }

TCommandLine UsageError(const QString& message)
{
    TCommandLine result;
    result.Run = false;
    result.ExitCode = UsageExitCode;
    result.Error = ProgramName() + QStringLiteral(": ") + message + QLatin1Char('\n') + QStringLiteral("Try '") +
                   ProgramName() + QStringLiteral(" --help' for more information.\n");
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
        QStringLiteral("Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router's web "
                       "interface.\n\nAlso takes Qt's own options, such as -platform NAME, -style NAME, "
                       "-stylesheet FILE, -geometry WxH+X+Y, -display HOST:N and -reverse."));
    // Qt's options are single words after one dash, so words are never read
    // as bundled one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // Not addHelpOption(): its --help-all would list Qt's options as this
    // program's own.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays this help and exits."));
    parser.addOption(help);
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Displays the program's name and version and exits."));
    parser.addOption(version);
    const QCommandLineOption allowPlaceholder(
        QStringLiteral("allow-placeholder-firmware"),
        QStringLiteral("Let a build without a real firmware image send and save its placeholder image. Only for "
                       "simulated routers (the demo, the end-to-end tests, the benchmark): never for a real router."));
    parser.addOption(allowPlaceholder);
    for (const TQtOption& option : kQtOptions)
        parser.addOption(QtOption(option));

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

    TCommandLine result;
    if (parser.isSet(help) || parser.isSet(version)) {
        result.Run = false;
        result.Output = parser.isSet(help) ? parser.helpText()
                                           : ProgramName() + QLatin1Char(' ') +
                                                 QString::fromLatin1(ProgramInfo::Version) + QLatin1Char('\n');
        return result;
    }
    result.Options.AllowPlaceholderFirmware = parser.isSet(allowPlaceholder);
    const QStringList platforms = parser.values(QStringLiteral("platform"));
    if (!platforms.isEmpty())
        result.Options.Platform = platforms.constLast();  // as Qt reads it: the last one counts
    return result;
}

QString NoDisplayMessage(const QString& display, const QString& waylandDisplay, const QString& platform)
{
    QString why;
    if (!platform.isEmpty()) {
        why = QStringLiteral("the window system \"%1\" could not be started").arg(platform);
    } else if (display.isEmpty() && waylandDisplay.isEmpty()) {
        why = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    } else {
        QStringList tried;
        if (!display.isEmpty())
            tried << QStringLiteral("DISPLAY=") + display;
        if (!waylandDisplay.isEmpty())
            tried << QStringLiteral("WAYLAND_DISPLAY=") + waylandDisplay;
        why = QStringLiteral("none could be reached through ") + tried.join(QStringLiteral(" or "));
    }
    return ProgramName() + QStringLiteral(": no display to show the window on (") + why +
           QStringLiteral("); start it from a desktop session.");
}
