#include "http/IdTCPConnection.h"

#include "http/IdException.h"
#include "tests/http/LocalSockets.h"
#include "tests/support/Ports.h"

#include <netinet/tcp.h>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

namespace {

using httptest::Listener;
using httptest::SocketPair;

// A connection attached to one end of a socket pair; the test plays the peer.
class PairedConnection : public ::testing::Test {
protected:
    PairedConnection()
    {
        connection.Limits.StallMs = 2000;  // a wrong test fails instead of hanging
        connection.AttachSocket(pair.Release());
    }
    std::string Collect(const std::function<void(const TIdByteSink&)>& read)
    {
        std::string out;
        read([&out](const char* data, std::size_t size) { out.append(data, size); });
        return out;
    }

    SocketPair pair;
    TIdTCPConnection connection;
};

struct LineCase {
    const char* name;
    std::string sent;
    bool closeAfter;
    std::vector<std::string> lines;        // expected lines in order
    enum { None, MaxLine, Closed } error;  // what the read after them raises
};
void PrintTo(const LineCase& c, std::ostream* out) { *out << c.name; }

class LineReading : public PairedConnection, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineReading, SplitsAtLfAndEnforcesTheLimit)
{
    const LineCase& c = GetParam();
    pair.Write(c.sent);
    if (c.closeAfter)
        pair.ClosePeer();
    for (const std::string& expected : c.lines)
        EXPECT_EQ(connection.ReadLine(), expected);
    if (c.error == LineCase::MaxLine) {
        try {
            connection.ReadLine();
            FAIL() << "expected the line limit";
        } catch (const EIdReadLnMaxLineLengthExceeded& e) {
            EXPECT_STREQ(e.what(), "Max line length exceeded.");
        }
    } else if (c.error == LineCase::Closed) {
        try {
            connection.ReadLine();
            FAIL() << "expected a graceful close";
        } catch (const EIdConnClosedGracefully& e) {
            EXPECT_STREQ(e.what(), "Connection Closed Gracefully.");
        }
    }
}

const std::string k16384(16384, 'x');

