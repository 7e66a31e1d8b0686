#include "http/IdCookieManager.h"

#include "http/IdNumbers.h"
#include "http/IdTCPConnection.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <mutex>

namespace {

std::string Unquote(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

std::vector<std::string> SplitTrimmed(const std::string& text, char separator)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(separator, start);
        items.push_back(IdTrim(text.substr(start, end - start)));
        if (end == std::string::npos)
            return items;
        start = end + 1;
    }
}

}  // namespace

bool IdCookieDomainMatches(const std::string& domain, const std::string& host)
{
    std::string bare = !domain.empty() && domain[0] == '.' ? domain.substr(1) : domain;
    if (bare.empty() || host.empty())
        return false;
    if (IdIsDottedQuad(host) || IdIsDottedQuad(bare))
        return bare == host;
    return IdSameText(bare, host) || IdEndsWithText(host, "." + bare);
}

TIdCookieManager::TIdCookieManager(TIdWallClock clock) : clock_(std::move(clock)) {}

void TIdCookieManager::TakeHeaders(const TIdHeaderList& headers, const std::string& originHost)
{
    for (const std::string& name : {std::string("Set-Cookie"), std::string("Set-Cookie2")})
        for (const std::string& text : headers.Values(name))
            AddCookie(text, originHost);
}

bool TIdCookieManager::AddCookie(const std::string& text, const std::string& originHost)
{
    std::vector<std::string> items = SplitTrimmed(text, ';');
    TIdCookie cookie;
    std::size_t equals = items[0].find('=');
    cookie.Name = IdTrim(items[0].substr(0, equals));
    if (equals != std::string::npos)
        cookie.Value = IdTrim(items[0].substr(equals + 1));
    if (cookie.Name.empty() || cookie.Name.size() + cookie.Value.size() > MaxCookieSize)
        return false;

    bool hasExpires = false;
    std::optional<long long> maxAge;
    for (std::size_t i = 1; i < items.size(); ++i) {
        std::size_t eq = items[i].find('=');
        std::string name = IdTrim(items[i].substr(0, eq));
        std::string value = eq == std::string::npos ? "" : IdTrim(items[i].substr(eq + 1));
        if (IdSameText(name, "PATH")) {
            cookie.Path = Unquote(value);
            if (cookie.Path.empty())
                cookie.Path = "/";
        } else if (IdSameText(name, "EXPIRES")) {
            hasExpires = true;
            cookie.Expires = IdParseCookieDate(Unquote(value));
        } else if (IdSameText(name, "DOMAIN")) {
            cookie.Domain = Unquote(value);
        } else if (IdSameText(name, "SECURE")) {
            cookie.Secure = true;
        } else if (IdSameText(name, "MAX-AGE")) {
            std::int64_t seconds = 0;
            if (IdParseInt64(Unquote(value), seconds))
                maxAge = seconds;
        } else if (IdSameText(name, "VERSION")) {
            cookie.Version = Unquote(value);
        } else if (IdSameText(name, "COMMENT")) {
            cookie.Comment = Unquote(value);
        }
    }
    if (maxAge && !hasExpires) {
        long long now = clock_();
        long long limit = LLONG_MAX / 4;
        cookie.Expires = static_cast<std::time_t>(now + std::clamp(*maxAge, -limit, limit));
    }

    if (cookie.Domain.empty())
        cookie.Domain = originHost;
    if (!cookie.Domain.empty() && cookie.Domain[0] == '.')
        cookie.Domain.erase(0, 1);
    if (!IdCookieDomainMatches(cookie.Domain, originHost))
        return false;

    std::unique_lock<std::shared_mutex> guard(lock_);
    auto domain = std::find_if(domains_.begin(), domains_.end(),
                               [&](const DomainCookies& d) { return IdSameText(d.Domain, cookie.Domain); });
    if (domain != domains_.end()) {
        auto same = std::find_if(domain->Cookies.begin(), domain->Cookies.end(),
                                 [&](const TIdCookie& c) { return IdSameText(c.Name, cookie.Name); });
        if (same != domain->Cookies.end()) {
            *same = cookie;
            return true;
        }
    }
    if (count_ >= MaxCookies)
        return false;
    if (domain == domains_.end()) {
        domains_.push_back({cookie.Domain, {}});
        domain = domains_.end() - 1;
    }
    domain->Cookies.push_back(cookie);
    ++count_;
    return true;
}

void TIdCookieManager::RemoveExpired()
{
    std::time_t now = clock_();
    std::unique_lock<std::shared_mutex> guard(lock_);
    count_ = 0;
    for (auto& domain : domains_) {
        auto& cookies = domain.Cookies;
        cookies.erase(std::remove_if(cookies.begin(), cookies.end(),
                                     [&](const TIdCookie& c) { return c.Expires && *c.Expires <= now; }),
                      cookies.end());
        count_ += cookies.size();
    }
}

std::string TIdCookieManager::CookieHeader(const std::string& host, const std::string& path)
{
    RemoveExpired();
    std::shared_lock<std::shared_mutex> guard(lock_);
    std::string line;
    for (const auto& domain : domains_) {
        if (!IdCookieDomainMatches(domain.Domain, host))
            continue;
        for (const auto& cookie : domain.Cookies) {
            if (cookie.Value.empty() || cookie.Secure)
                continue;
            if (path.compare(0, cookie.Path.size(), cookie.Path) != 0)
                continue;
            if (!line.empty())
                line += "; ";
            line.append(cookie.Name).append("=").append(cookie.Value);
        }
    }
    return line;
}

std::vector<TIdCookieManager::DomainCookies> TIdCookieManager::Snapshot() const
{
    std::shared_lock<std::shared_mutex> guard(lock_);
    return domains_;
}
