// A window that never sits still for long while the router is slow: once a
// request has had no answer for a while, the progress bar moves on its own
// until the work is over. For the page reads that show nothing of their own
// (login, version read) the Status page also comes up, saying "Contacting the
// router...", and the page the user had comes back afterwards. A router that
// answers in time never sees either.
#pragma once

#include "driver/UpgraderView.h"
#include "driver/ViewPages.h"

#include <cstdint>
#include <functional>
#include <optional>

class TIdHTTP;

// Milliseconds on a steady clock; injected by tests.
using TClockMs = std::function<std::int64_t()>;

class TSlowAnswerNotice {
public:
    enum class TShow { ContactingPage, MovingBar };
    TSlowAnswerNotice(IUpgraderView& view, TViewPages& pages, TIdHTTP& http, TClockMs clock, int afterMs, TShow show);
    ~TSlowAnswerNotice();
    TSlowAnswerNotice(const TSlowAnswerNotice&) = delete;
    TSlowAnswerNotice& operator=(const TSlowAnswerNotice&) = delete;

    // A new request goes out: its wait counts from now.
    void RequestStarting();

private:
    void Idle();

    IUpgraderView& view_;
    TViewPages& pages_;
    TIdHTTP& http_;
    TClockMs clock_;
    int afterMs_;
    TShow show_;
    std::function<void()> previousIdle_;
    std::int64_t requestStart_;
    bool shown_ = false;
    std::optional<TUpgraderPage> userPage_;  // the user's page, while the Status page stands in
};
