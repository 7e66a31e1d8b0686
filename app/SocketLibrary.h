// Start-up and clean-up of the socket library around the program's run.
// What Linux needs is that a write to a connection the router has closed
// reports an error instead of killing the program with SIGPIPE.
#pragma once

#include "base/Exception.h"

#include <csignal>

class ESocketError : public Exception {
public:
    using Exception::Exception;
};

class TSocketLibraryGuard {
public:
    using TSigAction = int (*)(int, const struct sigaction*, struct sigaction*);

    // Ignores SIGPIPE; throws ESocketError("WSAStartup") when that fails.
    explicit TSocketLibraryGuard(TSigAction sigAction = ::sigaction);
    // Puts the previous SIGPIPE handling back unless Cleanup already did.
    ~TSocketLibraryGuard();
    TSocketLibraryGuard(const TSocketLibraryGuard&) = delete;
    TSocketLibraryGuard& operator=(const TSocketLibraryGuard&) = delete;

    // Puts the previous SIGPIPE handling back; throws ESocketError("WSACleanup")
    // when that fails.
    void Cleanup();

private:
    TSigAction sigAction_;
    struct sigaction previous_ {};
    bool active_ = false;
};
