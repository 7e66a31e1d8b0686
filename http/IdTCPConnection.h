// One TCP connection to the router over POSIX sockets: connect, send, and
// buffered reading of lines and byte counts. IPv4 only. Every wait is sliced
// into short polls so an idle callback can run, and is bounded by the connect
// or stall limit and by the deadline of the whole exchange.
#pragma once

#include "http/IdLimits.h"
#include "http/IdUniqueFd.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Receives body bytes as they arrive.
using TIdByteSink = std::function<void(const char* data, std::size_t size)>;
// Fills up to `size` bytes of `buffer`, returns how many (0: nothing left).
using TIdByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;
// Turns a host name into a dotted IPv4 address; returns 0 or a Windows Sockets
// code. Runs on a thread of its own and may outlive the connection that
// started it, so it must not refer to that connection.
using TIdResolver = std::function<int(const std::string& host, std::string& dotted)>;

// Four decimal numbers 0..255 separated by dots, nothing else.
bool IdIsDottedQuad(const std::string& host);
// Name-service lookup of the first IPv4 address.
int IdResolveWithNameService(const std::string& host, std::string& dotted);

class TIdTCPConnection {
public:
    static constexpr std::size_t RecvPieceSize = 32768;
    // A body goes to the socket in pieces this large. Each piece costs a
    // file read and a send, and the send wakes the receiver: a 256 MiB
    // upload over loopback in 64 KiB pieces took about a fifth more
    // processor time, on both ends, and was slower. At the router the
    // firmware upload took about 40% longer in 32 KiB pieces than in 64 KiB
    // ones, and gains nothing from these. Handing one piece to the system
    // takes well under a millisecond, so OnIdle still runs on time between them.
    static constexpr std::size_t SendPieceSize = 262144;
    static constexpr std::size_t MaxLineLength = 16384;
    // OnIdle runs at most this often: often enough for a 10 ms timer of the
    // window to be late by little more than one interval.
    static constexpr int IdleIntervalMs = 16;

    TIdTCPConnection();
    ~TIdTCPConnection();
    TIdTCPConnection(const TIdTCPConnection&) = delete;
    TIdTCPConnection& operator=(const TIdTCPConnection&) = delete;

    TIdLimits Limits;  // ConnectMs and StallMs bound each wait
    // No wait goes past this point; set by the client for a whole exchange.
    std::chrono::steady_clock::time_point Deadline = std::chrono::steady_clock::time_point::max();
    std::function<void()> OnIdle;
    TIdResolver Resolver = IdResolveWithNameService;

    void OpenConnection(const std::string& host, int port);
    // Takes over an already connected socket (socket pairs in tests and fuzzing).
    void AttachSocket(int fd);
    void CloseConnection();
    // Zero-wait check; notices a close by the peer without raising.
    bool IsConnected();
    bool IsOpen() const { return open_; }
    const std::string& Host() const { return host_; }
    int Port() const { return port_; }
    const std::string& PeerAddress() const { return peerAddress_; }
    std::size_t BufferedBytes() const { return tail_ - head_; }

    void SendBytes(const char* data, std::size_t size);
    void SendBytes(const std::string& bytes) { SendBytes(bytes.data(), bytes.size()); }
    // Sends `count` bytes taken from `source` in pieces of SendPieceSize;
    // EIdNoDataToRead when the source runs dry early.
    void SendStream(const TIdByteSource& source, std::int64_t count);

    // One line without its LF and without one CR right before the LF.
    std::string ReadLine();
    // Exactly `count` bytes, or EIdConnClosedGracefully after handing over
    // the bytes that did arrive.
    void ReadToStream(const TIdByteSink& sink, std::int64_t count);
    // Everything up to the peer's close.
    void ReadUntilClosed(const TIdByteSink& sink);

private:
    enum class WaitFor { Readable, Writable };
    // Waits up to limitMs (and never past Deadline); false on timeout. Runs
    // OnIdle while it waits.
    bool Wait(WaitFor what, int limitMs);
    void IdleIfDue();
    void PushPending();
    // Appends one receive to the input buffer; false when the peer has closed.
    bool ReceiveSome(bool raiseOnClose);
    // recv() into `into`, waiting while nothing is there; 0 means closed.
    std::size_t ReceiveInto(char* into, std::size_t size);
    void PeerClosed();
    void MakeRoom();
    void DeliverBuffered(const TIdByteSink& sink, std::int64_t& remaining);
    void ResetBuffer();
    int Resolve(const std::string& host, std::string& dotted, std::chrono::steady_clock::time_point deadline);
    void Connect(const std::string& address, int port, std::chrono::steady_clock::time_point deadline);

    std::string host_;
    int port_ = 0;
    std::string peerAddress_;
    TIdUniqueFd socket_;
    bool open_ = false;
    bool closedByPeer_ = false;
    std::vector<char> buffer_;
    std::size_t head_ = 0;
    std::size_t tail_ = 0;
    std::vector<char> piece_;
    std::chrono::steady_clock::time_point lastIdle_;
};
