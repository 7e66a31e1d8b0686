#include "http/IdHTTP.h"

#include "http/IdBase64.h"
#include "http/IdCookieManager.h"
#include "http/IdHTTPRequest.h"
#include "http/IdHTTPResponse.h"
#include "http/IdMultipartFormData.h"
#include "http/IdNumbers.h"
#include "http/IdTCPConnection.h"
#include "http/IdURI.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

[[noreturn]] void TooLarge(std::int64_t limit)
{
    throw EIdResponseTooLarge("Response body larger than " + std::to_string(limit) + " bytes.");
}

// Collects a body as text, refusing to grow past the limit; the text's room
// grows by doubling only up to the limit.
TIdByteSink TextSink(std::string& text, std::size_t limit)
{
    return [&text, limit](const char* data, std::size_t size) {
        if (size > limit - text.size())
            TooLarge(static_cast<std::int64_t>(limit));
        std::size_t needed = text.size() + size;
        if (needed > text.capacity())
            text.reserve(std::min(limit, std::max(needed, 2 * text.capacity())));
        text.append(data, size);
    };
}

TIdByteSink StreamSink(std::ostream& stream, std::int64_t limit)
{
    return [&stream, limit, written = std::int64_t{0}](const char* data, std::size_t size) mutable {
        if (static_cast<std::int64_t>(size) > limit - written)
            TooLarge(limit);
        written += static_cast<std::int64_t>(size);
        stream.write(data, static_cast<std::streamsize>(size));
        if (!stream)
            throw EWriteError();
    };
}

// True when a WWW-Authenticate value names the Basic scheme anywhere: as a
// token of its own (not a parameter name, not inside a quoted string),
// separated by blanks, tabs or commas.
bool NamesBasicScheme(const std::string& value)
{
    std::size_t i = 0;
    while (i < value.size()) {
        char c = value[i];
        if (c == '"') {
            for (++i; i < value.size() && value[i] != '"'; ++i)
                if (value[i] == '\\')
                    ++i;
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == ',') {
            ++i;
            continue;
        }
        std::size_t end = std::min(value.find_first_of(" \t,=\"", i), value.size());
        if (end < value.size() && value[end] == '=') {
            // A parameter: skip its value unless it is quoted (handled above).
            end = value.find_first_not_of(" \t=", end);
            if (end != std::string::npos && value[end] != '"')
                end = value.find_first_of(" \t,", end);
            i = std::min(end, value.size());
            continue;
        }
        if (IdSameText(std::string_view(value).substr(i, end - i), "Basic"))
            return true;
        i = end;
    }
    return false;
}

// The connection's port: 80 when the URL's port is no number; a number far
// out of range stays out of range, so the connect refuses it.
int PortNumber(const std::string& text)
{
    std::int64_t value = 0;
    switch (IdReadInt64(text, value)) {
    case TIdNumberText::NotANumber:
        return 80;
    case TIdNumberText::TooLarge:
        return INT_MAX;
    case TIdNumberText::Number:
        break;
    }
    return value < INT_MIN || value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

// The text of the exception being handled; call inside a catch block.
std::string CurrentErrorText()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unknown error";
    }
}

// Post always speaks HTTP/1.0; the setting comes back afterwards.
class ProtocolVersionOverride {
public:
    ProtocolVersionOverride(TIdHTTPProtocolVersion& setting, TIdHTTPProtocolVersion forced)
        : setting_(setting), saved_(setting)
    {
        setting_ = forced;
    }
    ~ProtocolVersionOverride() { setting_ = saved_; }
    ProtocolVersionOverride(const ProtocolVersionOverride&) = delete;
    ProtocolVersionOverride& operator=(const ProtocolVersionOverride&) = delete;

private:
    TIdHTTPProtocolVersion& setting_;
    TIdHTTPProtocolVersion saved_;
};

}  // namespace

struct TIdHTTP::Impl {
    explicit Impl(TIdHTTP& owner) : owner(owner) {}

    TIdHTTP& owner;
    TIdTCPConnection connection;
    TIdHTTPRequest request;
    TIdHTTPResponse response;
    TIdURI url;
    std::unique_ptr<TIdCookieManager> cookies;
    // Basic credentials, once a 401 answer has named the scheme.
    std::optional<std::pair<std::string, std::string>> authenticator;
    bool keepAlive = false;
    std::uint64_t bodyBytes = 0;  // of the current answer, for OnExchange

