// Scope guards for the window state that every long operation changes and
// must give back on every path, also when an exception leaves the scope.
#pragma once

#include <QGuiApplication>
#include <QPointer>
#include <QTabWidget>

// Shows the hourglass for the lifetime of the object; the cursor that was
// shown before comes back on destruction.
class TScopedBusyCursor {
public:
    TScopedBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TScopedBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TScopedBusyCursor(const TScopedBusyCursor&) = delete;
    TScopedBusyCursor& operator=(const TScopedBusyCursor&) = delete;
};

// Remembers the active page of a page control and makes it active again on
// destruction. Declare it after a TScopedBusyCursor so that the page comes
// back first and the cursor after it.
class TRememberedPage {
public:
    explicit TRememberedPage(QTabWidget* pages) : pages_(pages), page_(pages ? pages->currentWidget() : nullptr) {}
    ~TRememberedPage()
    {
        if (pages_ && page_)
            pages_->setCurrentWidget(page_);
    }
    TRememberedPage(const TRememberedPage&) = delete;
    TRememberedPage& operator=(const TRememberedPage&) = delete;

    QWidget* Page() const { return page_; }

private:
    QPointer<QTabWidget> pages_;
    QPointer<QWidget> page_;
};
