// "Contacting the router..." for the page reads that show nothing of their
// own (login, version read): once one request has had no answer for a while,
// the Status page says so with the progress bar moving, until the reading is
// over; then the page the user had comes back. A router that answers in time
// never sees the notice.
#pragma once

#include "wizard/ScopedUi.h"

#include <cstdint>
#include <functional>
#include <optional>

class TfrmMain;
class TIdHTTP;

// Milliseconds on a steady clock; injected by tests.
using TClockMs = std::function<std::int64_t()>;

class TSlowAnswerNotice {
public:
    TSlowAnswerNotice(TfrmMain& form, TIdHTTP& http, TClockMs clock, int afterMs);
    ~TSlowAnswerNotice();
    TSlowAnswerNotice(const TSlowAnswerNotice&) = delete;
    TSlowAnswerNotice& operator=(const TSlowAnswerNotice&) = delete;

    // A new request goes out: its wait counts from now.
    void RequestStarting();

private:
    void Idle();

    TfrmMain& form_;
    TIdHTTP& http_;
    TClockMs clock_;
    int afterMs_;
    std::function<void()> previousIdle_;
    std::int64_t requestStart_;
    std::optional<TRememberedPage> page_;  // set while the notice is shown
};
