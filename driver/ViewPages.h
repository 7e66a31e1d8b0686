// The view's pages as the driver knows them: the page the view last said it
// shows, with the page Previous returns to from there, and the way to show
// another. The driver keeps this instead of asking the view.
#pragma once

#include "driver/UpgraderView.h"

#include <optional>

class TViewPages {
public:
    explicit TViewPages(IUpgraderView& view) : view_(view) {}

    // What the view shows now, handed in by the view whenever it changes.
    void Shown(const TShownPage& shown) { shown_ = shown; }

    TUpgraderPage ActivePage() const { return shown_.Page; }
    // The page Previous reopens from the active page, if any.
    std::optional<TUpgraderPage> ReturnPage() const { return shown_.ReturnPage; }

    // Shows page; the view hands the change back, and until it does (a view
    // that does not) the page asked for counts as shown.
    void ShowPage(TUpgraderPage page)
    {
        shown_ = {page, std::nullopt};
        view_.ShowPage(page);
    }
    void ForgetReturnPage()
    {
        view_.ForgetReturnPage(shown_.Page);
        shown_.ReturnPage.reset();
    }

private:
    IUpgraderView& view_;
    TShownPage shown_;
};
