#include "http/IdHTTPResponse.h"

#include "http/IdException.h"
#include "http/IdNumbers.h"

#include <cctype>
#include <climits>

namespace {

// A chunk-size line up to its first blank (or extension), in hex; 0 when
// it does not parse.
std::int64_t ChunkSize(const std::string& line) {
    std::string text = IdTrim(line);
    std::size_t end = text.find_first_of(" \t;");
    if (end != std::string::npos) text.erase(end);
    if (text.empty() || text.size() > 15) return 0;
    std::int64_t size = 0;
    for (char c : text) {
        int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : std::isxdigit(static_cast<unsigned char>(c)) ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                                                   : -1;
        if (digit < 0) return 0;
        size = size * 16 + digit;
    }
    return size;
}

void ReadHeaderBlock(TIdTCPConnection& connection, TIdHTTPResponse& response) {
    response.RawHeaders.Clear();
    try {
        for (;;) {
            std::string line = connection.ReadLine();
            if (line.empty()) return;
            if (response.RawHeaders.Count() < TIdHTTPResponse::MaxHeaderLines) response.RawHeaders.AddRaw(line);
        }
    } catch (const EIdConnClosedGracefully&) {
        // The headers read so far count; nothing more will come.
        response.HeadersCutShort = true;
        connection.CloseConnection();
    }
}

void TakeControlHeaders(TIdHTTPResponse& response) {
    const TIdHeaderList& h = response.RawHeaders;
    response.Connection = h.Value("Connection");
    response.ProxyConnection = h.Value("Proxy-Connection");
    response.TransferEncoding = h.Value("Transfer-Encoding");
    response.Location = h.Value("Location");
    std::int64_t length = -1;
    response.HasContentLength = IdParseInt64(h.Value("Content-Length"), length) && length >= 0;
    response.ContentLength = response.HasContentLength ? length : -1;
}

}  // namespace

bool TIdHTTPResponse::IsChunked() const {
    std::string lower = TransferEncoding;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("chunked") != std::string::npos;
}

int IdStatusCode(const std::string& statusLine) {
    std::size_t start = statusLine.find(' ');
    if (start == std::string::npos) return -1;
    while (start < statusLine.size() && statusLine[start] == ' ') ++start;
    std::size_t end = statusLine.find(' ', start);
    std::int64_t code = -1;
    if (!IdParseInt64(statusLine.substr(start, end - start), code) || code < INT_MIN || code > INT_MAX) return -1;
    return static_cast<int>(code);
}

void IdReadResponseHead(TIdTCPConnection& connection, TIdHTTPResponse& response,
                        const std::function<void(const TIdHeaderList&)>& onHeaderBlock) {
    response.HeadersCutShort = false;
    do {
        response.ResponseText = connection.ReadLine();
        ReadHeaderBlock(connection, response);
        if (onHeaderBlock) onHeaderBlock(response.RawHeaders);
        response.ResponseCode = IdStatusCode(response.ResponseText);
    } while (response.ResponseCode == 100 && !response.HeadersCutShort);
    TakeControlHeaders(response);
}

void IdReadResponseBody(TIdTCPConnection& connection, const TIdHTTPResponse& response, const TIdByteSink& sink) {
    if (response.HeadersCutShort) return;
    if (response.IsChunked()) {
        for (std::int64_t size = ChunkSize(connection.ReadLine()); size > 0; size = ChunkSize(connection.ReadLine())) {
            connection.ReadToStream(sink, size);
            connection.ReadLine();  // the CR LF after the chunk's data
        }
        try {
            connection.ReadLine();  // the line after the last chunk
        } catch (const EIdConnClosedGracefully&) {
            // Every chunk has arrived; a missing final line loses nothing.
        }
    } else if (response.HasContentLength) {
        if (response.ContentLength == 0) return;
        try {
            connection.ReadToStream(sink, response.ContentLength);
        } catch (const EIdConnClosedGracefully&) {
            // The peer closed early: the body is what arrived.
        }
    } else {
        connection.ReadUntilClosed(sink);
    }
}
