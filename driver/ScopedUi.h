// Scope guards for the window state that every long operation changes and
// must give back on every path, also when an exception leaves the scope.
#pragma once

#include <QCursor>
#include <QGuiApplication>

#include <utility>

// Shows the hourglass for the lifetime of the object; the cursor that was
// shown before comes back on destruction.
class TScopedBusyCursor {
public:
    TScopedBusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TScopedBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TScopedBusyCursor(const TScopedBusyCursor&) = delete;
    TScopedBusyCursor& operator=(const TScopedBusyCursor&) = delete;
};

// Remembers the active page of a page switcher (anything with ActivePage()
// and ShowPage(), the driver's view for one) and shows it again on destruction.
// Declare it after a TScopedBusyCursor so that the page comes back first and
// the cursor after it.
template <class TPages>
class TRememberedPage {
public:
    explicit TRememberedPage(TPages& pages) : pages_(pages), page_(pages.ActivePage()) {}
    ~TRememberedPage() { pages_.ShowPage(page_); }
    TRememberedPage(const TRememberedPage&) = delete;
    TRememberedPage& operator=(const TRememberedPage&) = delete;

private:
    TPages& pages_;
    decltype(std::declval<const TPages&>().ActivePage()) page_;
};