INSTANTIATE_TEST_SUITE_P(
    Lines, LineReading,
    ::testing::Values(
        LineCase{"CrLfAndBareLf", "one\r\ntwo\n\nfour\r\n", false, {"one", "two", "", "four"}, LineCase::None},
        LineCase{"LoneCrStays", "a\rb\n\r\r\n", false, {"a\rb", "\r"}, LineCase::None},
        LineCase{"ExactLimitWithBareLf", k16384 + "\nnext\n", false, {k16384, "next"}, LineCase::None},
        LineCase{"CrCountsTowardsTheLimit", k16384 + "\r\n", false, {}, LineCase::MaxLine},
        LineCase{"OneOverTheLimit", k16384 + "y\n", false, {}, LineCase::MaxLine},
        // No LF in sight and more than the limit buffered: fails without waiting.
        LineCase{"OverTheLimitWithoutLf", k16384 + k16384, false, {}, LineCase::MaxLine},
        LineCase{"BytesWithoutLfThenClose", "abc", true, {}, LineCase::Closed},
        LineCase{"CloseAfterLastLine", "last\n", true, {"last"}, LineCase::Closed}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PairedConnection, ReadToStreamHandsOverWhatArrivedBeforeAClose)
{
    pair.Write("0123456789");
    pair.ClosePeer();
    std::string got;
    EXPECT_THROW(connection.ReadToStream([&](const char* data, std::size_t size) { got.append(data, size); }, 20),
                 EIdConnClosedGracefully);
    EXPECT_EQ(got, "0123456789");
}

TEST_F(PairedConnection, ReadToStreamTakesExactlyTheCountAndLeavesTheRest)
{
    pair.Write("head\nBODYnext\n");
    EXPECT_EQ(connection.ReadLine(), "head");
    EXPECT_EQ(Collect([&](const TIdByteSink& sink) { connection.ReadToStream(sink, 4); }), "BODY");
    EXPECT_EQ(connection.ReadLine(), "next");
}

TEST_F(PairedConnection, ReadUntilClosedReturnsEverythingWithoutError)
{
    std::string big(200000, 'b');
    pair.Write("x\n");
    EXPECT_EQ(connection.ReadLine(), "x");
    std::thread writer([&] {
        pair.Write(big);
        pair.ClosePeer();
    });
    std::string got = Collect([&](const TIdByteSink& sink) { connection.ReadUntilClosed(sink); });
    writer.join();
    EXPECT_EQ(got, big);
}

TEST_F(PairedConnection, IsConnectedNoticesAClose)
{
    EXPECT_TRUE(connection.IsConnected());
    pair.Write("left");
    pair.ClosePeer();
    EXPECT_TRUE(connection.IsConnected()) << "unread bytes still count";
    EXPECT_EQ(Collect([&](const TIdByteSink& sink) { connection.ReadToStream(sink, 4); }), "left");
    EXPECT_FALSE(connection.IsConnected());
    EXPECT_TRUE(connection.IsOpen()) << "the record stays open until it is closed";
    connection.CloseConnection();
    EXPECT_FALSE(connection.IsOpen());
}

TEST_F(PairedConnection, ASilentPeerTimesOutWhileTheIdleCallbackRuns)
{
    connection.Limits.StallMs = 180;
    int idles = 0;
    connection.OnIdle = [&] { ++idles; };
    try {
        connection.ReadLine();
        FAIL();
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError, 10060);
        EXPECT_STREQ(e.what(), "Socket Error # 10060\r\nConnection timed out.");
    }
    EXPECT_GE(idles, 1);
    EXPECT_LE(idles, connection.Limits.StallMs / TIdTCPConnection::IdleIntervalMs + 1) << "not at every poll";
}

TEST_F(PairedConnection, SendingToAVanishedPeerRaisesInsteadOfKillingTheProcess)
{
    pair.ClosePeer();
    std::string piece(65536, 's');
    try {
        for (int i = 0; i < 100; ++i)
            connection.SendBytes(piece);
        FAIL();
    } catch (const EIdSocketError& e) {
        EXPECT_TRUE(e.LastError == 10053 || e.LastError == 10054) << e.LastError;
    }
}

TEST_F(PairedConnection, SendStreamFailsWhenTheSourceRunsDry)
{
    std::string source(40000, 'q');
    std::size_t offset = 0;
    std::thread reader([&] {
        char sink[65536];
        while (::recv(pair.peer, sink, sizeof sink, 0) > 0) {
        }
    });
    try {
        connection.SendStream(
            [&](char* buffer, std::size_t size) {
                std::size_t take = std::min(size, source.size() - offset);
                std::memcpy(buffer, source.data() + offset, take);
                offset += take;
                return take;
            },
            50000);
        FAIL();
    } catch (const EIdNoDataToRead& e) {
        EXPECT_STREQ(e.what(), "No data to read.");
    }
    connection.CloseConnection();
    reader.join();
}

TEST_F(PairedConnection, ReadsAfterCloseSayNotConnected)
{
    connection.CloseConnection();
    try {
        connection.ReadLine();
        FAIL();
    } catch (const EIdException& e) {
        EXPECT_STREQ(e.what(), "Not Connected");
    }
}

class Opening : public ::testing::Test {
protected:
    Opening()
    {
        connection.Limits.ConnectMs = 2000;
        connection.Resolver = [this](const std::string& host, std::string& dotted) {
            lookups.push_back(host);
            if (host == "router.test") {
                dotted = "127.0.0.1";
                return 0;
            }
            return 11001;
        };
    }
    std::vector<std::string> lookups;
    TIdTCPConnection connection;
};

