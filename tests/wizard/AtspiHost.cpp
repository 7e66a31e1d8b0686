// The window with a fake driver and a fake adapter list, shown until the
// process is ended: for looking at it from outside, as a screen reader
// does, through the desktop's accessibility bus (atspi_smoke.sh).
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    wizardtest::TTestWindow window(wizardtest::MakeFakeUpgrader, {{IfType::Ethernet, "127.0.0.1"}});
    window.Form().show();
    return application.exec();
}
