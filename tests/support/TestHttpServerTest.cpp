#include "tests/support/RawSocket.h"
#include "tests/support/TestHttpServer.h"

#include <gtest/gtest.h>

#include <cerrno>

using testsupport::RawSocket;
using testsupport::ScriptedReply;
using testsupport::TestHttpServer;
using Then = ScriptedReply::Then;
using End = RawSocket::End;

namespace {

const std::string kGet = "GET / HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
const std::string kReply = "HTTP/1.0 200 OK\r\nContent-Length: 5\r\n\r\nhello";

TEST(TestHttpServer, RecordsExactRequestBytesIncludingTheBody)
{
    TestHttpServer server;
    server.Enqueue({kReply});
    std::string request = "POST /upload.cgi HTTP/1.0\r\ncontent-length: 7\r\n\r\n" + std::string("ab\r\n\0yz", 7);

    RawSocket client;
    ASSERT_EQ(client.Connect(server.Port()), 0);
    client.Send(request + "trailing bytes are not part of it");
    End end;
    EXPECT_EQ(client.ReadToEnd(&end), kReply);
    EXPECT_EQ(end, End::Closed);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{request});
    EXPECT_EQ(server.RequestConnections(), std::vector<int>{0});
    EXPECT_EQ(server.Connections(), 1);
}

struct ThenCase {
    const char* name;
    Then then;
    std::size_t writeAtMost;
    std::string received;
    End end;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ThenCase& c, std::ostream* os) { *os << c.name; }

class ScriptedEnding : public testing::TestWithParam<ThenCase> {};

// Each reply ends as scripted. A second connection is answered afterwards,
// which proves the server has finished with the first one before we look.
TEST_P(ScriptedEnding, WritesTheScriptedBytesThenEndsAsScripted)
{
    const ThenCase& c = GetParam();
    TestHttpServer server;
    ScriptedReply reply{kReply, c.then, c.writeAtMost};
    server.Enqueue(reply);
    server.Enqueue({kReply});

    RawSocket first;
    ASSERT_EQ(first.Connect(server.Port()), 0);
    first.Send(kGet);
    ASSERT_TRUE(server.WaitForRequests(1));
    RawSocket second;
    ASSERT_EQ(second.Connect(server.Port()), 0);
    second.Send(kGet);
    EXPECT_EQ(second.ReadToEnd(), kReply);

    // An open connection has nothing more to read right now: no guard wait.
    End end;
    EXPECT_EQ(first.ReadToEnd(&end, c.end == End::StillOpen ? 0 : 5000), c.received);
    EXPECT_EQ(end, c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, ScriptedEnding,
    testing::Values(ThenCase{"Close", Then::Close, std::string::npos, kReply, End::Closed},
                    ThenCase{"CloseMidBody", Then::Close, kReply.size() - 2, kReply.substr(0, kReply.size() - 2),
                             End::Closed},
                    ThenCase{"CloseBeforeStatusLine", Then::Close, 0, "", End::Closed},
                    ThenCase{"Reset", Then::Reset, 0, "", End::Reset},
                    ThenCase{"ResetMidHead", Then::Reset, 10, kReply.substr(0, 10), End::Reset},
                    ThenCase{"NeverAnswer", Then::NeverAnswer, 0, "", End::StillOpen},
                    ThenCase{"StallMidHead", Then::NeverAnswer, 10, kReply.substr(0, 10), End::StillOpen},
                    ThenCase{"KeepOpen", Then::KeepOpen, std::string::npos, kReply, End::StillOpen}),
    [](const testing::TestParamInfo<ThenCase>& info) { return info.param.name; });

TEST(TestHttpServer, KeepOpenServesFurtherRequestsOnTheSameConnection)
{
    TestHttpServer server;
    server.Enqueue({kReply, Then::KeepOpen});
    server.Enqueue({kReply, Then::KeepOpen});
    server.Enqueue({kReply});

    RawSocket kept;
    ASSERT_EQ(kept.Connect(server.Port()), 0);
    kept.Send(kGet);
    EXPECT_EQ(kept.ReadReply(), kReply);
    kept.Send(kGet);
    EXPECT_EQ(kept.ReadReply(), kReply);
    RawSocket fresh;
    ASSERT_EQ(fresh.Connect(server.Port()), 0);
    fresh.Send(kGet);
    EXPECT_EQ(fresh.ReadToEnd(), kReply);

    EXPECT_EQ(server.Requests(), std::vector<std::string>(3, kGet));
    EXPECT_EQ(server.RequestConnections(), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(server.Connections(), 2);
}

TEST(TestHttpServer, AnswersUnscriptedRequestsWith500)
{
    TestHttpServer server;
    RawSocket client;
    ASSERT_EQ(client.Connect(server.Port()), 0);
    client.Send(kGet);
    EXPECT_EQ(client.ReadToEnd(), "HTTP/1.0 500 No script\r\n\r\n");
}

// A request the peer abandons is still recorded, and uses up no reply.
TEST(TestHttpServer, RecordsARequestCutOffByThePeer)
{
    TestHttpServer server;
    server.Enqueue({kReply});
    const std::string cut = "POST /x HTTP/1.0\r\nContent-Length: 10\r\n\r\nabc";

    RawSocket abandoned;
    ASSERT_EQ(abandoned.Connect(server.Port()), 0);
    abandoned.Send(cut);
    abandoned.Close();
    ASSERT_TRUE(server.WaitForRequests(1));

    RawSocket next;
    ASSERT_EQ(next.Connect(server.Port()), 0);
    next.Send(kGet);
    EXPECT_EQ(next.ReadToEnd(), kReply);
    EXPECT_EQ(server.Requests(), (std::vector<std::string>{cut, kGet}));
}

TEST(TestHttpServer, RefusesConnectionsOnceDestroyed)
{
    std::uint16_t port;
    {
        TestHttpServer server;
        port = server.Port();
        RawSocket idle;
        ASSERT_EQ(idle.Connect(port), 0);
        idle.Send("GET / HT");  // an open, unfinished request must not block shutdown
    }
    RawSocket client;
    EXPECT_EQ(client.Connect(port), ECONNREFUSED);
}

}  // namespace
