#include "http/IdHTTPResponse.h"

#include "http/IdException.h"
#include "http/IdNumbers.h"

#include <cctype>
#include <climits>

namespace {

// A chunk-size line up to its first blank (or extension), in hex. A line
// that does not parse counts as 0 (the last chunk) for a lenient reading and
// fails for a strict one. More than 15 significant hex digits fit no real
// body: that fails rather than passing for the last chunk.
std::int64_t ChunkSize(const std::string& line, TIdChunkFraming framing)
{
    std::string text = IdTrim(line);
    std::size_t end = text.find_first_of(" \t;");
    if (end != std::string::npos)
        text.erase(end);
    if (text.empty() || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        if (framing == TIdChunkFraming::Strict)
            throw EIdInvalidChunkSize();
        return 0;
    }
    std::size_t first = text.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    if (text.size() - first > 15)
        throw EIdInvalidChunkSize();
    std::int64_t size = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size = size * 16 + (std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    return size;
}

// Counts the bytes of the head against its limit.
class HeadBudget {
public:
    explicit HeadBudget(std::size_t limit) : left_(limit), limit_(limit) {}
    void Take(const std::string& line)
    {
        std::size_t size = line.size() + 2;
        if (size > left_)
            throw EIdResponseTooLarge("Response header larger than " + std::to_string(limit_) + " bytes.");
        left_ -= size;
    }

private:
    std::size_t left_;
    std::size_t limit_;
};

void ReadHeaderBlock(TIdTCPConnection& connection, TIdHTTPResponse& response, HeadBudget& budget)
{
    response.RawHeaders.Clear();
    try {
        for (;;) {
            std::string line = connection.ReadLine();
            budget.Take(line);
            if (line.empty())
                return;
            if (response.RawHeaders.Count() < TIdHTTPResponse::MaxHeaderLines)
                response.RawHeaders.AddRaw(line);
        }
    } catch (const EIdConnClosedGracefully&) {
        // The headers read so far count; nothing more will come.
        response.HeadersCutShort = true;
        connection.CloseConnection();
    }
}

void TakeControlHeaders(TIdHTTPResponse& response)
{
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

bool TIdHTTPResponse::IsChunked() const { return IdContainsText(TransferEncoding, "chunked"); }

int IdStatusCode(const std::string& statusLine)
{
    std::size_t start = statusLine.find(' ');
    if (start == std::string::npos)
        return -1;
    while (start < statusLine.size() && statusLine[start] == ' ')
        ++start;
    std::size_t end = statusLine.find(' ', start);
    std::int64_t code = -1;
    if (!IdParseInt64(statusLine.substr(start, end - start), code) || code < INT_MIN || code > INT_MAX)
        return -1;
    return static_cast<int>(code);
}

void IdReadResponseHead(TIdTCPConnection& connection, TIdHTTPResponse& response,
                        const std::function<void(const TIdHeaderList&)>& onHeaderBlock, std::size_t maxHeadBytes)
{
    response.HeadersCutShort = false;
    HeadBudget budget(maxHeadBytes);
    do {
        response.ResponseText = connection.ReadLine();
        budget.Take(response.ResponseText);
        ReadHeaderBlock(connection, response, budget);
        if (onHeaderBlock)
            onHeaderBlock(response.RawHeaders);
        response.ResponseCode = IdStatusCode(response.ResponseText);
    } while (response.ResponseCode == 100 && !response.HeadersCutShort);
    // A close inside an interim block: the real answer never came.
    if (response.ResponseCode == 100)
        throw EIdConnClosedGracefully();
    TakeControlHeaders(response);
}

void IdReadResponseBody(TIdTCPConnection& connection, const TIdHTTPResponse& response, const TIdByteSink& sink,
                        TIdChunkFraming framing)
{
    if (response.HeadersCutShort)
        return;
    if (response.IsChunked()) {
        for (std::int64_t size = ChunkSize(connection.ReadLine(), framing); size > 0;
             size = ChunkSize(connection.ReadLine(), framing)) {
            connection.ReadToStream(sink, size);
            // The CR LF after the chunk's data; anything else there means the
            // size did not match the data.
            if (!connection.ReadLine().empty() && framing == TIdChunkFraming::Strict)
                throw EIdInvalidChunkSize();
        }
        try {
            connection.ReadLine();  // the line after the last chunk
        } catch (const EIdConnClosedGracefully&) {
            // Every chunk has arrived; a missing final line loses nothing.
        }
    } else if (response.HasContentLength) {
        if (response.ContentLength == 0)
            return;
        try {
            connection.ReadToStream(sink, response.ContentLength);
        } catch (const EIdConnClosedGracefully&) {
            // The peer closed early: the body is what arrived.
        }
    } else {
        connection.ReadUntilClosed(sink);
    }
}
