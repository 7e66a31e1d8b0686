// Writing whole files so that the target is either replaced completely or
// left as it was. The bytes go to a new temporary file beside the target
// (created afresh, so never through an existing link), are synced to disk,
// and the temporary file is renamed over the target: an existing file or
// symbolic link of that name is replaced, never written through. Without
// Commit the temporary file is removed again and the target is untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

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
