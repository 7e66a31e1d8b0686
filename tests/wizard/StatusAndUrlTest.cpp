// The status display's progress steps and the router's base URL.
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

using namespace wizardtest;

namespace {

TEST(Status, FirstStepWithoutStartMovesByOneAndShowsTheText)
{
    auto window = MakeTestWindow(MakeFakeUpgrader, {}, /*show=*/false);
    TfrmMain& form = window->Form();
    ASSERT_EQ(form.ProgressBar1->value(), 0);
    form.StepStatus("Saving router settings...");
    EXPECT_EQ(form.ProgressBar1->value(), 1);
    EXPECT_EQ(form.lblStatus->text(), "Saving router settings...");
    EXPECT_GE(form.lblStatus->width(), form.lblStatus->sizeHint().width()) << "the label fits its text";
}

TEST(Status, WrapsPastTheMaximumAndNeverResetsBetweenOperations)
{
    auto window = MakeTestWindow(MakeFakeUpgrader, {}, /*show=*/false);
    TfrmMain& form = window->Form();
    form.StartStatus("one");
    for (int i = 0; i < 60; ++i)
        form.StepStatus("one");
    form.StartStatus("two");  // a new operation keeps the position
    EXPECT_EQ(form.ProgressBar1->value(), 60);
    for (int i = 0; i < 40; ++i)
        form.StepStatus("two");
    EXPECT_EQ(form.ProgressBar1->value(), 100);
    form.StepStatus("two");
    EXPECT_EQ(form.ProgressBar1->value(), 0);
    form.StepStatus("two");
    EXPECT_EQ(form.ProgressBar1->value(), 1);
}

TEST(Status, ProcessesPendingEvents)
{
    auto window = MakeTestWindow(MakeFakeUpgrader, {}, /*show=*/false);
    bool ran = false;
    QMetaObject::invokeMethod(
        &window->Form(), [&] { ran = true; }, Qt::QueuedConnection);
    window->Form().StartStatus("x");
    EXPECT_TRUE(ran);
    ran = false;
    QMetaObject::invokeMethod(
        &window->Form(), [&] { ran = true; }, Qt::QueuedConnection);
    window->Form().StepStatus("x");
    EXPECT_TRUE(ran);
}

TEST(RouterUrl, PortRule)
{
    struct TCase {
        const char* Address;
        const char* Port;
        const char* Url;
    };
    const TCase cases[] = {
        {"192.168.0.1", "80", "http://192.168.0.1"},
        {"192.168.0.1", "8080", "http://192.168.0.1:8080"},
        {"192.168.0.1", "", "http://192.168.0.1"},
        {"192.168.0.1", "   ", "http://192.168.0.1"},
        {"192.168.0.1", " 80", "http://192.168.0.1"},
        {"192.168.0.1", "80 ", "http://192.168.0.1"},
        {"192.168.0.1", "8080 ", "http://192.168.0.1:8080 "},
        {"192.168.0.1", "080", "http://192.168.0.1:080"},
        {" 10.0.0.1 ", "80", "http:// 10.0.0.1 "},
        {"", "80", "http://"},
    };
    auto window = MakeTestWindow(MakeFakeUpgrader, {}, /*show=*/false);
    TfrmMain& form = window->Form();
    EXPECT_EQ(form.edPort->text(), "80");
    for (const TCase& c : cases) {
        form.edIPAddress->setText(c.Address);
        form.edPort->setText(c.Port);
        EXPECT_EQ(form.GetRouterURL(), c.Url) << '"' << c.Address << "\" \"" << c.Port << '"';
    }
}

}  // namespace
