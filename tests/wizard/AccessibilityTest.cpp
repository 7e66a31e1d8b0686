// What a screen reader gets from the window: a name and a description for
// every control on every page, the events it speaks from when the status or
// the outcome changes, readable message boxes, and the express upgrade
// driven by the keyboard alone.
#include "tests/wizard/AccessibilityEvents.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>
#include <optional>

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTest>

using namespace wizardtest;

namespace {

QString AccessibleText(QObject* object, QAccessible::Text kind)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(kind) : QString();
}

// What a user operates or must see: buttons, boxes, the bar, pictures.
bool IsControl(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text().isEmpty() && !label->pixmap().isNull();
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) ||
           qobject_cast<QProgressBar*>(w);
}

class Accessibility : public ::testing::Test {
public:
    void SetUp() override
    {
        window = MakeTestWindow(MakeFakeUpgrader);
        events.emplace();  // once the application and its platform exist
    }
    TfrmMain& form() { return window->Form(); }
    std::unique_ptr<TTestWindow> window;
    std::optional<TAccessibilityRecorder> events;
};

TEST_F(Accessibility, EveryVisibleControlOnEveryPageHasANameAndADescription)
{
    form().SetTabsVisible(true);
    form().WiredChk->setChecked(true);  // the password prompt too
    form().ShowNavigationButtons();
    for (int i = 0; i < form().pcCards->count(); ++i) {
        QWidget* page = form().pcCards->widget(i);
        form().ShowPage(page);
        if (page == form().tsOutcome) {
            form().Link_Label->show();
            form().ShowOutcome("failed", false);  // the failure panel with its buttons
        }
        int controls = 0;
        for (QWidget* w : form().findChildren<QWidget*>()) {
            // The tab bar's scroll buttons are the toolkit's, named by it.
            if (!w->isVisible() || !IsControl(w) || form().pcCards->tabBar()->isAncestorOf(w))
                continue;
            ++controls;
            const std::string where = page->objectName().toStdString() + ": " + w->objectName().toStdString();
            EXPECT_FALSE(AccessibleText(w, QAccessible::Name).trimmed().isEmpty()) << where;
            EXPECT_FALSE(AccessibleText(w, QAccessible::Description).trimmed().isEmpty()) << where;
        }
        EXPECT_GT(controls, 1) << page->objectName().toStdString();
    }
}

// Controls whose text is no name, or that take it from a label elsewhere.
TEST_F(Accessibility, ControlsWithoutTextOfTheirOwnAreNamedForWhatTheyAre)
{
    form().ShowPage(form().tsConfiguration);  // arranges its labels
    const struct {
        QWidget* Control;
        const char* Name;
    } cases[] = {
        {form().imgNorvo, "Norvo logo"},
        {form().edExpressAdminPassword, "Admin Password :"},
        {form().edIPAddress, "Router IP Address (Default Gateway) :"},
        {form().edPort, "Port :"},
        {form().edPassword, "Admin Password :"},
        {form().btnBrowseSaveSettings, "Choose settings file"},
        {form().btnBrowseRestore, "Choose settings file"},
        {form().mmoOutput, "Router answer"},
        {form().imgSuccess, "Success"},
        {form().imgFailure, "Failure"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AccessibleText(c.Control, QAccessible::Name), c.Name) << c.Control->objectName().toStdString();
}

TEST_F(Accessibility, ButtonsAreReadByTheirCurrentCaption)
{
    EXPECT_EQ(AccessibleText(form().btnCancel, QAccessible::Name), "Cancel");
    EXPECT_EQ(AccessibleText(form().btnNext, QAccessible::Name), "Next");
    form().ShowOutcome("The upgrade worked.", true);
    EXPECT_EQ(AccessibleText(form().btnCancel, QAccessible::Name), "Close");
}

// The label and the bar it names both announce a new step, once; the bar
// announces every move.
TEST_F(Accessibility, StatusTextChangesAreAnnouncedOnceOnTheLabelAndTheBar)
{
    form().ShowNavigationButtons();
    form().ShowPage(form().tsStatus);
    TAccessibilityRecorder::Clear();
    const auto named = [](QWidget* w) { return TAccessibilityRecorder::Count(QAccessible::NameChanged, w); };
    const auto moved = [this] { return TAccessibilityRecorder::Count(QAccessible::ValueChanged, form().ProgressBar1); };

    form().StartStatus("Logging in...");
    EXPECT_EQ(named(form().lblStatus), 1);
    EXPECT_EQ(named(form().ProgressBar1), 1);
    EXPECT_EQ(AccessibleText(form().ProgressBar1, QAccessible::Name), "Logging in...");

    form().StepStatus("Uploading firmware...");
    EXPECT_EQ(named(form().lblStatus), 2);
    EXPECT_EQ(named(form().ProgressBar1), 2);
    EXPECT_EQ(moved(), 1);
    EXPECT_EQ(AccessibleText(form().lblStatus, QAccessible::Name), "Uploading firmware...");

    form().StepStatus("Uploading firmware...");  // the same step again: only the bar moves
    EXPECT_EQ(named(form().lblStatus), 2);
    EXPECT_EQ(named(form().ProgressBar1), 2);
    EXPECT_EQ(moved(), 2);
}

TEST_F(Accessibility, TheOutcomeTakesTheFocusAndIsRaisedAsAnAlert)
{
    for (const bool ok : {true, false}) {
        form().ShowPage(form().tsUpgradeType);
        form().WiredChk->setFocus();
        TAccessibilityRecorder::Clear();

        const QString text = ok ? "The upgrade worked." : "The upgrade failed.";
        form().ShowOutcome(text, ok);

        EXPECT_EQ(form().focusWidget(), form().lblSuccessFailureMessage) << ok;
        EXPECT_EQ(TAccessibilityRecorder::Count(QAccessible::Alert, form().lblSuccessFailureMessage), 1) << ok;
        EXPECT_EQ(AccessibleText(form().lblSuccessFailureMessage, QAccessible::Name), text) << ok;
    }
}

TEST_F(Accessibility, MessageBoxesAreReadAsAlertsWithTheirText)
{
    TWizardSeams desktop;  // the real boxes, not the recorder's
    desktop.ShowNotice("The router is being upgraded.");
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* candidate = qobject_cast<QMessageBox*>(w); candidate && candidate->isVisible())
            box = candidate;
    ASSERT_NE(box, nullptr);
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(box);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::AlertMessage);
    EXPECT_EQ(face->text(QAccessible::Value), "The router is being upgraded.");
    EXPECT_EQ(TAccessibilityRecorder::Count(QAccessible::Alert, box), 1);
    box->close();  // deletes itself
    QApplication::processEvents();
}

