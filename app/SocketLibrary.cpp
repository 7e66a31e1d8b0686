#include "app/SocketLibrary.h"

TSocketLibraryGuard::TSocketLibraryGuard(TSigAction sigAction) : sigAction_(sigAction)
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    if (sigAction_(SIGPIPE, &ignore, &previous_) != 0)
        throw ESocketError("WSAStartup");
    active_ = true;
}

TSocketLibraryGuard::~TSocketLibraryGuard()
{
    if (active_)
        sigAction_(SIGPIPE, &previous_, nullptr);
}

void TSocketLibraryGuard::Cleanup()
{
    if (!active_)
        return;
    active_ = false;
    if (sigAction_(SIGPIPE, &previous_, nullptr) != 0)
        throw ESocketError("WSACleanup");
}
