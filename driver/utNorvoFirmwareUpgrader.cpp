#include "driver/utNorvoFirmwareUpgrader.h"

#include "wizard/fmMain.h"

TNorvoFirmwareUpgrader::TNorvoFirmwareUpgrader(TfrmMain& form)
    : FForm(form), FHTTP(std::make_unique<TIdHTTP>())
{
    WireActions();
    FHTTP->ProtocolVersion = TIdHTTPProtocolVersion::pv1_0;
    FHTTP->AllowCookies = true;
    FHTTP->HandleRedirects = false;
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
    FForm.pcCards->setCurrentIndex(FForm.pcCards->currentIndex() + 1);
}

void TNorvoFirmwareUpgrader::PreviousUpdate(TAction& sender)
{
    sender.SetEnabled(FForm.pcCards->currentIndex() > 1);
}

void TNorvoFirmwareUpgrader::PreviousExecute(TAction&)
{
    FForm.pcCards->setCurrentIndex(FForm.pcCards->currentIndex() - 1);
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