    std::string Exchange(const std::string& method, const std::string& urlText, TIdMultiPartFormDataStream* body,
                         const TIdByteSink* successSink, const TIdLimits& limits, bool intoStream = false);

private:
    void Prepare(const std::string& method, const std::string& urlText, TIdMultiPartFormDataStream* body);
    void Connect();
    void Send(TIdMultiPartFormDataStream* body);
    void ReadAnswer(const TIdByteSink* successSink, TIdChunkFraming framing);
    [[noreturn]] void FailWithBody();
    void DecideKeepAlive();
    void Report(const std::string& method, const std::string& urlText, const std::string& error);
    std::string Version() const { return owner.ProtocolVersion == TIdHTTPProtocolVersion::pv1_0 ? "1.0" : "1.1"; }
};

void TIdHTTP::Impl::Prepare(const std::string& method, const std::string& urlText, TIdMultiPartFormDataStream* body)
{
    TIdURI next = TIdURI::Parse(urlText);
    if (!next.Username.empty()) {
        request.Username = next.Username;
        request.Password = next.Password;
    }
    url.MergeFrom(next);
    request.Method = method;
    request.Target = url.Target();
    request.ContentLength = body ? body->Size() : -1;
    request.Host = url.Port == "80" ? url.Host : url.Host + ":" + url.Port;

    if (owner.ProtocolVersion == TIdHTTPProtocolVersion::pv1_0 && request.Connection.empty())
        request.Connection = "keep-alive";
    // No content decoder: ask for bodies as they are.
    if (!IdContainsText(request.AcceptEncoding, "identity"))
        request.AcceptEncoding += request.AcceptEncoding.empty() ? "identity" : ", identity";

    request.Cookie = owner.AllowCookies && cookies ? cookies->CookieHeader(url.Host, url.Path) : std::string();
    request.Authorization =
        authenticator ? "Basic " + IdEncodeBase64(authenticator->first + ":" + authenticator->second) : std::string();
}

void TIdHTTP::Impl::Connect()
{
    int port = PortNumber(url.Port);
    connection.OnIdle = owner.OnIdle;
    if (connection.IsOpen() && (connection.Host() != url.Host || connection.Port() != port))
        connection.CloseConnection();
    if (!keepAlive)
        connection.CloseConnection();
    // Reuse only a connection the router still holds open and that carries
    // no stray bytes, which would otherwise be read as the next answer.
    if (connection.IsOpen() && (!connection.IsConnected() || connection.BufferedBytes() > 0))
        connection.CloseConnection();
    if (!connection.IsOpen())
        connection.OpenConnection(url.Host, port);
}

void TIdHTTP::Impl::Send(TIdMultiPartFormDataStream* body)
{
    connection.SendBytes(request.Head(Version()));
    if (!body)
        return;
    body->Seek(0, TIdSeekOrigin::soBeginning);
    connection.SendStream([body](char* buffer, std::size_t size) { return body->Read(buffer, size); },
                          request.ContentLength);
}

void TIdHTTP::Impl::FailWithBody()
{
    std::string text;
    IdReadResponseBody(connection, response, TextSink(text, connection.Limits.MaxTextBody));
    bodyBytes = text.size();
    throw EIdHTTPProtocolException(response.ResponseCode, response.ResponseText, std::move(text));
}

void TIdHTTP::Impl::ReadAnswer(const TIdByteSink* successSink, TIdChunkFraming framing)
{
    IdReadResponseHead(
        connection, response,
        [this](const TIdHeaderList& headers) {
            if (!owner.AllowCookies)
                return;
            if (!cookies)
                cookies = owner.CookieClock ? std::make_unique<TIdCookieManager>(owner.CookieClock)
                                            : std::make_unique<TIdCookieManager>();
            cookies->TakeHeaders(headers, url.Host);
        },
        connection.Limits.MaxHeadBytes);
    int code = response.ResponseCode;
    // Redirects are never followed: they fail like any other non-success.
    if ((code >= 300 && code <= 399 && code != 304) || !response.Location.empty())
        FailWithBody();
    if (code >= 200 && code <= 299) {
        if (code != 204)
            IdReadResponseBody(connection, response, *successSink, framing);
        return;
    }
    if (code == 401) {
        if (!authenticator) {
            for (const std::string& schemes : response.RawHeaders.Values("WWW-Authenticate")) {
                if (NamesBasicScheme(schemes)) {
                    authenticator.emplace(request.Username, request.Password);
                    break;
                }
            }
        }
        // The password is empty, so the attempt is refused at once; the
        // authenticator stays and later requests carry its empty credentials.
    }
    FailWithBody();
}

void TIdHTTP::Impl::DecideKeepAlive()
{
    bool open = connection.IsOpen() && connection.IsConnected();
    if (owner.ProtocolVersion == TIdHTTPProtocolVersion::pv1_0)
        keepAlive = open && (IdSameText(response.Connection, "keep-alive") ||
                             IdSameText(response.ProxyConnection, "keep-alive"));
    else
        keepAlive = open && !IdSameText(response.Connection, "close") && !IdSameText(response.ProxyConnection, "close");
    if (!keepAlive)
        connection.CloseConnection();
}