// The express road: tick the box, type the password, go on; with Tab,
// Space and Enter only.
class Keyboard : public Accessibility {
public:
    void SetUp() override
    {
        Accessibility::SetUp();
        QApplication::setActiveWindow(&form());
        form().WiredChk->setFocus(Qt::TabFocusReason);
    }
    QWidget* Focused() { return form().focusWidget(); }
    void Press(Qt::Key key) { QTest::keyClick(Focused(), key); }
};

// The window opens with the focus on its footer; the first Tab from there
// reaches the wired box, whatever button the focus rests on.
TEST_F(Accessibility, TheFirstTabInTheOpenedWindowReachesTheWiredBox)
{
    auto fresh = MakeTestWindow(MakeFakeUpgrader, {{IfType::Ethernet, "127.0.0.1"}}, false);
    TfrmMain& opened = fresh->Form();
    opened.show();
    QApplication::setActiveWindow(&opened);
    QApplication::processEvents();
    opened.UpdateActions();  // as when the window goes idle
    QWidget* start = opened.focusWidget();
    ASSERT_NE(start, nullptr);
    EXPECT_TRUE(opened.pnlFooter->isAncestorOf(start)) << start->objectName().toStdString();
    QTest::keyClick(start, Qt::Key_Tab);
    EXPECT_EQ(opened.focusWidget(), opened.WiredChk);
}

TEST_F(Keyboard, TabLeadsFromTheWiredBoxThroughThePasswordToNext)
{
    ASSERT_EQ(Focused(), form().WiredChk);
    Press(Qt::Key_Space);
    ASSERT_TRUE(form().WiredChk->isChecked());
    form().UpdateActions();  // as when the window goes idle: Previous is off here
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), form().edExpressAdminPassword);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), form().btnNext);
    Press(Qt::Key_Tab);
    EXPECT_EQ(Focused(), form().btnCancel);
    Press(Qt::Key_Backtab);
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focused(), form().edExpressAdminPassword);
}

TEST_F(Keyboard, NextStartsTheUpgradeBySpaceOrByEnterInThePasswordBox)
{
    const struct {
        const char* Name;
        std::function<void(Keyboard&)> Go;
    } ways[] = {
        {"Space on Next",
         [](Keyboard& k) {
             k.form().btnNext->setFocus(Qt::TabFocusReason);
             k.Press(Qt::Key_Space);
         }},
        {"Enter in the password box", [](Keyboard& k) { k.Press(Qt::Key_Return); }},
    };
    for (const auto& way : ways) {
        form().ShowPage(form().tsUpgradeType);
        form().WiredChk->setChecked(true);
        form().edExpressAdminPassword->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(form().edExpressAdminPassword, "secret");
        FakeOf(form()).Calls.clear();

        way.Go(*this);

        EXPECT_EQ(FakeOf(form()).Calls, std::vector<QString>{"ExpressUpgrade"}) << way.Name;
        form().edExpressAdminPassword->clear();
    }
}

TEST_F(Keyboard, EnterInThePasswordBoxDoesNothingWhileNextIsOff)
{
    form().WiredChk->setChecked(true);
    form().btnNext->setEnabled(false);
    form().edExpressAdminPassword->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Return);
    EXPECT_TRUE(FakeOf(form()).Calls.empty());
}

TEST_F(Keyboard, TheSupportLinkOpensByEnterOrSpace)
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        form().Link_Label->show();
        form().ShowOutcome("The upgrade failed.", false);
        Press(Qt::Key_Tab);
        ASSERT_EQ(Focused(), form().Link_Label);
        window->Seams.OpenedUrls.clear();
        Press(key);
        EXPECT_EQ(window->Seams.OpenedUrls.size(), 1u) << key;
    }
}

TEST_F(Keyboard, FromTheOutcomeTabReachesItsButtonsAndClose)
{
    form().ShowNavigationButtons();
    form().ShowOutcome("The upgrade failed.", false);
    ASSERT_EQ(Focused(), form().lblSuccessFailureMessage);
    std::vector<QWidget*> reached;
    for (int i = 0; i < 3; ++i) {
        Press(Qt::Key_Tab);
        reached.push_back(Focused());
    }
    EXPECT_NE(std::find(reached.begin(), reached.end(), form().btnSaveFirmware), reached.end());
    EXPECT_NE(std::find(reached.begin(), reached.end(), form().btnCancel), reached.end());
}

}  // namespace
