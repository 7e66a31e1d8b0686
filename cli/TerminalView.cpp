#include "cli/TerminalView.h"

#include "driver/ShownText.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "log/SupportLog.h"
#include "net/GatewayChoice.h"
#include "resources/ProductProfile.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

TTerminalView::TTerminalView(TTerminalOutput output, IAdapterQuery& adapters, bool quiet)
    : output_(std::move(output)), adapters_(adapters), quiet_(quiet)
{
}

void TTerminalView::FixRouter(const QString& hostAndPort)
{
    fixedRouter_ = hostAndPort;
    address_ = hostAndPort;
    if (driver_)
        driver_->SetRouterURL(QStringLiteral("http://") + hostAndPort);
}

void TTerminalView::GetDefaultGateway(TGatewayUpdate update)
{
    // A router named on the command line stays the router, also when it
    // comes back from a restart: nothing is looked up.
    if (fixedRouter_) {
        FixRouter(*fixedRouter_);
        return;
    }
    const QString found = ChooseRouterAddress(ProductProfile::RouterModel, adapters_, [] {});
    SupportLogLine(lcCli(),
                   QStringLiteral("Default gateway: ") + (found.isEmpty() ? QStringLiteral("none found") : found));
    if (found.isEmpty() && update == TGatewayUpdate::KeepWhenNone)
        return;
    address_ = found;
    if (driver_)
        driver_->SetRouterURL(QStringLiteral("http://") + found);
}

std::optional<QString> TTerminalView::AskRouterPassword(const QString& text)
{
    if (!output_.AskHidden)
        return std::nullopt;
    EndOpenLine();
    return output_.AskHidden(ShownText(text));
}

bool TTerminalView::Confirm(const QString& text)
{
    if (!output_.AskYesNo)
        return false;
    EndOpenLine();
    return output_.AskYesNo(ShownText(text));
}

// ---- Status lines ---------------------------------------------------------

void TTerminalView::StartStatus(const QString& text) { ShowStatus(text); }

void TTerminalView::StepStatus(const QString& text) { ShowStatus(text); }

void TTerminalView::BeginBusyStatus(const QString& text)
{
    if (!text.isNull())
        ShowStatus(text);
}

void TTerminalView::ShowStatus(const QString& text)
{
    if (text == status_) {
        ShowProgress();
        return;
    }
    SupportLogLine(lcCli(), QStringLiteral("Status: ") + text);
    EndOpenLine();
    status_ = text;
    statusTime_ = output_.TimeOfDay ? output_.TimeOfDay() : QString();
    statusSince_ = output_.Clock ? output_.Clock() : 0;
    shownSeconds_ = 0;
    if (quiet_)
        return;
    if (output_.OutIsTerminal) {
        // Left open for the progress figure that a long step adds to it.
        output_.Out(StatusLine());
        lineOpen_ = true;
    } else {
        output_.Out(StatusLine() + QLatin1Char('\n'));
    }
}

QString TTerminalView::StatusLine() const
{
    // The log has the driver's English; the terminal the user's language.
    const QString shown = ShownText(status_);
    QString line = statusTime_.isEmpty() ? shown : statusTime_ + QLatin1Char(' ') + shown;
    if (shownSeconds_ > 0)
        line += QStringLiteral(" %1 s").arg(shownSeconds_);
    return line;
}

// The seconds the status text has been shown, rewritten on its line while
// a transfer or a restart wait goes on. Only a terminal gets it: elsewhere
// the carriage returns would end up in a file.
void TTerminalView::ShowProgress()
{
    if (quiet_ || !output_.OutIsTerminal || !lineOpen_ || !output_.Clock)
        return;
    const int seconds = static_cast<int>((output_.Clock() - statusSince_) / 1000);
    if (seconds <= shownSeconds_)
        return;
    shownSeconds_ = seconds;
    output_.Out(QLatin1Char('\r') + StatusLine());
}

void TTerminalView::EndOpenLine()
{
    if (!lineOpen_)
        return;
    output_.Out(QStringLiteral("\n"));
    lineOpen_ = false;
}

void TTerminalView::PrintLine(const QString& text)
{
    EndOpenLine();
    output_.Out(ShownText(text) + QLatin1Char('\n'));
}

void TTerminalView::PrintError(const QString& text)
{
    EndOpenLine();
    output_.Err(ShownText(text) + QLatin1Char('\n'));
}

void TTerminalView::ShowOutcome(const QString& text, bool success)
{
    SupportLogLine(lcCli(),
                   (success ? QStringLiteral("Outcome (success): ") : QStringLiteral("Outcome (failure): ")) + text);
    outcome_ = text;
    outcomeSuccess_ = success;
}

// ---- Waiting --------------------------------------------------------------

void TTerminalView::Pause(int milliseconds)
{
    // The loop also delivers a signal's notifier: a request to end is
    // answered during the wait, not after it.
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [this] { ShowProgress(); });
    tick.start(1000);
    loop.exec();
    ShowProgress();
}

void TTerminalView::KeepPainted(TInput)
{
    QCoreApplication::processEvents();
    ShowProgress();
}
