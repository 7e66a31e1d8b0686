// The program's pause for the router restart wait.
#pragma once

// Waits the given time while the window keeps repainting; user input is held
// back until the wait is over, so nothing can start a second operation.
void WaitKeepingWindowPainted(int milliseconds);
