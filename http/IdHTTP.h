// The HTTP/1.0 client the router drivers use: one object for the whole run,
// keeping its request record, current URL, cookies and connection between
// requests.
#pragma once

#include "http/IdException.h"
#include "http/IdLimits.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

class TIdMultiPartFormDataStream;
class TIdCookieManager;

enum class TIdHTTPProtocolVersion { pv1_0, pv1_1 };

// One request and its answer, as an observer of the client sees it.
struct TIdHTTPExchange {
    std::string Method;
    std::string Url;                  // as the caller gave it
    std::int64_t SentBytes = 0;       // request body; 0 for GET
    std::string StatusLine;           // empty when no answer arrived
    std::uint64_t ReceivedBytes = 0;  // answer body bytes read
    std::string Error;                // when the exchange failed other than by its answer
};

class TIdHTTP {
public:
    TIdHTTP();
    ~TIdHTTP();
    TIdHTTP(const TIdHTTP&) = delete;
    TIdHTTP& operator=(const TIdHTTP&) = delete;

    // Each operation runs under the given limits, or under Limits when none
    // are given. A bound that runs out fails with socket error 10060
    // ("Connection timed out."); a size limit with EIdResponseTooLarge.
    // A chunked body into a stream whose framing does not parse fails with
    // EIdInvalidChunkSize: a garbled body must not pass for a whole one.

    // Body as text (bytes unchanged).
    std::string Get(const std::string& url);
    std::string Get(const std::string& url, const TIdLimits& limits);
    // Body appended to the stream; on an error answer the stream is untouched.
    // A head cut short by a close fails with EIdConnClosedGracefully here:
    // an empty stream must not pass for a whole body.
    void Get(const std::string& url, std::ostream& destination);
    void Get(const std::string& url, std::ostream& destination, const TIdLimits& limits);
    // POST of a multipart body on a fresh connection; the answer's body as text.
    std::string Post(const std::string& url, TIdMultiPartFormDataStream& body);
    std::string Post(const std::string& url, TIdMultiPartFormDataStream& body, const TIdLimits& limits);

    TIdHTTPProtocolVersion ProtocolVersion = TIdHTTPProtocolVersion::pv1_1;
    bool AllowCookies = true;
    bool HandleRedirects = false;  // redirects are never followed; they fail as error answers

    // Runs about every 16 ms (TIdTCPConnection::IdleIntervalMs) while a connect, send or read waits, so the
    // caller can keep its window painted. The transport knows nothing else of it.
    std::function<void()> OnIdle;
    // The limits of operations called without their own.
    TIdLimits Limits;
    // Runs once per request when its last byte has been handed to the
    // system, before the answer is read: from then on the router has the
    // whole request and the wait is for its answer. Not run when the request
    // could not be sent whole. It must not throw.
    std::function<void()> OnRequestSent;
    // Runs after every exchange, successful or not (logging). It must not throw.
    std::function<void(const TIdHTTPExchange&)> OnExchange;
    // Current time for cookie expiry, seconds since the epoch (tests inject one).
    std::function<std::time_t()> CookieClock;
    // The cookie store; none until the first answer arrives with AllowCookies on.
    TIdCookieManager* CookieManager() const;

    // Response of the last exchange (status line, e.g. "HTTP/1.0 200 OK", and code).
    const std::string& ResponseText() const;
    int ResponseCode() const;
    // The body length the last answer announced, or -1 when it announced none.
    // A router that closes early yields a short body without an error; a
    // caller that must not keep a cut-off copy compares against this.
    std::int64_t ResponseContentLength() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
