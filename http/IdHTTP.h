// The HTTP/1.0 client the router drivers use: one object for the whole run,
// keeping its request record, current URL, cookies and connection between
// requests.
#pragma once

#include "http/IdException.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

class TIdMultiPartFormDataStream;

enum class TIdHTTPProtocolVersion { pv1_0, pv1_1 };

// Limits on waits. The originals had none; an unanswered router must not
// hang the wizard forever. Tests set them small.
struct TIdTimeouts {
    int ConnectMs = 20000;  // give up a connect after this long
    int ReadMs = 180000;    // give up a read that receives nothing for this long
};

class TIdHTTP {
public:
    TIdHTTP();
    ~TIdHTTP();
    TIdHTTP(const TIdHTTP&) = delete;
    TIdHTTP& operator=(const TIdHTTP&) = delete;

    // Body as text (bytes unchanged).
    std::string Get(const std::string& url);
    // Body appended to the stream; on an error answer the stream is untouched.
    void Get(const std::string& url, std::ostream& destination);
    // POST of a multipart body on a fresh connection; the answer's body as text.
    std::string Post(const std::string& url, TIdMultiPartFormDataStream& body);

    TIdHTTPProtocolVersion ProtocolVersion = TIdHTTPProtocolVersion::pv1_1;
    bool AllowCookies = true;
    bool HandleRedirects = false;

    // Runs about every 50 ms while a connect, send or read waits, so the
    // caller can keep its window painted. The transport knows nothing else of it.
    std::function<void()> OnIdle;
    TIdTimeouts Timeouts;

    // Response of the last exchange (status line, e.g. "HTTP/1.0 200 OK", and code).
    const std::string& ResponseText() const;
    int ResponseCode() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
