#include "driver/SlowAnswerNotice.h"

#include "http/IdHTTP.h"

TSlowAnswerNotice::TSlowAnswerNotice(IUpgraderView& view, TViewPages& pages, TIdHTTP& http, TClockMs clock, int afterMs,
                                     TShow show)
    : view_(view),
      pages_(pages),
      http_(http),
      clock_(std::move(clock)),
      afterMs_(afterMs),
      show_(show),
      previousIdle_(http.OnIdle),
      requestStart_(clock_())
{
    http_.OnIdle = [this] { Idle(); };
}

TSlowAnswerNotice::~TSlowAnswerNotice()
{
    http_.OnIdle = previousIdle_;
    if (shown_)
        view_.EndBusyStatus();
    if (userPage_)
        pages_.ShowPage(*userPage_);  // the page the user had comes back
}

void TSlowAnswerNotice::RequestStarting() { requestStart_ = clock_(); }

void TSlowAnswerNotice::Idle()
{
    if (!shown_ && clock_() - requestStart_ >= afterMs_) {
        shown_ = true;
        if (show_ == TShow::ContactingPage) {
            userPage_ = pages_.ActivePage();
            view_.BeginBusyStatus(QStringLiteral("Contacting the router..."));
            pages_.ShowPage(TUpgraderPage::Status);
        } else {
            view_.BeginBusyStatus();
        }
    }
    if (previousIdle_)
        previousIdle_();
}
