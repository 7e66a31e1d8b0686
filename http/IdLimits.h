// Every bound the program puts on a peer, in one place. A router that stays
// silent, drips its answer, or sends without end must not keep the user
// waiting or fill memory or disk; each value here is what stops it. Tests set
// them small.
#pragma once

#include <cstddef>
#include <cstdint>

// Bounds on one request and its answer.
struct TIdLimits {
    int ConnectMs = 20000;  // give up a connect after this long
    int StallMs = 180000;   // give up when no byte has moved for this long
    int AnswerMs = 0;       // give up when the whole exchange takes longer (0: no such bound)
    std::size_t MaxTextBody = 1024 * 1024;          // a page read as text
    std::int64_t MaxStreamBody = 64 * 1024 * 1024;  // a body read into a stream
    std::size_t MaxHeadBytes = 256 * 1024;          // status lines and headers, 100 Continue blocks included
};

// The bounds by what is asked of the router.
struct TIdRequestLimits {
    // Pages of a few kilobytes: root page, login, restart request, restart polls.
    TIdLimits SmallPage = [] {
        TIdLimits page;
        page.StallMs = 30000;
        page.AnswerMs = 60000;
        return page;
    }();
    // Settings download and upload, firmware upload: only the stall bound.
    TIdLimits Transfer;
    // From the restart request to the end of the wait for the router (the
    // fixed pause and every poll included).
    int RestartWaitMs = 10 * 60 * 1000;
};
