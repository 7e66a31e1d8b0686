#include "tools/router-sim/lib/HttpMessage.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

namespace testsupport {

namespace {

// End of the head: index just past the blank line, or npos.
std::size_t HeadEnd(const std::string& buffer)
{
    std::size_t crlf = buffer.find("\r\n\r\n");
    // A bare "\n\n" counts only before the CR LF blank line: searching no
    // further keeps framing a large body from rescanning all of it.
    std::size_t lf = std::string_view(buffer).substr(0, crlf == std::string::npos ? crlf : crlf + 3).find("\n\n");
    if (crlf != std::string::npos && (lf == std::string::npos || crlf + 2 <= lf))
        return crlf + 4;
    if (lf != std::string::npos)
        return lf + 2;
    return std::string::npos;
}

std::vector<std::string> HeadLines(const std::string& head)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < head.size()) {
        std::size_t nl = head.find('\n', pos);
        std::string line = head.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        if (nl == std::string::npos)
            break;
        pos = nl + 1;
    }
    return lines;
}

}  // namespace

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string Trim(const std::string& s)
{
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

std::size_t RequestHeadLength(const std::string& buffer)
{
    std::size_t headEnd = HeadEnd(buffer);
    return headEnd == std::string::npos ? 0 : headEnd;
}

std::size_t CompleteRequestLength(const std::string& buffer)
{
    std::size_t headEnd = HeadEnd(buffer);
    if (headEnd == std::string::npos)
        return 0;
    HttpRequest head = ParseRequest(buffer.substr(0, headEnd));
    std::size_t bodyLength = 0;
    if (auto value = head.Header("Content-Length"))
        bodyLength = std::strtoull(value->c_str(), nullptr, 10);
    if (buffer.size() - headEnd < bodyLength)
        return 0;
    return headEnd + bodyLength;
}

HttpRequest ParseRequest(const std::string& raw)
{
    HttpRequest request;
    std::size_t headEnd = HeadEnd(raw);
    std::string head = raw.substr(0, headEnd);
    if (headEnd != std::string::npos)
        request.body = raw.substr(headEnd);
    std::vector<std::string> lines = HeadLines(head);
    if (lines.empty())
        return request;

    const std::string& start = lines[0];
    std::size_t sp1 = start.find(' ');
    std::size_t sp2 = sp1 == std::string::npos ? std::string::npos : start.find(' ', sp1 + 1);
    request.method = start.substr(0, sp1);
    if (sp1 != std::string::npos)
        request.target = start.substr(sp1 + 1, sp2 == std::string::npos ? std::string::npos : sp2 - sp1 - 1);
    if (sp2 != std::string::npos)
        request.version = start.substr(sp2 + 1);

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty())
            break;
        if ((line[0] == ' ' || line[0] == '\t') && !request.headers.empty()) {  // folded continuation
            request.headers.back().second += " " + Trim(line);
            continue;
        }
        std::size_t colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        request.headers.emplace_back(line.substr(0, colon), Trim(line.substr(colon + 1)));
    }
    return request;
}

std::optional<std::string> HttpRequest::Header(const std::string& name) const
{
    for (const auto& [key, value] : headers)
        if (EqualsIgnoreCase(key, name))
            return value;
    return std::nullopt;
}

std::string HttpRequest::Path() const { return target.substr(0, target.find('?')); }

std::string HttpRequest::Query(const std::string& key) const
{
    std::size_t q = target.find('?');
    if (q == std::string::npos)
        return {};
    std::string query = target.substr(q + 1);
    std::size_t pos = 0;
    while (pos <= query.size()) {
        std::size_t amp = query.find('&', pos);
        std::string pair = query.substr(pos, amp == std::string::npos ? std::string::npos : amp - pos);
        std::size_t eq = pair.find('=');
        if (pair.substr(0, eq) == key)
            return eq == std::string::npos ? std::string() : pair.substr(eq + 1);
        if (amp == std::string::npos)
            break;
        pos = amp + 1;
    }
    return {};
}

std::string HttpRequest::Cookie(const std::string& name) const
{
    for (const auto& [key, value] : headers) {
        if (!EqualsIgnoreCase(key, "Cookie"))
            continue;
        std::size_t pos = 0;
        while (pos < value.size()) {
            std::size_t semi = value.find(';', pos);
            std::string pair = Trim(value.substr(pos, semi == std::string::npos ? std::string::npos : semi - pos));
            std::size_t eq = pair.find('=');
            if (eq != std::string::npos && pair.substr(0, eq) == name)
                return pair.substr(eq + 1);
            if (semi == std::string::npos)
                break;
            pos = semi + 1;
        }
    }
    return {};
}

}  // namespace testsupport
