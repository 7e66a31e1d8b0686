// What the user gives the window reaches the driver as values, at once and
// whenever it changes (the address, the passwords, the page shown): the
// driver keeps them and never reads the window back.
#include "driver/utNorvoFirmwareUpgrader.h"
#include "wizard/fmMain.h"

void TfrmMain::HandInputsToDriver()
{
    const auto handAddress = [this] {
        if (FUpgrader)
            FUpgrader->SetRouterURL(GetRouterURL());
    };
    const auto handPasswords = [this] {
        if (FUpgrader)
            FUpgrader->SetTypedPasswords({edPassword->text(), edExpressAdminPassword->text()});
    };
    // textChanged, not textEdited: the lookup's address and the boxes the
    // driver empties and refills count as well as what the user types.
    connect(edIPAddress, &QLineEdit::textChanged, this, handAddress);
    connect(edPort, &QLineEdit::textChanged, this, handAddress);
    connect(edPassword, &QLineEdit::textChanged, this, handPasswords);
    connect(edExpressAdminPassword, &QLineEdit::textChanged, this, handPasswords);
    handAddress();
    handPasswords();
    HandShownPageToDriver();
}

void TfrmMain::HandShownPageToDriver()
{
    if (!FUpgrader || !FPages)
        return;
    const TUpgraderPage page = FPages->ActivePage();
    FUpgrader->SetShownPage({page, FPages->ReturnPage(page)});
}
