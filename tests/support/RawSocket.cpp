#include "tests/support/RawSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

RawSocket::~RawSocket() { Close(); }

int RawSocket::Connect(std::uint16_t port, const std::string& address)
{
    Close();
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    ::inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        int error = errno;
        Close();
        return error;
    }
    return 0;
}

void RawSocket::Send(const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            throw std::runtime_error("send failed");
        sent += static_cast<std::size_t>(n);
    }
}

void RawSocket::ShutdownWrite() { ::shutdown(fd_, SHUT_WR); }

void RawSocket::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

bool RawSocket::Readable()
{
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

std::string RawSocket::ReadToEnd(End* end, int guardMs)
{
    std::string data;
    for (;;) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, guardMs) <= 0) {
            if (end)
                *end = End::StillOpen;
            return data;
        }
        char buf[65536];
        ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n > 0) {
            data.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (end)
            *end = n == 0 ? End::Closed : End::Reset;
        return data;
    }
}

std::string RawSocket::ReadReply()
{
    std::string data;
    char buf[65536];
    for (;;) {
        std::size_t headEnd = data.find("\r\n\r\n");
        if (headEnd != std::string::npos) {
            std::size_t at = data.find("Content-Length:");
            if (at == std::string::npos || at > headEnd)
                return data + ReadToEnd();  // no length: the body runs to the close
            std::size_t length = std::strtoull(data.c_str() + at + 15, nullptr, 10);
            if (data.size() >= headEnd + 4 + length)
                return data;
        }
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 5000) <= 0)
            return data;
        ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
        if (n <= 0)
            return data;
        data.append(buf, static_cast<std::size_t>(n));
    }
}

}  // namespace testsupport
