// One run at a time changes routers from this PC: the window and the command
// line take the same lock in the user's runtime folder.
#pragma once

#include <memory>

class QLockFile;

class TRunLock {
public:
    TRunLock();
    ~TRunLock();
    TRunLock(const TRunLock&) = delete;
    TRunLock& operator=(const TRunLock&) = delete;

    // False: another run holds it.
    bool TryLock();

private:
    std::unique_ptr<QLockFile> file_;
};
