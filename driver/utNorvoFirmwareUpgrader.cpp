#include "driver/utNorvoFirmwareUpgrader.h"

#include "log/SupportLog.h"

#include <chrono>

namespace {

// "GET http://192.168.0.1/ -> HTTP/1.0 200 OK, 1234 bytes", login token redacted.
void LogExchange(const TIdHTTPExchange& exchange)
{
    QString line = QString::fromStdString(exchange.Method) + QLatin1Char(' ') + RedactedUrl(exchange.Url);
    if (exchange.SentBytes > 0)
        line += QStringLiteral(" (%1 bytes)").arg(exchange.SentBytes);
    if (!exchange.StatusLine.empty())
        line += QStringLiteral(" -> %1, %2 bytes")
                    .arg(QString::fromLatin1(exchange.StatusLine.c_str()))
                    .arg(exchange.ReceivedBytes);
    if (!exchange.Error.empty())
        line += QStringLiteral(" -> failed: ") + QString::fromLocal8Bit(exchange.Error.c_str());
    SupportLogLine(lcHttp(), line);
}

}  // namespace

TNorvoFirmwareUpgrader::TNorvoFirmwareUpgrader(IUpgraderView& form)
    : FForm(form), FHTTP(std::make_unique<TIdHTTP>()), FClock([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now().time_since_epoch())
              .count();
      })
{
    WireActions();
    FHTTP->ProtocolVersion = TIdHTTPProtocolVersion::pv1_0;
    FHTTP->AllowCookies = true;
    FHTTP->HandleRedirects = false;
    FHTTP->OnExchange = LogExchange;
}

TNorvoFirmwareUpgrader::~TNorvoFirmwareUpgrader()
{
    // The commands outlive the driver inside the window; leave no handler
    // pointing at a destroyed object.
    FForm.SetNavigationHandlers({});
}

void TNorvoFirmwareUpgrader::WireActions()
{
    // The lambdas dispatch virtually when they run, so a concrete driver's
    // overrides are the handlers the user meets.
    FForm.SetNavigationHandlers({[this](IUpgraderAction& a) { NextUpdate(a); },
                                 [this](IUpgraderAction& a) { NextExecute(a); },
                                 [this](IUpgraderAction& a) { PreviousUpdate(a); },
                                 [this](IUpgraderAction& a) { PreviousExecute(a); }});
}

namespace {

int PageIndex(TUpgraderPage page)
{
    return static_cast<int>(page);
}

// Shows the page that many places from the active one, when there is one.
void ShowPageBeside(IUpgraderView& view, int steps)
{
    const int index = PageIndex(view.ActivePage()) + steps;
    if (index >= 0 && index < kUpgraderPageCount)
        view.ShowPage(static_cast<TUpgraderPage>(index));
}

}  // namespace

void TNorvoFirmwareUpgrader::NextUpdate(IUpgraderAction& sender)
{
    sender.SetEnabled(PageIndex(FForm.ActivePage()) < kUpgraderPageCount);
}

void TNorvoFirmwareUpgrader::NextExecute(IUpgraderAction&)
{
    ShowPageBeside(FForm, +1);
}

void TNorvoFirmwareUpgrader::PreviousUpdate(IUpgraderAction& sender)
{
    sender.SetEnabled(PageIndex(FForm.ActivePage()) > 1);
}

void TNorvoFirmwareUpgrader::PreviousExecute(IUpgraderAction&)
{
    ShowPageBeside(FForm, -1);
}

std::string TNorvoFirmwareUpgrader::GetURL() const
{
    return FForm.GetRouterURL().toStdString();
}

std::string TNorvoFirmwareUpgrader::GetPassword() const
{
    const TPasswords typed = FForm.Passwords();
    const QString configured = typed.Configuration.trimmed();
    if (!configured.isEmpty())
        return configured.toStdString();
    return typed.Express.trimmed().toStdString();
}