TEST_F(Opening, RequiresHostAndPort)
{
    try {
        connection.OpenConnection("", 80);
        FAIL();
    } catch (const EIdHostRequired& e) {
        EXPECT_STREQ(e.what(), "");
    }
    try {
        connection.OpenConnection("127.0.0.1", 0);
        FAIL();
    } catch (const EIdPortRequired& e) {
        EXPECT_STREQ(e.what(), "");
    }
}

TEST_F(Opening, PortsOutOfRangeFailBeforeAnyConnect)
{
    for (int port : {70000, 65536, -1}) {
        try {
            connection.OpenConnection("127.0.0.1", port);
            FAIL() << port;
        } catch (const ERangeError& e) {
            EXPECT_STREQ(e.what(), "Range check error");
        }
        EXPECT_FALSE(connection.IsOpen());
    }
}

TEST_F(Opening, NothingListeningIsConnectionRefused)
{
    try {
        connection.OpenConnection("127.0.0.1", testsupport::ClosedPort());
        FAIL();
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError, 10061);
        EXPECT_STREQ(e.what(), "Socket Error # 10061\r\nConnection refused.");
    }
    EXPECT_FALSE(connection.IsOpen());
}

TEST_F(Opening, AddressesAndLocalhostNeedNoLookupButOtherNamesDo)
{
    Listener listener;
    for (const char* host : {"127.0.0.1", "LocalHost", "router.test"}) {
        connection.OpenConnection(host, listener.Port());
        EXPECT_TRUE(connection.IsOpen());
        EXPECT_EQ(connection.PeerAddress(), "127.0.0.1");
        connection.CloseConnection();
    }
    EXPECT_EQ(lookups, std::vector<std::string>{"router.test"});
}

TEST_F(Opening, AnUnknownNameIsHostNotFound)
{
    for (const char* host : {"no-such-router", "192.168.0", "1.2.3.4.5", "256.1.1.1"}) {
        try {
            connection.OpenConnection(host, 80);
            FAIL() << host;
        } catch (const EIdSocketError& e) {
            EXPECT_EQ(e.LastError, 11001);
            EXPECT_STREQ(e.what(), "Socket Error # 11001\r\nHost not found.");
        }
    }
    EXPECT_EQ(lookups, (std::vector<std::string>{"no-such-router", "192.168.0", "1.2.3.4.5", "256.1.1.1"}));
}

TEST_F(Opening, AConnectThatGetsNoAnswerTimesOut)
{
    Listener full(0);
    full.FillBacklog(3);
    connection.Limits.ConnectMs = 150;
    int idles = 0;
    connection.OnIdle = [&] { ++idles; };
    try {
        connection.OpenConnection("127.0.0.1", full.Port());
        FAIL();
    } catch (const EIdSocketError& e) {
        EXPECT_EQ(e.LastError, 10060);
        EXPECT_STREQ(e.what(), "Socket Error # 10060\r\nConnection timed out.");
    }
    EXPECT_GE(idles, 1);
    EXPECT_FALSE(connection.IsOpen());
}

