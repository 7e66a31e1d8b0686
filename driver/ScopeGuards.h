// Scope guards for the window state that a long operation changes and must
// give back on every path, also when an exception leaves the scope.
#pragma once

#include <QScopeGuard>

// A pair of calls on an object: Begin runs when the guard is made, End when
// it goes.
template <class T, void (T::*Begin)(), void (T::*End)()>
class TPairedCalls {
public:
    explicit TPairedCalls(T& object) : object_(object) { (object_.*Begin)(); }
    ~TPairedCalls() { (object_.*End)(); }
    TPairedCalls(const TPairedCalls&) = delete;
    TPairedCalls& operator=(const TPairedCalls&) = delete;

private:
    T& object_;
};

// Shows the active page of a page switcher (anything with ActivePage() and
// ShowPage(), the driver's view for one) again when the returned guard goes.
// Made after a TBusyCursor, the page comes back first and the cursor after it.
template <class TPages>
[[nodiscard]] auto KeptPage(TPages& pages)
{
    return qScopeGuard([&pages, page = pages.ActivePage()] { pages.ShowPage(page); });
}
