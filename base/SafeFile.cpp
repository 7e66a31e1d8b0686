#include "base/SafeFile.h"

#include "base/Exception.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <streambuf>
#include <utility>

namespace {

std::string Quoted(const std::string& fileName) { return "\"" + fileName + "\""; }

[[noreturn]] void CannotCreate(const std::string& target, int error)
{
    throw EFOpenError("Cannot create file " + Quoted(target) + ". " + std::strerror(error));
}

[[noreturn]] void CannotWrite(const std::string& target, int error)
{
    throw EStreamError("Cannot write file " + Quoted(target) + ". " + std::strerror(error));
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Six letters or digits, different for every call.
std::string RandomSuffix()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(
        std::random_device{}() ^ static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kLetters[random() % (sizeof kLetters - 1)];
    return suffix;
}

// Creates "<target>.XXXXXX" exclusively, without following links.
int CreateTemporary(const std::string& target, mode_t mode, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + RandomSuffix();
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

}  // namespace

struct TSafeFile::Impl : std::streambuf {
    std::string target;
    std::string temporary;
    int fd = -1;
    std::int64_t size = 0;
    int writeError = 0;  // errno of the first refused write
    std::ostream stream{this};

    bool Put(const char* data, std::size_t count)
    {
        if (writeError == 0 && !WriteAll(fd, data, count))
            writeError = errno;
        if (writeError != 0)
            return false;
        size += static_cast<std::int64_t>(count);
        return true;
    }

    std::streamsize xsputn(const char* data, std::streamsize count) override
    {
        return Put(data, static_cast<std::size_t>(count)) ? count : 0;
    }
    int_type overflow(int_type ch) override
    {
        if (traits_type::eq_int_type(ch, traits_type::eof()))
            return traits_type::not_eof(ch);
        const char byte = traits_type::to_char_type(ch);
        return Put(&byte, 1) ? ch : traits_type::eof();
    }

    void Discard()
    {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
            ::unlink(temporary.c_str());
        }
    }
};

TSafeFile::TSafeFile(std::string target, TFileAccess access) : d(std::make_unique<Impl>())
{
    d->target = std::move(target);
    mode_t mode = access == TFileAccess::OwnerOnly ? 0600 : 0666;
    bool keepMode = false;
    struct stat existing {};
    if (access == TFileAccess::Usual && ::lstat(d->target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if (::access(d->target.c_str(), W_OK) != 0)
            CannotCreate(d->target, errno);
        mode = existing.st_mode & 0777;
        keepMode = true;
    }
    // Created private; an existing file's permissions are given only once
    // the file is ours alone.
    d->fd = CreateTemporary(d->target, keepMode ? 0600 : mode, d->temporary);
    if (d->fd < 0)
        CannotCreate(d->target, errno);
    if ((keepMode || access == TFileAccess::OwnerOnly) && ::fchmod(d->fd, mode) != 0) {
        const int error = errno;
        d->Discard();
        CannotCreate(d->target, error);
    }
}

TSafeFile::~TSafeFile() { d->Discard(); }

void TSafeFile::Write(std::string_view bytes)
{
    if (!d->Put(bytes.data(), bytes.size()))
        CannotWrite(d->target, d->writeError);
}

std::ostream& TSafeFile::Stream() { return d->stream; }

std::int64_t TSafeFile::Size() const { return d->size; }

void TSafeFile::Commit()
{
    if (d->fd < 0)
        CannotWrite(d->target, EBADF);
    if (d->writeError != 0)
        CannotWrite(d->target, d->writeError);
    if (::fsync(d->fd) != 0 || ::close(std::exchange(d->fd, -1)) != 0) {
        const int error = errno;
        ::unlink(d->temporary.c_str());
        CannotWrite(d->target, error);
    }
    // rename() replaces a link of the target's name itself, not what it points to.
    if (std::rename(d->temporary.c_str(), d->target.c_str()) != 0) {
        const int error = errno;
        ::unlink(d->temporary.c_str());
        CannotWrite(d->target, error);
    }
    // The new name reaches the disk with its folder.
    const int folder = ::open(FolderOf(d->target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void SaveFileAtomically(const std::string& target, std::string_view bytes, TFileAccess access)
{
    TSafeFile file(target, access);
    file.Write(bytes);
    file.Commit();
}