// A name lookup that blocks until the test releases it, as a resolver can
// when the name service does not answer. It outlives the connection that
// started it.
class BlockedLookup {
public:
    TIdResolver Resolver()
    {
        return [state = state_](const std::string&, std::string& dotted) {
            std::unique_lock<std::mutex> lock(state->mutex);
            state->changed.wait(lock, [&] { return state->released; });
            dotted = "127.0.0.1";
            state->returned = true;
            state->changed.notify_all();
            return 0;
        };
    }
    // Lets the lookup end; true once it has returned.
    bool Release()
    {
        std::unique_lock<std::mutex> lock(state_->mutex);
        state_->released = true;
        state_->changed.notify_all();
        return state_->changed.wait_for(lock, std::chrono::seconds(5), [&] { return state_->returned; });
    }

private:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool released = false;
        bool returned = false;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

struct LookupBoundCase {
    const char* name;
    int connectMs;
    int deadlineMs;  // of the whole exchange; 0: none
};
void PrintTo(const LookupBoundCase& c, std::ostream* out) { *out << c.name; }

class NameLookup : public ::testing::TestWithParam<LookupBoundCase> {};

TEST_P(NameLookup, GivesUpAtItsBoundWhileTheWindowRuns)
{
    using Clock = std::chrono::steady_clock;
    const LookupBoundCase& c = GetParam();
    BlockedLookup lookup;
    int idles = 0;
    const auto start = Clock::now();
    {
        TIdTCPConnection connection;
        connection.Limits.ConnectMs = c.connectMs;
        if (c.deadlineMs > 0)
            connection.Deadline = start + std::chrono::milliseconds(c.deadlineMs);
        connection.OnIdle = [&] { ++idles; };
        connection.Resolver = lookup.Resolver();
        try {
            connection.OpenConnection("router.test", 80);
            FAIL() << "the lookup was waited for";
        } catch (const EIdSocketError& e) {
            EXPECT_EQ(e.LastError, 10060);
            EXPECT_STREQ(e.what(), "Socket Error # 10060\r\nConnection timed out.");
        }
        EXPECT_FALSE(connection.IsOpen());
    }
    const auto took = Clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(200));
    EXPECT_LT(took, std::chrono::milliseconds(900));
    // The window ran all along, at its usual interval.
    EXPECT_GE(idles, 200 / TIdTCPConnection::IdleIntervalMs / 2);
    // The lookup ends long after the connection has gone; nothing breaks.
    EXPECT_TRUE(lookup.Release());
}

INSTANTIATE_TEST_SUITE_P(Bounds, NameLookup,
                         ::testing::Values(LookupBoundCase{"ConnectBound", 200, 0},
                                           LookupBoundCase{"DeadlineOfTheExchange", 60000, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SendingABody, PushesItsEndOutAndLeavesNaglesAlgorithmOn)
{
    Listener listener;
    auto [client, server] = listener.ConnectedPair();
    int off = 0;  // as a connection of ours opens it
    ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &off, sizeof off);
    TIdTCPConnection connection;
    connection.Limits.StallMs = 2000;
    connection.AttachSocket(client);

    const std::size_t size = 3 * TIdTCPConnection::SendPieceSize + 5;  // a short last piece
    std::size_t produced = 0;
    std::string received;
    std::thread reader([&, server = server] {
        char buffer[65536];
        for (ssize_t n; (n = ::recv(server, buffer, sizeof buffer, 0)) > 0;)
            received.append(buffer, static_cast<std::size_t>(n));
    });
    connection.SendStream(
        [&](char* buffer, std::size_t want) {
            for (std::size_t i = 0; i < want; ++i)
                buffer[i] = static_cast<char>((produced + i) % 251);
            produced += want;
            return want;
        },
        static_cast<std::int64_t>(size));
    int nodelay = -1;
    socklen_t length = sizeof nodelay;
    ::getsockopt(client, IPPROTO_TCP, TCP_NODELAY, &nodelay, &length);
    EXPECT_EQ(nodelay, 0) << "Nagle's algorithm must stay on after the push";
    connection.CloseConnection();
    reader.join();
    ::close(server);
    ASSERT_EQ(received.size(), size);
    for (std::size_t i = 0; i < size; ++i)
        if (received[i] != static_cast<char>(i % 251))
            FAIL() << "byte " << i;
}

TEST(DottedQuadTest, OnlyFourNumbersUpTo255)
{
    for (const char* yes : {"192.168.0.1", "0.0.0.0", "255.255.255.255"})
        EXPECT_TRUE(IdIsDottedQuad(yes)) << yes;
    for (const char* no :
         {"192.168.0", "192.168.0.1.", "192.168.0.256", "a.b.c.d", "1..2.3", "", "1.2.3.4x", "1.2.3.0004"})
        EXPECT_FALSE(IdIsDottedQuad(no)) << no;
}

}  // namespace
