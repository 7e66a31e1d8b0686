#pragma once
// A small single-threaded HTTP/1.x peer over POSIX sockets, used by the test
// server and the simulated router. It frames requests itself (head up to the
// blank line, then a Content-Length body) and writes whatever bytes its
// handler returns, so it shares no parsing code with the client under test.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>

namespace testsupport {

struct ScriptedReply {
    enum class Then { Close, KeepOpen, Reset, NeverAnswer };
    ScriptedReply(std::string bytes = {}, Then then = Then::Close, std::size_t writeAtMost = std::string::npos)
        : bytes(std::move(bytes)), then(then), writeAtMost(writeAtMost)
    {
    }

    std::string bytes;  // raw bytes written back: status line, headers, body
    Then then = Then::Close;
    std::size_t writeAtMost = std::string::npos;  // write only this many bytes of `bytes`, then do `then`
    std::string repeat;                           // written again and again after `bytes`, until the peer goes
    int dripMs = 0;                               // > 0: write one byte per this many ms (20 ms at the least)
    std::size_t dripAfter = 0;                    // with dripMs: these first bytes go at once (a head, say)
    int delayMs = 0;                              // silence before the first byte (to the next 20 ms tick)
};

// One request as it arrived. `complete` is false when the peer closed the
// connection before the head or the announced body had arrived.
struct RawRequest {
    std::string bytes;
    int connection = 0;
    bool complete = true;
    // From the arrival of the first body byte to the arrival of the last
    // (0 when the body came with the head in one piece, or there is none).
    std::int64_t bodyMicros = 0;
    int bodyReceives = 0;  // receive calls that brought body bytes
};

struct ServerReply {
    ScriptedReply reply;
};

class RawHttpServer {
public:
    using Handler = std::function<ServerReply(const RawRequest&)>;
    using Tick = std::function<void()>;

    // Binds and listens at once; throws std::runtime_error when it cannot.
    // `tick` (optional) runs on the server thread about every 20 ms. With
    // `receivePace` above 0 each connection takes at most that many bytes
    // every 20 ms, through a receive buffer of about that size: a peer that
    // reads slowly, so a client's send keeps moving but takes long.
    RawHttpServer(const std::string& address, std::uint16_t port, Handler handler, Tick tick = {},
                  std::size_t receivePace = 0);
    ~RawHttpServer();
    RawHttpServer(const RawHttpServer&) = delete;
    RawHttpServer& operator=(const RawHttpServer&) = delete;

    std::uint16_t Port() const { return port_; }
    int Connections() const { return connections_.load(); }

    // Closes the listener (new connects are refused) and every open
    // connection. Returns once done; callable from any thread. A handler may
    // call it with its own request's connection index to keep that one open
    // for the reply: a peer that has seen any byte of the reply then already
    // finds connects refused.
    void StopListening(int keepConnection = -1);
    // Listens again on the same address and port; connects succeed as soon
    // as this returns. Callable from any thread.
    void StartListening();
    bool Listening() const;

private:
    struct Connection;
    void Run();
    void Wake();
    int OpenListener();
    // Server thread only.
    void DropAll(int keepConnection = -1);
    void Finish(Connection& c);
    void Flush(Connection& c);
    void Serve(Connection& c);
    static void NoteBodyStart(Connection& c);
    void Accept();
    void Receive(Connection& c);

    std::string address_;
    std::uint16_t port_ = 0;
    Handler handler_;
    Tick tick_;
    std::size_t receivePace_ = 0;
    std::atomic<int> connections_{0};

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    int pendingListener_ = -1;    // handed to the server thread by StartListening
    bool stopRequested_ = false;  // StopListening waiting for the server thread
    bool listening_ = false;
    bool quit_ = false;

    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;

    // Owned by the server thread.
    int listener_ = -1;
    std::list<Connection> conns_;
    // The largest receive buffer of a finished connection, for the next one:
    // every upload then lands in memory that is already there, and the
    // receiving time does not depend on how many came before.
    std::string spareIn_;
};

}  // namespace testsupport
