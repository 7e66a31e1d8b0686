// User input that can change pages through the tab bar or the page control:
// with the tabs shown it moves to the neighbouring page and applies the tab
// rule; with the tabs hidden it changes nothing.
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

using namespace wizardtest;

namespace {

void KeyOnPage(TfrmMain& form, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(form.pcCards->currentWidget(), key, modifiers);  // travels up to the page control
}

void Wheel(TfrmMain& form, int delta)
{
    QTabBar* tabs = form.pcCards->tabBar();
    const QPointF at(tabs->rect().center());
    QWheelEvent wheel(at, tabs->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(tabs, &wheel);
}

struct TTabInput {
    const char* Name;
    std::function<void(TfrmMain&)> Send;
    int Step;  // pages moved with the tabs shown; 0: the toolkit binds nothing to it
};

void PrintTo(const TTabInput& c, std::ostream* os) { *os << c.Name; }

const TTabInput Inputs[] = {
    {"CtrlTab", [](TfrmMain& f) { KeyOnPage(f, Qt::Key_Tab, Qt::ControlModifier); }, +1},
    {"CtrlShiftTab", [](TfrmMain& f) { KeyOnPage(f, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, -1},
    {"CtrlPageDown", [](TfrmMain& f) { KeyOnPage(f, Qt::Key_PageDown, Qt::ControlModifier); }, 0},
    {"CtrlPageUp", [](TfrmMain& f) { KeyOnPage(f, Qt::Key_PageUp, Qt::ControlModifier); }, 0},
    {"RightOnTabBar", [](TfrmMain& f) { QTest::keyClick(f.pcCards->tabBar(), Qt::Key_Right); }, +1},
    {"LeftOnTabBar", [](TfrmMain& f) { QTest::keyClick(f.pcCards->tabBar(), Qt::Key_Left); }, -1},
    {"WheelDown", [](TfrmMain& f) { Wheel(f, -120); }, +1},
    {"WheelUp", [](TfrmMain& f) { Wheel(f, 120); }, -1},
};

class TabInput : public ::testing::TestWithParam<TTabInput> {
protected:
    void SetUp() override { window = MakeTestWindow(MakeFakeUpgrader); }
    TfrmMain& form() { return window->Form(); }
    std::unique_ptr<TTestWindow> window;
};

TEST_P(TabInput, WithTabsShownMovesAndAppliesTheTabRule)
{
    form().SetTabsVisible(true);
    form().ShowPage(form().tsSaveSettings);
    QApplication::processEvents();
    form().btnNext->hide();
    form().btnCancel->setText("&Close");
    const int lookups = window->Adapters->Calls;

    GetParam().Send(form());

    QWidget* expected = form().pcCards->widget(form().pcCards->indexOf(form().tsSaveSettings) + GetParam().Step);
    EXPECT_EQ(form().pcCards->currentWidget(), expected);
    const bool moved = GetParam().Step != 0;
    EXPECT_EQ(form().btnNext->isVisible(), moved) << "the tab rule ran";
    EXPECT_EQ(form().btnCancel->text(), moved ? "&Cancel" : "&Close");
    EXPECT_EQ(window->Adapters->Calls, lookups + (expected == form().tsConfiguration ? 1 : 0))
        << "the page's show rule ran once";
    EXPECT_TRUE(window->Seams.Errors.empty());
}

TEST_P(TabInput, WithTabsHiddenChangesNothing)
{
    for (QWidget* start : {form().tsUpgradeType, form().tsStatus, form().tsOutcome}) {
        form().ShowPage(start);
        form().btnCancel->setText("kept");
        const int lookups = window->Adapters->Calls;

        GetParam().Send(form());

        EXPECT_EQ(form().pcCards->currentWidget(), start) << start->objectName().toStdString();
        EXPECT_TRUE(start->isVisible()) << start->objectName().toStdString();
        EXPECT_EQ(form().btnCancel->text(), "kept");
        EXPECT_EQ(window->Adapters->Calls, lookups) << "no Configuration page was shown on the way";
    }
    EXPECT_TRUE(window->Seams.Errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Inputs, TabInput, ::testing::ValuesIn(Inputs),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