void TIdHTTP::Impl::Report(const std::string& method, const std::string& urlText, const std::string& error)
{
    if (!owner.OnExchange)
        return;
    TIdHTTPExchange exchange;
    exchange.Method = method;
    exchange.Url = urlText;
    exchange.SentBytes = std::max<std::int64_t>(request.ContentLength, 0);
    exchange.StatusLine = response.ResponseText;
    exchange.ReceivedBytes = bodyBytes;
    exchange.Error = error;
    owner.OnExchange(exchange);
}

std::string TIdHTTP::Impl::Exchange(const std::string& method, const std::string& urlText,
                                    TIdMultiPartFormDataStream* body, const TIdByteSink* successSink,
                                    const TIdLimits& limits, bool intoStream)
{
    using Clock = std::chrono::steady_clock;
    bodyBytes = 0;
    response = TIdHTTPResponse();
    connection.Limits = limits;
    const Clock::time_point answerDeadline =
        limits.AnswerMs > 0 ? Clock::now() + std::chrono::milliseconds(limits.AnswerMs) : Clock::time_point::max();
    connection.Deadline = answerDeadline;
    std::string text;
    TIdByteSink textSink = TextSink(text, limits.MaxTextBody);
    const TIdByteSink& sink = successSink ? *successSink : textSink;
    const TIdByteSink counted = [this, &sink](const char* data, std::size_t size) {
        sink(data, size);
        bodyBytes += size;
    };
    try {
        Prepare(method, urlText, body);
        Connect();
        if (limits.SendMs > 0)
            connection.Deadline = std::min(answerDeadline, Clock::now() + std::chrono::milliseconds(limits.SendMs));
        Send(body);
        connection.Deadline = answerDeadline;
        if (limits.AfterSendMs > 0) {
            // The router may stay silent while it works on the request; the
            // whole answer gets this long from now, and nothing else counts.
            connection.Deadline = Clock::now() + std::chrono::milliseconds(limits.AfterSendMs);
            connection.Limits.StallMs = limits.AfterSendMs;
        }
        if (owner.OnRequestSent)
            owner.OnRequestSent();
        ReadAnswer(&counted, intoStream ? TIdChunkFraming::Strict : TIdChunkFraming::Lenient);
        // An empty stream must not pass for a whole body.
        if (intoStream && response.HeadersCutShort)
            throw EIdConnClosedGracefully();
    } catch (const EIdHTTPProtocolException&) {
        DecideKeepAlive();  // the whole answer was read: the connection may stay
        Report(method, urlText, {});
        throw;
    } catch (...) {
        // Anything else leaves the connection in an unknown place of the stream.
        keepAlive = false;
        connection.CloseConnection();
        Report(method, urlText, CurrentErrorText());
        throw;
    }
    DecideKeepAlive();
    Report(method, urlText, {});
    return text;
}

TIdHTTP::TIdHTTP() : d(std::make_unique<Impl>(*this)) {}
TIdHTTP::~TIdHTTP() = default;

std::string TIdHTTP::Get(const std::string& url) { return Get(url, Limits); }

std::string TIdHTTP::Get(const std::string& url, const TIdLimits& limits)
{
    return d->Exchange("GET", url, nullptr, nullptr, limits);
}

void TIdHTTP::Get(const std::string& url, std::ostream& destination) { Get(url, destination, Limits); }

void TIdHTTP::Get(const std::string& url, std::ostream& destination, const TIdLimits& limits)
{
    TIdByteSink sink = StreamSink(destination, limits.MaxStreamBody);
    d->Exchange("GET", url, nullptr, &sink, limits, true);
}

std::string TIdHTTP::Post(const std::string& url, TIdMultiPartFormDataStream& body) { return Post(url, body, Limits); }

std::string TIdHTTP::Post(const std::string& url, TIdMultiPartFormDataStream& body, const TIdLimits& limits)
{
    d->request.ContentType = body.RequestContentType();
    // Every upload goes out on a fresh connection, as HTTP/1.0.
    d->keepAlive = false;
    d->connection.CloseConnection();
    ProtocolVersionOverride version(ProtocolVersion, TIdHTTPProtocolVersion::pv1_0);
    return d->Exchange("POST", url, &body, nullptr, limits);
}

TIdCookieManager* TIdHTTP::CookieManager() const { return d->cookies.get(); }
const std::string& TIdHTTP::ResponseText() const { return d->response.ResponseText; }
int TIdHTTP::ResponseCode() const { return d->response.ResponseCode; }
std::int64_t TIdHTTP::ResponseContentLength() const
{
    return d->response.HasContentLength ? d->response.ContentLength : -1;
}
