// The requests a driver sends to the router, all under the same rules: one
// HTTP client for the run (HTTP/1.0, cookies kept, no redirects followed,
// every exchange in the support log), the bounds of each kind of request,
// the window kept painted while an answer is awaited, the notices for a
// slow router, and the deadline that cuts every request of the restart wait.
#pragma once

#include "driver/SlowAnswerNotice.h"
#include "driver/UpgraderView.h"
#include "http/IdHTTP.h"

#include <QScopedValueRollback>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

class TIdMultiPartFormDataStream;

class TRouterRequests {
public:
    TRouterRequests(IUpgraderView& view, TViewPages& pages);

    TIdHTTP& HTTP() { return http_; }
    // The bounds of each kind of request.
    TIdRequestLimits& Limits() { return limits_; }
    // The clock that bounds the restart wait and times slow answers.
    void SetClock(TClockMs clock) { clock_ = std::move(clock); }
    std::int64_t Now() const { return clock_(); }

    // A small page (root page, login, restart request, poll) under the
    // small-page limits, cut to the deadline while one runs.
    std::string GetPage(const std::string& url);
    // The same, but empty when the request fails: identification and login
    // judge an empty answer themselves.
    std::string GetIgnoringErrors(const std::string& url);
    // The answer's body appended to destination.
    void Download(const std::string& url, std::ostream& destination, const TIdLimits& limits);
    // Posts a multipart body; the router's answer.
    std::string Post(const std::string& url, TIdMultiPartFormDataStream& body, const TIdLimits& limits);
    // Posts a firmware image. Once the whole image is out and the answer has
    // been awaited a while, the Status page says that the router is writing
    // it. When the post fails without an answer from the router, unconfirmed
    // says whether the router got the whole image (and may be writing it).
    std::string PostFirmware(const std::string& url, TIdMultiPartFormDataStream& body, const TIdLimits& limits,
                             bool& unconfirmed);

    // Runs a login or version read; a slow router meanwhile gets the
    // "Contacting the router..." notice. Nested reads share one notice.
    void WhileContacting(const std::function<void()>& read);

    // Until the returned guard goes, no request lasts past deadline (a time
    // of the clock).
    [[nodiscard]] QScopedValueRollback<std::optional<std::int64_t>> Deadline(std::int64_t deadline)
    {
        return QScopedValueRollback<std::optional<std::int64_t>>(deadline_, deadline);
    }
    // Milliseconds to the deadline; only while one runs.
    std::int64_t MsLeft() const { return *deadline_ - clock_(); }

private:
    // Runs one request; a slow answer meanwhile moves the progress bar (or
    // counts for the contacting notice, inside a login or version read).
    void WithSlowAnswerShown(const std::function<void()>& request);

    IUpgraderView& view_;
    TViewPages& pages_;
    TIdHTTP http_;
    TIdRequestLimits limits_;
    TClockMs clock_;
    TSlowAnswerNotice* notice_ = nullptr;   // while a login or version read runs
    std::optional<std::int64_t> deadline_;  // while the restart wait runs (clock time)
};
