// Feeds arbitrary bytes to the client as if a router had sent them: first
// through a socket into the response reader (status line, header blocks,
// every body framing, cookies from the headers), then straight into the
// cookie parser, the expiry date reader and the folding of request lines.
#include "http/IdCookieManager.h"
#include "http/IdException.h"
#include "http/IdHTTPResponse.h"
#include "http/IdTCPConnection.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t kBodyLimit = 1 << 20;

void ReadAsAnswer(const std::string& bytes)
{
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
        return;
    int size = 1 << 20;
    ::setsockopt(fds[1], SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::send(fds[1], bytes.data() + done, bytes.size() - done, MSG_DONTWAIT | MSG_NOSIGNAL);
        if (n <= 0)
            break;  // what does not fit is simply not sent
        done += static_cast<std::size_t>(n);
    }
    ::close(fds[1]);  // the router is done: every read ends at the close

    TIdTCPConnection connection;
    connection.Limits.StallMs = 1000;
    connection.AttachSocket(fds[0]);
    TIdCookieManager cookies([] { return std::time_t(1796000000); });
    TIdHTTPResponse response;
    std::string body;
    try {
        IdReadResponseHead(connection, response,
                           [&](const TIdHeaderList& headers) { cookies.TakeHeaders(headers, "192.168.0.1"); });
        IdReadResponseBody(connection, response, [&](const char* data, std::size_t n) {
            if (n > kBodyLimit - body.size())
                throw EIdResponseTooLarge("too large");
            body.append(data, n);
        });
    } catch (const Exception&) {
        // Every failure a router can cause must surface as one of ours.
    }
    cookies.CookieHeader("192.168.0.1", "/");
}

void ParseAsCookie(const std::string& text)
{
    TIdCookieManager cookies([] { return std::time_t(1796000000); });
    cookies.AddCookie(text, "192.168.0.1");
    cookies.AddCookie(text, "router.example.com");
    cookies.CookieHeader("192.168.0.1", "/");
    cookies.CookieHeader("www.router.example.com", "/sub/");
    IdParseCookieDate(text);
}

void Fold(const std::string& line)
{
    std::size_t kept = 0;
    for (const std::string& piece : IdFoldHeaderLine(line, 64))
        kept += piece.size();
    if (kept > line.size() + line.size() / 8 + 1)
        __builtin_trap();  // one blank per break at most
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    ReadAsAnswer(bytes);
    ParseAsCookie(bytes);
    Fold(bytes);
    return 0;
}
