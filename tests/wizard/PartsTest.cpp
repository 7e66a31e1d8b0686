// Smaller pieces: the file dialogs' filter lists and the scope guards.
#include "base/Exception.h"
#include "driver/ScopeGuards.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/WindowWait.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace wizardtest;

namespace {

TEST(FileDialogFilters, TranslateToTheToolkitsForm)
{
    EXPECT_EQ(FileDialogNameFilters("GWS File (*.gws)|*.gws|All Files (*.*)|*.*"),
              (QStringList{"GWS File (*.gws)", "All Files (*)"}));
    EXPECT_EQ(FileDialogNameFilters("Binary Files (*.bin)|*.bin|All Files (*.*)|*.*"),
              (QStringList{"Binary Files (*.bin)", "All Files (*)"}));
    EXPECT_EQ(FileDialogNameFilters("Pictures|*.png;*.jpg"), (QStringList{"Pictures (*.png *.jpg)"}));
    EXPECT_TRUE(FileDialogNameFilters("").isEmpty());
}

// A page switcher over a bare page control.
struct TTabPages {
    QTabWidget& Tabs;
    QWidget* ActivePage() const { return Tabs.currentWidget(); }
    void ShowPage(QWidget* page) { Tabs.setCurrentWidget(page); }
};

TEST(ScopedUi, PageAndCursorComeBackWhenAnExceptionLeavesTheScope)
{
    Application();
    QTabWidget pages;
    QWidget* first = new QWidget;
    QWidget* second = new QWidget;
    pages.addTab(first, "1");
    pages.addTab(second, "2");
    QGuiApplication::setOverrideCursor(Qt::PointingHandCursor);
    TWindowWait waiting;
    try {
        const TBusyCursor busy(waiting);
        TTabPages pager{pages};
        const auto page = KeptPage(pager);
        pages.setCurrentWidget(second);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw Exception("fails");
    } catch (const Exception&) {
    }
    EXPECT_EQ(pages.currentWidget(), first);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
