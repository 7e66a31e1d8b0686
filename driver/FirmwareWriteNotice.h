// A router writes a new image to its flash before it answers the upload, and
// says nothing meanwhile: minutes on real hardware. Once the image is out and
// the answer has been awaited a while, the Status page says what is going on,
// with the progress bar moving, so the user neither waits in the dark nor
// switches the router off.
#pragma once

#include "driver/SlowAnswerNotice.h"
#include "driver/UpgraderView.h"

#include <cstdint>
#include <functional>
#include <optional>

class TIdHTTP;

class TFirmwareWriteNotice {
public:
    TFirmwareWriteNotice(IUpgraderView& view, TIdHTTP& http, TClockMs clock, int afterMs);
    ~TFirmwareWriteNotice();
    TFirmwareWriteNotice(const TFirmwareWriteNotice&) = delete;
    TFirmwareWriteNotice& operator=(const TFirmwareWriteNotice&) = delete;

    // Whether the request's last byte has gone out: from then on the router
    // holds the whole image and may be writing it.
    bool RequestSent() const { return sentAt_.has_value(); }

    static const QString& Text();

private:
    void Idle();

    IUpgraderView& view_;
    TIdHTTP& http_;
    TClockMs clock_;
    int afterMs_;
    std::function<void()> previousIdle_;
    std::function<void()> previousSent_;
    std::optional<std::int64_t> sentAt_;
    bool shown_ = false;
};
