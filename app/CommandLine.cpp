#include "app/CommandLine.h"

#include "app/ProgramInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

QString ProgramName()
{
    return QString::fromLatin1(ProgramInfo::Name);
}

TCommandLine UsageError(const QString& message)
{
    TCommandLine result;
    result.Run = false;
    result.ExitCode = UsageExitCode;
    result.Error = ProgramName() + QStringLiteral(": ") + message + QLatin1Char('\n') + QStringLiteral("Try '") +
                   ProgramName() + QStringLiteral(" --help' for more information.\n");
    return result;
}

}  // namespace

TCommandLine ParseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Upgrades the firmware of a Norvo WRX-270 router wired to this PC, over the router's web "
                       "interface."));
    // Not addHelpOption(): its --help-all lists Qt's own options, which this
    // program does not take.
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

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return UsageError(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));

    TCommandLine result;
    if (parser.isSet(help) || parser.isSet(version)) {
        result.Run = false;
        result.Output = parser.isSet(help)
                            ? parser.helpText()
                            : ProgramName() + QLatin1Char(' ') + QString::fromLatin1(ProgramInfo::Version) +
                                  QLatin1Char('\n');
        return result;
    }
    result.Options.AllowPlaceholderFirmware = parser.isSet(allowPlaceholder);
    return result;
}

bool HasDisplay(const QString& display, const QString& waylandDisplay, const QString& platform)
{
    return !display.isEmpty() || !waylandDisplay.isEmpty() || !platform.isEmpty();
}

QString NoDisplayMessage()
{
    return ProgramName() +
           QStringLiteral(": no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); start it "
                          "from a desktop session.");
}
