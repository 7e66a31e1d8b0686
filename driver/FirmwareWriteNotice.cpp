#include "driver/FirmwareWriteNotice.h"

#include "http/IdHTTP.h"

TFirmwareWriteNotice::TFirmwareWriteNotice(IUpgraderView& view, TIdHTTP& http, TClockMs clock, int afterMs)
    : view_(view),
      http_(http),
      clock_(std::move(clock)),
      afterMs_(afterMs),
      previousIdle_(http.OnIdle),
      previousSent_(http.OnRequestSent)
{
    http_.OnIdle = [this] { Idle(); };
    http_.OnRequestSent = [this] {
        sentAt_ = clock_();
        if (previousSent_)
            previousSent_();
    };
}

TFirmwareWriteNotice::~TFirmwareWriteNotice()
{
    http_.OnIdle = previousIdle_;
    http_.OnRequestSent = previousSent_;
    if (shown_)
        view_.EndBusyStatus();
}

const QString& TFirmwareWriteNotice::Text()
{
    static const QString text =
        QStringLiteral("Please wait while the router writes the new firmware. Do not turn it off...");
    return text;
}

void TFirmwareWriteNotice::Idle()
{
    if (!shown_ && sentAt_ && clock_() - *sentAt_ >= afterMs_) {
        shown_ = true;
        view_.BeginBusyStatus(Text());
    }
    if (previousIdle_)
        previousIdle_();
}
