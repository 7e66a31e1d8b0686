// The program's restart pause keeps the window's event processing going.
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/WindowWait.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

namespace {

TEST(WindowWait, RunsPendingEventsUntilTheTimeIsUp)
{
    wizardtest::Application();
    bool painted = false;
    QTimer::singleShot(0, [&] { painted = true; });
    QElapsedTimer clock;
    clock.start();

    TWindowWait().Pause(20);

    EXPECT_TRUE(painted);
    EXPECT_GE(clock.elapsed(), 19);
}

}  // namespace
