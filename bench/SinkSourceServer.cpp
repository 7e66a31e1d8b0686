#include "bench/SinkSourceServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBuffer = 1 << 20;

bool SendAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

long long HeaderNumber(const std::string& lowerHead, const std::string& name)
{
    std::size_t at = lowerHead.find("\r\n" + name + ":");
    if (at == std::string::npos)
        return -1;
    return std::atoll(lowerHead.c_str() + at + name.size() + 3);
}

void Serve(int fd, std::vector<char>& buffer, const std::vector<char>& pattern)
{
    std::string head;
    std::size_t end = std::string::npos;
    while (end == std::string::npos) {
        ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (n <= 0)
            return;
        head.append(buffer.data(), static_cast<std::size_t>(n));
        end = head.find("\r\n\r\n");
    }
    std::string lower = Lower(head.substr(0, end + 2));
    long long pending = static_cast<long long>(head.size() - end - 4);  // body bytes already here

    if (head.compare(0, 5, "POST ") == 0) {
        if (lower.find("\r\nexpect: 100-continue") != std::string::npos) {
            const char interim[] = "HTTP/1.1 100 Continue\r\n\r\n";
            SendAll(fd, interim, sizeof interim - 1);
        }
        long long length = HeaderNumber(lower, "content-length");
        long long received = pending;
        while (received < length) {
            ssize_t n = ::recv(fd, buffer.data(), buffer.size(), 0);
            if (n <= 0)
                return;
            received += n;
        }
        std::string body = "OK " + std::to_string(received);
        std::string answer = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(body.size()) +
                             "\r\nConnection: close\r\n\r\n" + body;
        SendAll(fd, answer.data(), answer.size());
        return;
    }
    long long size = 0;
    std::size_t path = head.find(" /bytes/");
    if (path != std::string::npos)
        size = std::atoll(head.c_str() + path + 8);
    std::string answer =
        "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(size) +
        "\r\nConnection: close\r\n\r\n";
    if (!SendAll(fd, answer.data(), answer.size()))
        return;
    while (size > 0) {
        std::size_t piece = static_cast<std::size_t>(std::min<long long>(size, static_cast<long long>(pattern.size())));
        if (!SendAll(fd, pattern.data(), piece))
            return;
        size -= static_cast<long long>(piece);
    }
}

}  // namespace

int OpenBenchListener(std::uint16_t& port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 16) != 0)
        return -1;
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

void ServeForever(int listener)
{
    std::vector<char> buffer(kBuffer);
    std::vector<char> pattern(kBuffer);
    for (std::size_t i = 0; i < pattern.size(); ++i)
        pattern[i] = static_cast<char>(i * 31 + (i >> 12));
    for (;;) {
        int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        Serve(fd, buffer, pattern);
        ::shutdown(fd, SHUT_WR);
        // Drain until the client closes, so it never sees a reset.
        while (::recv(fd, buffer.data(), buffer.size(), 0) > 0) {
        }
        ::close(fd);
    }
}
