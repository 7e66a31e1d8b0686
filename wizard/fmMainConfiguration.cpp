// The Configuration page: the router's address, port and passwords as the
// driver reads them, the default-gateway lookup that fills the address, and
// the firmware check.
#include "wizard/fmMain.h"

#include "driver/utNorvoFirmwareUpgrader.h"
#include "log/SupportLog.h"
#include "net/GatewayChoice.h"
#include "resources/ProductProfile.h"
#include "wizard/Anchors.h"

#include <QScopedValueRollback>

namespace {

const QString GatewayStatusText = QStringLiteral("Retrieving default gateway...");

}  // namespace

QString TfrmMain::GetRouterURL() const
{
    QString url = QStringLiteral("http://") + edIPAddress->text();
    const QString port = edPort->text();
    const QString trimmedPort = port.trimmed();
    if (!trimmedPort.isEmpty() && trimmedPort != QLatin1String("80"))
        url += QLatin1Char(':') + port;
    return url;
}

void TfrmMain::SetPasswords(const TPasswords& passwords)
{
    edPassword->setText(passwords.Configuration);
    edExpressAdminPassword->setText(passwords.Express);
}

void TfrmMain::ShowFirmwareVersion(const QString& version)
{
    lblFirmwareVersion->setText(version);
    AutoSizeLabel(lblFirmwareVersion);
}

void TfrmMain::ShowSupportLink(bool visible) { Link_Label->setVisible(visible); }

void TfrmMain::GetDefaultGateway(TGatewayUpdate update)
{
    const TBusyCursor busy(FWaiting);
    const auto page = KeptPage(*FPages);
    ShowPage(tsStatus);

    StartStatus(GatewayStatusText);
    const QString found =
        ChooseRouterAddress(ProductProfile::RouterModel, *FAdapterQuery, [this] { StepStatus(GatewayStatusText); });
    StepStatus(GatewayStatusText);
    if (!found.isEmpty() || update == TGatewayUpdate::Always)
        edIPAddress->setText(found);
    SupportLogLine(lcWizard(),
                   QStringLiteral("Default gateway: ") + (found.isEmpty() ? QStringLiteral("none found") : found));
}

void TfrmMain::tsConfigurationShow()
{
    // The lookup returns to this page, which runs this rule again: that
    // return is no new showing.
    if (!GatewayLookupPending || FLookingUpGateway)
        return;
    const QScopedValueRollback<bool> running(FLookingUpGateway, true);
    GetDefaultGateway();
    GatewayLookupPending = false;  // only once a lookup returned: a failed one is tried at the next showing
}

void TfrmMain::btnCheckFirmwareClick()
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    FUpgrader->CheckFirmware();
}
