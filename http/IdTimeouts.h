// Limits on every network wait. The program must never hang on a router that
// accepts a connection and then stays silent, so each wait is bounded; the
// values live only here. Tests set them small.
#pragma once

struct TIdTimeouts {
    int ConnectMs = 20000;  // give up a connect after this long
    int ReadMs = 180000;    // give up a read (or a stalled send) after this long without progress
};
