// Reading an answer: status line, header blocks (100 interim answers
// skipped), and the body in whichever framing the headers announce.
#pragma once

#include "http/IdHeaderList.h"
#include "http/IdTCPConnection.h"

#include <cstdint>
#include <functional>
#include <string>

struct TIdHTTPResponse {
    static constexpr std::size_t MaxHeaderLines = 255;

    std::string ResponseText;  // the whole status line
    int ResponseCode = -1;
    TIdHeaderList RawHeaders;      // at most MaxHeaderLines; the rest are read and dropped
    bool HeadersCutShort = false;  // the peer closed while headers were read

    std::string Connection;
    std::string ProxyConnection;
    std::string TransferEncoding;
    std::string Location;
    std::int64_t ContentLength = -1;
    bool HasContentLength = false;

    bool IsChunked() const;
};

// Second blank-separated token of the status line as a number, else -1.
int IdStatusCode(const std::string& statusLine);

// Reads status line and headers; `onHeaderBlock` sees every block read,
// the interim 100 blocks included. More than maxHeadBytes of head in all
// (line ends counted) fails with EIdResponseTooLarge.
void IdReadResponseHead(TIdTCPConnection& connection, TIdHTTPResponse& response,
                        const std::function<void(const TIdHeaderList&)>& onHeaderBlock,
                        std::size_t maxHeadBytes = TIdLimits().MaxHeadBytes);

// How a chunked body's framing is read. Lenient: a chunk-size line that does
// not parse ends the body as the last chunk would (pages read as text).
// Strict: it fails with EIdInvalidChunkSize, and so does a chunk whose data
// is not followed by its line end (bodies kept as files, where a garbled
// body must not pass for a whole one).
enum class TIdChunkFraming { Lenient, Strict };

// Reads the body the headers announce into `sink`. A close before a
// Content-Length body is complete just ends the body; a body without length
// or chunking runs to the close.
void IdReadResponseBody(TIdTCPConnection& connection, const TIdHTTPResponse& response, const TIdByteSink& sink,
                        TIdChunkFraming framing = TIdChunkFraming::Lenient);
