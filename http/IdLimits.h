// Every bound the program puts on a peer, in one place. A router that stays
// silent, drips its answer, or sends without end must not keep the user
// waiting or fill memory or disk; each value here is what stops it. Tests set
// them small.
#pragma once

#include <cstddef>
#include <cstdint>

// Bounds on one request and its answer. A time bound that runs out fails with
// socket error 10060 ("Connection timed out.").
struct TIdLimits {
    int ConnectMs = 20000;  // give up a connect (with its name lookup) after this long
    int StallMs = 180000;   // give up when no byte has moved for this long
    int AnswerMs = 0;       // give up when the whole exchange takes longer (0: no such bound)
    int SendMs = 0;         // give up when sending the request takes longer (0: no such bound)
    // Once the request's last byte is out, the whole answer must have come
    // within this long; while it runs it replaces StallMs and AnswerMs, since
    // a router that writes its flash before it answers stays silent
    // meanwhile (0: StallMs and AnswerMs go on as before).
    int AfterSendMs = 0;
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
    // Settings download and upload: a few kilobytes that take the router a
    // moment to gather or apply, so 30 s without an answer and 120 s in all.
    TIdLimits SettingsTransfer = [] {
        TIdLimits settings;
        settings.StallMs = 30000;
        settings.AnswerMs = 120000;
        return settings;
    }();
    // Firmware upload: the image goes out within 5 minutes (180 s without a
    // byte moving); then the router may write it to its flash before it
    // answers, so the answer gets 10 minutes from the last byte sent.
    TIdLimits FirmwareUpload = [] {
        TIdLimits firmware;
        firmware.StallMs = 180000;
        firmware.SendMs = 5 * 60 * 1000;
        firmware.AfterSendMs = 10 * 60 * 1000;
        return firmware;
    }();
    // From the restart request to the end of the wait for the router (the
    // fixed pause and every poll included).
    int RestartWaitMs = 10 * 60 * 1000;
};
