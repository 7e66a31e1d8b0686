// How the window waits for the router driver: the hourglass as the
// application's override cursor, pauses in an event loop that holds user
// input back, and repaints through the event queue.
#pragma once

#include "driver/Waiting.h"

class TWindowWait : public IWaiting {
public:
    void BeginBusy() override;
    void EndBusy() override;
    void Pause(int milliseconds) override;
    void KeepPainted(TInput input) override;
};
