// Small socket helpers for the transport tests: a connected socket pair and
// a loopback listener that can be made to refuse or stall connects.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace httptest {

// Both ends of a connected stream socket pair; the test keeps `peer`.
struct SocketPair {
    int ours = -1;
    int peer = -1;
    SocketPair()
    {
        int fds[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0)
            throw std::runtime_error("socketpair");
        ours = fds[0];
        peer = fds[1];
    }
    ~SocketPair() { ClosePeer(); }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;
    // `ours` is handed to the connection under test, which closes it.
    int Release() { return ours; }
    void Write(const std::string& bytes) const
    {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::send(peer, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
            if (n <= 0)
                throw std::runtime_error("write to socket pair");
            done += static_cast<std::size_t>(n);
        }
    }
    void ClosePeer()
    {
        if (peer >= 0)
            ::close(peer);
        peer = -1;
    }
};

// A TCP listener on 127.0.0.1 with an ephemeral port. With backlog 0 and the
// queue filled by `FillBacklog`, further connects get no answer at all.
class Listener {
public:
    explicit Listener(int backlog = 16)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd_, backlog) != 0)
            throw std::runtime_error("listener");
        socklen_t length = sizeof address;
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
    }
    ~Listener()
    {
        for (int i = 0; i < count_; ++i)
            ::close(fillers_[i]);
        if (fd_ >= 0)
            ::close(fd_);
    }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    std::uint16_t Port() const { return port_; }
    // A blocking client socket connected to this listener, and the accepted end.
    std::pair<int, int> ConnectedPair()
    {
        int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port_);
        if (::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
            throw std::runtime_error("connect");
        return {client, ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC)};
    }
    void Close()
    {
        ::close(fd_);
        fd_ = -1;
    }
    // Connects (without accepting) until the accept queue is full.
    void FillBacklog(int connects)
    {
        for (int i = 0; i < connects && count_ < 8; ++i) {
            int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
            sockaddr_in address{};
            address.sin_family = AF_INET;
            address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            address.sin_port = htons(port_);
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers_[count_++] = fd;
        }
        ::usleep(20000);  // let the handshakes settle into the queue
    }

private:
    int fd_ = -1;
    std::uint16_t port_ = 0;
    int fillers_[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int count_ = 0;
};

}  // namespace httptest
