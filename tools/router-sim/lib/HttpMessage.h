#pragma once
// Request framing and parsing for the test peers: deliberately independent of
// the client's own HTTP code so that the two cannot share a bug.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

// Length of the first complete request in `buffer` (head through the blank
// line, then as many body bytes as Content-Length announces), or 0 when it
// has not fully arrived yet.
std::size_t CompleteRequestLength(const std::string& buffer);
// Length of the head through the blank line, or 0 while it is incomplete.
std::size_t RequestHeadLength(const std::string& buffer);

struct HttpRequest {
    std::string method;
    std::string target;                                        // as sent, e.g. "/post_login.xml?hash=..."
    std::string version;                                       // e.g. "HTTP/1.0"
    std::vector<std::pair<std::string, std::string>> headers;  // in order, names as sent
    std::string body;

    // First header with this name (case-insensitive), if any.
    std::optional<std::string> Header(const std::string& name) const;
    std::string Path() const;                         // target without the query
    std::string Query(const std::string& key) const;  // raw value of a query key, "" if absent
    std::string Cookie(const std::string& name) const;
};

// Parses one request as framed by CompleteRequestLength (a cut-off request
// parses as far as it goes).
HttpRequest ParseRequest(const std::string& raw);

bool EqualsIgnoreCase(const std::string& a, const std::string& b);
std::string Trim(const std::string& s);

}  // namespace testsupport
