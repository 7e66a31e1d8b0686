#include "driver/RouterRequests.h"

#include "driver/FirmwareWriteNotice.h"
#include "http/IdException.h"
#include "http/IdMultipartFormData.h"
#include "log/SupportLog.h"

#include <algorithm>
#include <chrono>

namespace {

// A login or version read that has waited this long for an answer says so.
constexpr int kContactingAfterMs = 2000;

// "GET http://192.168.0.1/ -> HTTP/1.0 200 OK, 1234 bytes", login token redacted.
void LogExchange(const TIdHTTPExchange& exchange)
{
    QString line = QString::fromStdString(exchange.Method) + QLatin1Char(' ') + RedactedUrl(exchange.Url);
    if (exchange.SentBytes > 0)
        line += QStringLiteral(" (%1 bytes)").arg(exchange.SentBytes);
    if (!exchange.StatusLine.empty())
        line += QStringLiteral(" -> %1, %2 bytes")
                    .arg(QString::fromLatin1(exchange.StatusLine.c_str()))
                    .arg(exchange.ReceivedBytes);
    if (!exchange.Error.empty())
        line += QStringLiteral(" -> failed: ") + QString::fromLocal8Bit(exchange.Error.c_str());
    SupportLogLine(lcHttp(), line);
}

// The limits cut so that no wait lasts past `remainingMs`.
TIdLimits CutTo(TIdLimits limits, std::int64_t remainingMs)
{
    const int left = static_cast<int>(std::clamp<std::int64_t>(remainingMs, 1, 1 << 30));
    limits.ConnectMs = std::min(limits.ConnectMs, left);
    limits.StallMs = std::min(limits.StallMs, left);
    limits.AnswerMs = limits.AnswerMs > 0 ? std::min(limits.AnswerMs, left) : left;
    return limits;
}

}  // namespace

TRouterRequests::TRouterRequests(IUpgraderView& view, TViewPages& pages)
    : view_(view), pages_(pages), clock_([] {
          return std::chrono::duration_cast<std::chrono::milliseconds>(
                     std::chrono::steady_clock::now().time_since_epoch())
              .count();
      })
{
    http_.ProtocolVersion = TIdHTTPProtocolVersion::pv1_0;
    http_.AllowCookies = true;
    http_.HandleRedirects = false;
    http_.OnExchange = LogExchange;
    // While an answer is awaited the window keeps painting, but takes no input.
    http_.OnIdle = [this] { view_.Waiting().KeepPainted(IWaiting::TInput::Held); };
}

std::string TRouterRequests::GetPage(const std::string& url)
{
    TIdLimits limits = limits_.SmallPage;
    if (deadline_)
        limits = CutTo(limits, MsLeft());
    std::string page;
    WithSlowAnswerShown([&] { page = http_.Get(url, limits); });
    return page;
}

std::string TRouterRequests::GetIgnoringErrors(const std::string& url)
{
    try {
        return GetPage(url);
    } catch (const std::exception&) {
        return {};
    }
}

void TRouterRequests::Download(const std::string& url, std::ostream& destination, const TIdLimits& limits)
{
    WithSlowAnswerShown([&] { http_.Get(url, destination, limits); });
}

std::string TRouterRequests::Post(const std::string& url, TIdMultiPartFormDataStream& body, const TIdLimits& limits)
{
    std::string answer;
    WithSlowAnswerShown([&] { answer = http_.Post(url, body, limits); });
    return answer;
}

std::string TRouterRequests::PostFirmware(const std::string& url, TIdMultiPartFormDataStream& body,
                                          const TIdLimits& limits, bool& unconfirmed)
{
    TFirmwareWriteNotice writing(view_, http_, clock_, kContactingAfterMs);
    try {
        return Post(url, body, limits);
    } catch (const EIdHTTPProtocolException&) {
        throw;  // the router answered: it refused the image
    } catch (const std::exception&) {
        // The router has the whole image but never said whether it took
        // it: it may still be writing its flash.
        unconfirmed = writing.RequestSent();
        throw;
    }
}

void TRouterRequests::WhileContacting(const std::function<void()>& read)
{
    if (notice_) {
        read();
        return;
    }
    TSlowAnswerNotice notice(view_, pages_, http_, clock_, kContactingAfterMs,
                             TSlowAnswerNotice::TShow::ContactingPage);
    const QScopedValueRollback<TSlowAnswerNotice*> current(notice_, &notice);
    read();
}

void TRouterRequests::WithSlowAnswerShown(const std::function<void()>& request)
{
    if (notice_) {
        notice_->RequestStarting();
        request();
        return;
    }
    TSlowAnswerNotice notice(view_, pages_, http_, clock_, kContactingAfterMs, TSlowAnswerNotice::TShow::MovingBar);
    request();
}
