#include "wizard/WindowWait.h"

#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

void TWindowWait::BeginBusy() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }

void TWindowWait::EndBusy() { QGuiApplication::restoreOverrideCursor(); }

void TWindowWait::Pause(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TWindowWait::KeepPainted(TInput input)
{
    QCoreApplication::processEvents(input == TInput::Held ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
}
