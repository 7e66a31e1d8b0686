// How a driver waits while the window stays alive: the hourglass, timed
// pauses, and letting the window repaint between steps. The window provides
// it (with the toolkit's event loop); the driver itself needs no GUI.
#pragma once

#include "driver/ScopeGuards.h"

class IWaiting {
public:
    // Whether a repaint also lets the user's input through.
    enum class TInput { Held, Taken };

    // The hourglass from BeginBusy to the matching EndBusy; pairs nest, and
    // the cursor shown before comes back after the outermost pair.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    // Waits the given time while the window keeps repainting; user input is
    // held back until the wait is over, so nothing can start a second operation.
    virtual void Pause(int milliseconds) = 0;
    // Handles what is pending for the window (repaints among it) and returns.
    virtual void KeepPainted(TInput input) = 0;

protected:
    ~IWaiting() = default;
};

// The hourglass while it lives.
using TBusyCursor = TPairedCalls<IWaiting, &IWaiting::BeginBusy, &IWaiting::EndBusy>;
