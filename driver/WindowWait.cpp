#include "driver/WindowWait.h"

#include <QEventLoop>
#include <QTimer>

void WaitKeepingWindowPainted(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
