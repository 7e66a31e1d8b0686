#pragma once
// A scriptable HTTP peer for tests: it answers each request with the next
// canned reply, byte for byte, and records the raw bytes it received.

#include "tools/router-sim/lib/RawHttpServer.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

class TestHttpServer {  // listens on 127.0.0.1, ephemeral port, own thread
public:
    // receivePace > 0: takes at most that many request bytes every 20 ms (a slow reader).
    explicit TestHttpServer(std::size_t receivePace = 0);
    ~TestHttpServer();
    std::uint16_t Port() const;
    void Enqueue(ScriptedReply reply);            // one reply per request, in order
    std::vector<std::string> Requests() const;    // exact raw bytes of each request (head + body)
    std::vector<int> RequestConnections() const;  // index of the accepted connection that carried each request
    int Connections() const;                      // number of accepted connections

    // Waits (bounded) until at least `count` requests were recorded; a request
    // cut off by the peer is recorded when its connection closes, which the
    // server sees a moment after the client did it.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

    // Convenience: a complete reply with Content-Length.
    static ScriptedReply Reply(const std::string& statusLine, const std::string& body,
                               ScriptedReply::Then then = ScriptedReply::Then::Close,
                               const std::string& extraHeaders = "");

private:
    ServerReply Handle(const RawRequest& request);

    mutable std::mutex mutex_;
    mutable std::condition_variable recorded_;
    std::deque<ScriptedReply> script_;
    std::vector<std::string> requests_;
    std::vector<int> connections_;
    std::unique_ptr<RawHttpServer> server_;  // last: stops before the state above goes
};

}  // namespace testsupport
