// The request record the client keeps for its whole life: header values set
// once stay for every later request unless something overwrites them.
#pragma once

#include <cstdint>
#include <string>

struct TIdHTTPRequest {
    std::string Method;
    std::string Target;  // path + document + params

    std::string Connection;
    std::string ContentVersion;
    std::string ContentEncoding;
    std::string ContentLanguage;
    std::string ContentType;
    std::int64_t ContentLength = -1;  // no header when negative
    std::string CacheControl;
    std::string Pragma;
    std::string ProxyConnection;
    std::string Host;
    std::string Accept = "text/html, */*";
    std::string AcceptCharset;
    std::string AcceptEncoding;
    std::string AcceptLanguage;
    std::string From;
    std::string Referer;
    std::string UserAgent = "Mozilla/3.0 (compatible; Norvo Firmware Upgrade)";
    std::string Range;
    std::string Authorization;
    std::string Cookie;

    std::string Username;
    std::string Password;

    // Request line, header lines in their fixed order (empty values left
    // out, long lines folded) and the empty line, each ended by CR LF.
    std::string Head(const std::string& version) const;
};
