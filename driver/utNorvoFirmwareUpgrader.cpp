#include "driver/utNorvoFirmwareUpgrader.h"

#include "log/SupportLog.h"
#include "wizard/fmMain.h"

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

TNorvoFirmwareUpgrader::TNorvoFirmwareUpgrader(TfrmMain& form)
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
    // The actions outlive the driver inside the window; leave no handler
    // pointing at a destroyed object.
    FForm.actNext.OnUpdate = nullptr;
    FForm.actNext.OnExecute = nullptr;
    FForm.actPrevious.OnUpdate = nullptr;
    FForm.actPrevious.OnExecute = nullptr;
}

void TNorvoFirmwareUpgrader::WireActions()
{
    // The lambdas dispatch virtually when they run, so a concrete driver's
    // overrides are the handlers the user meets.
    FForm.actNext.OnUpdate = [this](TAction& a) { NextUpdate(a); };
    FForm.actNext.OnExecute = [this](TAction& a) { NextExecute(a); };
    FForm.actPrevious.OnUpdate = [this](TAction& a) { PreviousUpdate(a); };
    FForm.actPrevious.OnExecute = [this](TAction& a) { PreviousExecute(a); };
}

void TNorvoFirmwareUpgrader::NextUpdate(TAction& sender)
{
    sender.SetEnabled(FForm.pcCards->currentIndex() < FForm.pcCards->count());
}

void TNorvoFirmwareUpgrader::NextExecute(TAction&)
{
    FForm.ShowPage(FForm.pcCards->widget(FForm.pcCards->currentIndex() + 1));
}

void TNorvoFirmwareUpgrader::PreviousUpdate(TAction& sender)
{
    sender.SetEnabled(FForm.pcCards->currentIndex() > 1);
}

void TNorvoFirmwareUpgrader::PreviousExecute(TAction&)
{
    FForm.ShowPage(FForm.pcCards->widget(FForm.pcCards->currentIndex() - 1));
}

std::string TNorvoFirmwareUpgrader::GetURL() const
{
    return FForm.GetRouterURL().toStdString();
}

std::string TNorvoFirmwareUpgrader::GetPassword() const
{
    const QString configured = FForm.edPassword->text().trimmed();
    if (!configured.isEmpty())
        return configured.toStdString();
    return FForm.edExpressAdminPassword->text().trimmed().toStdString();
}
