// Writing whole files so that the target is either replaced completely or
// left as it was. The bytes go to a new temporary file beside the target
// (created afresh, so never through an existing link), are synced to disk,
// and the temporary file is renamed over the target: an existing file or
// symbolic link of that name is replaced, never written through. Without
// Commit the temporary file is removed again and the target is untouched.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

enum class TFileAccess {
    // The permissions of the file being replaced, else the usual ones
    // (0666 less the umask). A file its owner made read-only is refused.
    Usual,
    // Only the user may read or write it (0600): files holding the
    // router's settings or passwords.
    OwnerOnly,
};

class TSafeFile {
public:
    // Throws EFOpenError "Cannot create file "%s". %s" when the temporary
    // file cannot be created.
    TSafeFile(std::string target, TFileAccess access);
    ~TSafeFile();
    TSafeFile(const TSafeFile&) = delete;
    TSafeFile& operator=(const TSafeFile&) = delete;

    // Throws EStreamError "Cannot write file "%s". %s".
    void Write(std::string_view bytes);
    // The same bytes as a stream, for writers that stream (a download as it
    // arrives). A refused write sets the stream's badbit; Commit then fails.
    std::ostream& Stream();
    // The bytes written so far.
    std::int64_t Size() const;
    // Syncs and renames over the target. Throws EStreamError "Cannot write
    // file "%s". %s" when any write failed or the sync or rename fails.
    void Commit();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// The whole of bytes as the file target (see TSafeFile).
void SaveFileAtomically(const std::string& target, std::string_view bytes, TFileAccess access);

// The temporary files of this process's writers that are neither committed
// nor discarded yet. A program that must end at once removes them, as no
// destructor will (they may hold half of the router's settings).
std::vector<std::string> UnfinishedTemporaryFiles();
void RemoveUnfinishedTemporaryFiles();

// Whether name is one a writer gives the temporary file of a target:
// "<target>.XXXXXX", six letters or digits. Sets target when it is.
bool IsTemporaryFileName(const std::string& name, std::string& target);

// Removes what writers of earlier runs left in folder when they were killed
// mid-write: regular files of this user, named "<target>.XXXXXX" for a target
// name that isOurs accepts, last written more than maxAge before now. Never
// the targets themselves, links, folders or other users' files. Returns the
// full names removed.
std::vector<std::string> RemoveStaleTemporaryFiles(const std::string& folder,
                                                   const std::function<bool(const std::string& target)>& isOurs,
                                                   std::chrono::seconds maxAge,
                                                   std::chrono::system_clock::time_point now);
