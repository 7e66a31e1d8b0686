#include "http/IdSocketErrors.h"

#include "http/IdException.h"

#include <netdb.h>

#include <cerrno>

#include <gtest/gtest.h>

TEST(SocketErrorTest, PosixFailuresMapOntoWindowsSocketsCodesAndTexts)
{
    const struct {
        int err;
        int code;
        const char* message;
    } cases[] = {
        {ECONNREFUSED, 10061, "Socket Error # 10061\r\nConnection refused."},
        {ETIMEDOUT, 10060, "Socket Error # 10060\r\nConnection timed out."},
        {EHOSTUNREACH, 10065, "Socket Error # 10065\r\nNo route to host."},
        {ENETUNREACH, 10051, "Socket Error # 10051\r\nNetwork is unreachable."},
        {ECONNRESET, 10054, "Socket Error # 10054\r\nConnection reset by peer."},
        {EPIPE, 10053, "Socket Error # 10053\r\nSoftware caused connection abort."},
        {ENOTSOCK, 10038, "Socket Error # 10038\r\nSocket operation on non-socket."},
        {ENOTEMPTY, 10066, "Socket Error # 10066\r\nDirectory not empty"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IdWSACodeFromErrno(c.err), c.code);
        EXPECT_EQ(IdSocketErrorMessage(c.code), c.message);
    }
}

TEST(SocketErrorTest, ResolverFailuresMapOntoHostErrors)
{
    EXPECT_EQ(IdWSACodeFromResolver(EAI_NONAME), 11001);
    EXPECT_EQ(IdWSACodeFromResolver(EAI_AGAIN), 11002);
    EXPECT_EQ(IdSocketErrorMessage(11001), "Socket Error # 11001\r\nHost not found.");
    // Codes without a text keep the line break and nothing after it.
    EXPECT_EQ(IdSocketErrorMessage(11002), "Socket Error # 11002\r\n");
}

TEST(SocketErrorTest, RaisesTheKindThatBelongsToTheCode)
{
    try {
        IdRaiseSocketError(10038);
        FAIL();
    } catch (const EIdNotASocket& e) {
        EXPECT_EQ(e.LastError, 10038);
    }
    try {
        IdRaiseSocketError(10061);
        FAIL();
    } catch (const EIdNotASocket&) {
        FAIL() << "10061 is not a not-a-socket error";
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError, 10061);
        EXPECT_STREQ(e.what(), "Socket Error # 10061\r\nConnection refused.");
    }
}
