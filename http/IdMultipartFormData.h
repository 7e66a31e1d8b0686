// multipart/form-data upload body, produced piece by piece straight from the
// files it names; never assembled in memory.
#pragma once

#include "http/IdException.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Local wall-clock time, the source of the multipart boundary.
struct TIdLocalTime {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
};
using TIdLocalClock = std::function<TIdLocalTime()>;
TIdLocalTime IdNowLocal();

enum class TIdSeekOrigin { soBeginning, soCurrent, soEnd };

class TIdMultiPartFormDataStream {
public:
    explicit TIdMultiPartFormDataStream(const TIdLocalClock& clock = IdNowLocal);
    ~TIdMultiPartFormDataStream();
    TIdMultiPartFormDataStream(const TIdMultiPartFormDataStream&) = delete;
    TIdMultiPartFormDataStream& operator=(const TIdMultiPartFormDataStream&) = delete;

    // Opens the file (shared advisory lock) and appends a file part; raises
    // EFOpenError "Cannot open file "%s". %s" when it cannot be opened.
    void AddFile(const std::string& fieldName, const std::string& fileName, const std::string& contentType);

    const std::string& Boundary() const;
    std::string RequestContentType() const;  // "multipart/form-data; boundary=" + boundary
    std::int64_t Size() const;

    // Copies the next bytes; returns how many, 0 at the end.
    std::size_t Read(char* buffer, std::size_t count);
    std::int64_t Seek(std::int64_t offset, TIdSeekOrigin origin);
    // Writing or resizing: EStreamError "Unsupported operation.".
    std::size_t Write(const char* buffer, std::size_t count);
    void SetSize(std::int64_t size);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
