// The client's cookie store: takes Set-Cookie / Set-Cookie2 lines from each
// answer and gives the Cookie line for each request. Domains match the way
// browsers match them, so a cookie from 192.168.0.1 never reaches
// 192.168.0.10 and one for example.com never reaches badexample.com.
#pragma once

#include "http/IdHeaderList.h"

#include <ctime>
#include <functional>
#include <optional>
#include <shared_mutex>
#include <string>
#include <vector>

struct TIdCookie {
    std::string Name;
    std::string Value;
    std::string Domain;
    std::string Path = "/";
    std::optional<std::time_t> Expires;  // none: kept for the whole run
    bool Secure = false;
    std::string Version;
    std::string Comment;
};

// Seconds since the epoch, UTC; injected so tests control expiry.
using TIdWallClock = std::function<std::time_t()>;

// Parses the date forms servers write into "expires=" (RFC 1123, RFC 850,
// the Netscape dash form, asctime). None when it is not a date.
std::optional<std::time_t> IdParseCookieDate(const std::string& text);
// Host names are equal to the domain or end in "." + domain; an IPv4
// address matches only itself.
bool IdCookieDomainMatches(const std::string& domain, const std::string& host);

class TIdCookieManager {
public:
    // A router gets no more room than this: further new cookies, and cookies
    // whose name and value together are longer, are ignored.
    static constexpr std::size_t MaxCookies = 50;
    static constexpr std::size_t MaxCookieSize = 4096;

    explicit TIdCookieManager(TIdWallClock clock = [] { return std::time(nullptr); });

    // Every Set-Cookie and Set-Cookie2 line of an answer's header block.
    void TakeHeaders(const TIdHeaderList& headers, const std::string& originHost);
    // One cookie's text as found after "Set-Cookie: "; false when refused
    // or ignored.
    bool AddCookie(const std::string& text, const std::string& originHost);
    // The Cookie header value for a request, empty when nothing is to be sent.
    std::string CookieHeader(const std::string& host, const std::string& path);

    struct DomainCookies {
        std::string Domain;
        std::vector<TIdCookie> Cookies;  // in the order first stored
    };
    std::vector<DomainCookies> Snapshot() const;

private:
    void RemoveExpired();

    TIdWallClock clock_;
    mutable std::shared_mutex lock_;
    std::vector<DomainCookies> domains_;
    std::size_t count_ = 0;
};
