// The socket library guard: SIGPIPE ignored while the program runs, the old
// handling put back after, and failures named as the program reports them.
#include "app/SocketLibrary.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

namespace {

TEST(SocketLibrary, IgnoresSigpipeWhileItRunsAndPutsTheOldHandlingBack)
{
    struct sigaction before {};
    sigaction(SIGPIPE, nullptr, &before);
    {
        TSocketLibraryGuard guard;
        struct sigaction during {};
        sigaction(SIGPIPE, nullptr, &during);
        EXPECT_EQ(during.sa_handler, SIG_IGN);
        guard.Cleanup();
    }
    struct sigaction after {};
    sigaction(SIGPIPE, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

int FailingSigAction(int, const struct sigaction*, struct sigaction*)
{
    errno = EINVAL;
    return -1;
}

int calls = 0;
int FailingSecondCall(int signal, const struct sigaction* action, struct sigaction* old)
{
    return ++calls == 1 ? sigaction(signal, action, old) : FailingSigAction(signal, action, old);
}

TEST(SocketLibrary, FailuresCarryTheStartUpAndCleanUpNames)
{
    try {
        TSocketLibraryGuard guard(FailingSigAction);
        FAIL() << "no error";
    } catch (const ESocketError& error) {
        EXPECT_EQ(error.Message(), "WSAStartup");
    }
    struct sigaction before {};
    sigaction(SIGPIPE, nullptr, &before);
    TSocketLibraryGuard guard(FailingSecondCall);
    try {
        guard.Cleanup();
        FAIL() << "no error";
    } catch (const ESocketError& error) {
        EXPECT_EQ(error.Message(), "WSACleanup");
    }
    sigaction(SIGPIPE, &before, nullptr);
}

}  // namespace
