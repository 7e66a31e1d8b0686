#pragma once
// Minimal blocking TCP client for testing the test peers themselves; it
// knows nothing of HTTP beyond finding the end of a reply.

#include <cstdint>
#include <string>

namespace testsupport {

class RawSocket {
public:
    RawSocket() = default;
    ~RawSocket();
    RawSocket(const RawSocket&) = delete;
    RawSocket& operator=(const RawSocket&) = delete;

    // Connects to 127.0.0.1:port; returns 0 or the errno of the failure.
    int Connect(std::uint16_t port, const std::string& address = "127.0.0.1");
    void Send(const std::string& bytes);
    void ShutdownWrite();
    void Close();

    enum class End { Closed, Reset, StillOpen };
    // Reads until the peer closes or resets; gives up (StillOpen) after a
    // guard time so a broken peer fails the test instead of hanging it.
    std::string ReadToEnd(End* end = nullptr, int guardMs = 5000);
    // Reads one reply: head plus its Content-Length body, or to the close
    // when it announces no length.
    std::string ReadReply();
    // True when something (data or a close) is readable right now.
    bool Readable();

private:
    int fd_ = -1;
};

}  // namespace testsupport
