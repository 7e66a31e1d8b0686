// Smaller pieces: the file dialogs' filter lists, the
// scope guards and the socket library guard.
#include "app/SocketLibrary.h"
#include "driver/ScopeGuards.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/WindowWait.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cerrno>

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

TEST(SocketLibrary, IgnoresSigpipeWhileItRunsAndPutsTheOldHandlingBack)
{
    struct sigaction before {};
    sigaction(SIGPIPE, nullptr, &before);
    {
        TSocketLibraryGuard guard;
        struct sigaction during {};
        sigaction(SIGPIPE, nullptr, &during);
        EXPECT_EQ(during.sa_handler, SIG_IGN);
        guard.Cleanup();
    }
    struct sigaction after {};
    sigaction(SIGPIPE, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

int FailingSigAction(int, const struct sigaction*, struct sigaction*)
{
    errno = EINVAL;
    return -1;
}

int calls = 0;
int FailingSecondCall(int signal, const struct sigaction* action, struct sigaction* old)
{
    return ++calls == 1 ? sigaction(signal, action, old) : FailingSigAction(signal, action, old);
}

TEST(SocketLibrary, FailuresCarryTheStartUpAndCleanUpNames)
{
    try {
        TSocketLibraryGuard guard(FailingSigAction);
        FAIL() << "no error";
    } catch (const ESocketError& error) {
        EXPECT_EQ(error.Message(), "WSAStartup");
    }
    struct sigaction before {};
    sigaction(SIGPIPE, nullptr, &before);
    TSocketLibraryGuard guard(FailingSecondCall);
    try {
        guard.Cleanup();
        FAIL() << "no error";
    } catch (const ESocketError& error) {
        EXPECT_EQ(error.Message(), "WSACleanup");
    }
    sigaction(SIGPIPE, &before, nullptr);
}

}  // namespace
