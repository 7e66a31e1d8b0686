#include "base/SafeFile.h"

#include "base/Exception.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>
#include <set>
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

constexpr std::size_t kSuffixLength = 6;

// The temporary files of this process that are still open for writing.
struct TUnfinishedFiles {
    std::mutex lock;
    std::set<std::string> names;
};

TUnfinishedFiles& Unfinished()
{
    static TUnfinishedFiles files;
    return files;
}

void Register(const std::string& name)
{
    TUnfinishedFiles& files = Unfinished();
    const std::lock_guard<std::mutex> held(files.lock);
    files.names.insert(name);
}

void Unregister(const std::string& name)
{
    TUnfinishedFiles& files = Unfinished();
    const std::lock_guard<std::mutex> held(files.lock);
    files.names.erase(name);
}

// Six letters or digits, different for every call.
std::string RandomSuffix()
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::string suffix(kSuffixLength, ' ');
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
        if (fd >= 0)
            Register(name);
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
            Unregister(temporary);
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
        Unregister(d->temporary);
        CannotWrite(d->target, error);
    }
    // rename() replaces a link of the target's name itself, not what it points to.
    if (std::rename(d->temporary.c_str(), d->target.c_str()) != 0) {
        const int error = errno;
        ::unlink(d->temporary.c_str());
        Unregister(d->temporary);
        CannotWrite(d->target, error);
    }
    Unregister(d->temporary);  // it is the target now
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

std::vector<std::string> UnfinishedTemporaryFiles()
{
    TUnfinishedFiles& files = Unfinished();
    const std::lock_guard<std::mutex> held(files.lock);
    return {files.names.begin(), files.names.end()};
}

void RemoveUnfinishedTemporaryFiles()
{
    TUnfinishedFiles& files = Unfinished();
    const std::lock_guard<std::mutex> held(files.lock);
    for (const std::string& name : files.names)
        ::unlink(name.c_str());
    files.names.clear();
}

bool IsTemporaryFileName(const std::string& name, std::string& target)
{
    if (name.size() <= kSuffixLength + 1 || name[name.size() - kSuffixLength - 1] != '.')
        return false;
    for (std::size_t i = name.size() - kSuffixLength; i < name.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(name[i])))
            return false;
    target = name.substr(0, name.size() - kSuffixLength - 1);
    return true;
}

std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder,
                                                   const std::function<bool(const std::string& target)>& isOurs,
                                                   std::chrono::seconds maxAge,
                                                   std::chrono::system_clock::time_point now)
{
    std::vector<std::string> removed;
    DIR* entries = ::opendir(folder.c_str());
    if (!entries)
        return removed;
    const std::int64_t newest =
        std::chrono::duration_cast<std::chrono::seconds>((now - maxAge).time_since_epoch()).count();
    while (const dirent* entry = ::readdir(entries)) {
        const std::string name = entry->d_name;
        std::string target;
        if (!IsTemporaryFileName(name, target) || !isOurs(target))
            continue;
        const std::string path = folder + "/" + name;
        struct stat info {};
        if (::fstatat(::dirfd(entries), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid() || info.st_mtime >= newest)
            continue;
        if (::unlinkat(::dirfd(entries), name.c_str(), 0) == 0)
            removed.push_back(path);
    }
    ::closedir(entries);
    return removed;
}
