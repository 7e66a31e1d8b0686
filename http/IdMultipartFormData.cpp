#include "http/IdMultipartFormData.h"

#include "http/IdUniqueFd.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

TIdLocalTime IdNowLocal()
{
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,       local.tm_hour,
            local.tm_min,         local.tm_sec,     static_cast<int>(ms)};
}

namespace {

std::string MakeBoundary(const TIdLocalTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "--------%02d%02d%02d%02d%02d%02d%03d", t.Month % 100, t.Day % 100, t.Year % 100,
                  t.Hour % 100, t.Minute % 100, t.Second % 100, t.Millisecond % 1000);
    return text;
}

// One file part. The byte count is fixed when the part is added, so the
// body stays framed as announced whatever happens to the file later.
struct FilePart {
    std::string header;  // delimiter, disposition and type lines, blank line
    TIdUniqueFd file;
    std::int64_t size = 0;
};

}  // namespace

struct TIdMultiPartFormDataStream::Impl {
    std::string boundary;
    std::vector<FilePart> parts;
    std::int64_t size = 0;

    // Read state.
    std::size_t part = 0;  // index of the part being produced
    std::string pending;   // header, CR LF or closing text not yet handed out
    std::size_t pendingAt = 0;
    bool copying = false;     // the current part's file bytes are being copied
    std::int64_t copied = 0;  // bytes of the current file handed out
    bool closingQueued = false;
    bool fileShrank = false;  // a file ran short: the body ends here
    std::int64_t position = 0;

    std::string Closing() const { return "--" + boundary + "--\r\n"; }
    void Restart()
    {
        part = 0;
        pending.clear();
        pendingAt = 0;
        copying = false;
        copied = 0;
        closingQueued = false;
        fileShrank = false;
        position = 0;
    }
};

TIdMultiPartFormDataStream::TIdMultiPartFormDataStream(const TIdLocalClock& clock) : d(std::make_unique<Impl>())
{
    d->boundary = MakeBoundary(clock());
    d->size = static_cast<std::int64_t>(d->Closing().size());
}

TIdMultiPartFormDataStream::~TIdMultiPartFormDataStream() = default;

void TIdMultiPartFormDataStream::AddFile(const std::string& fieldName, const std::string& fileName,
                                         const std::string& contentType)
{
    auto fail = [&](int error) { throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(error)); };
    TIdUniqueFd file(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid())
        fail(errno);
    // Cooperating writers take an exclusive lock; while the part exists they wait.
    if (::flock(file.Get(), LOCK_SH | LOCK_NB) != 0)
        fail(errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        fail(errno);
    if (S_ISDIR(info.st_mode))
        fail(EISDIR);

    FilePart part;
    part.header = "--" + d->boundary + "\r\nContent-Disposition: form-data; name=\"" + fieldName + "\"; filename=\"" +
                  fileName + "\"\r\nContent-Type: " + contentType + "\r\n\r\n";
    part.size = info.st_size;
    part.file = std::move(file);
    d->size += static_cast<std::int64_t>(part.header.size()) + part.size + 2;
    d->parts.push_back(std::move(part));
}

const std::string& TIdMultiPartFormDataStream::Boundary() const { return d->boundary; }

std::string TIdMultiPartFormDataStream::RequestContentType() const
{
    return "multipart/form-data; boundary=" + d->boundary;
}

std::int64_t TIdMultiPartFormDataStream::Size() const { return d->size; }

std::size_t TIdMultiPartFormDataStream::Read(char* buffer, std::size_t count)
{
    Impl& s = *d;
    std::size_t done = 0;
    while (done < count && !s.fileShrank) {
        if (s.pendingAt == s.pending.size() && !s.copying) {
            s.pending.clear();
            s.pendingAt = 0;
            if (s.part < s.parts.size()) {
                s.pending = s.parts[s.part].header;
                s.copying = true;
                s.copied = 0;
            } else if (!s.closingQueued) {
                s.pending = s.Closing();
                s.closingQueued = true;
            } else {
                break;  // the end of the body
            }
        }
        if (s.pendingAt < s.pending.size()) {
            std::size_t take = std::min(count - done, s.pending.size() - s.pendingAt);
            std::memcpy(buffer + done, s.pending.data() + s.pendingAt, take);
            s.pendingAt += take;
            done += take;
            continue;
        }
        // Pending text is out: copy file bytes straight into the caller's buffer.
        FilePart& part = s.parts[s.part];
        std::int64_t left = part.size - s.copied;
        if (left > 0) {
            std::size_t want =
                static_cast<std::size_t>(std::min<std::int64_t>(left, static_cast<std::int64_t>(count - done)));
            ssize_t got = ::pread(part.file.Get(), buffer + done, want, s.copied);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                throw EStreamError(std::string("Stream read error: ") + std::strerror(errno));
            if (got == 0) {
                // The file is shorter than announced: stop here so the send
                // fails instead of delivering a short, misframed body.
                s.fileShrank = true;
                break;
            }
            s.copied += got;
            done += static_cast<std::size_t>(got);
            continue;
        }
        s.copying = false;
        ++s.part;
        s.pending = "\r\n";
        s.pendingAt = 0;
    }
    s.position += static_cast<std::int64_t>(done);
    return done;
}

std::int64_t TIdMultiPartFormDataStream::Seek(std::int64_t offset, TIdSeekOrigin origin)
{
    if (origin == TIdSeekOrigin::soEnd)
        return d->size;
    if (origin == TIdSeekOrigin::soBeginning && offset == 0)
        d->Restart();
    return d->position;
}

std::size_t TIdMultiPartFormDataStream::Write(const char*, std::size_t)
{
    throw EStreamError("Unsupported operation.");
}

void TIdMultiPartFormDataStream::SetSize(std::int64_t) { throw EStreamError("Unsupported operation."); }
