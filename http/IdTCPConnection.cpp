#include "http/IdTCPConnection.h"

#include "http/IdException.h"
#include "http/IdSocketErrors.h"
#include "http/IdText.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

int MsUntil(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(std::min<long long>(left, 1 << 30));
}

// One name lookup on a thread of its own. The connection may give up on it
// before it ends; the thread then finishes alone, and this state lives as
// long as either side holds it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int code = 0;
    std::string dotted;
};

}  // namespace

bool IdIsDottedQuad(const std::string& host)
{
    int numbers = 0;
    std::size_t i = 0;
    while (true) {
        std::size_t start = i;
        int value = 0;
        while (i < host.size() && std::isdigit(static_cast<unsigned char>(host[i]))) {
            value = value * 10 + (host[i] - '0');
            if (value > 255)
                return false;
            ++i;
        }
        if (i == start || i - start > 3)
            return false;
        ++numbers;
        if (numbers == 4)
            return i == host.size();
        if (i >= host.size() || host[i] != '.')
            return false;
        ++i;
    }
}

int IdResolveWithNameService(const std::string& host, std::string& dotted)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int rc = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
    if (rc != 0)
        return IdWSACodeFromResolver(rc);
    char text[INET_ADDRSTRLEN] = {};
    auto* address = reinterpret_cast<sockaddr_in*>(found->ai_addr);
    ::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text);
    ::freeaddrinfo(found);
    dotted = text;
    return 0;
}

TIdTCPConnection::TIdTCPConnection() : piece_(RecvPieceSize), lastIdle_(Clock::now()) {}

TIdTCPConnection::~TIdTCPConnection() { CloseConnection(); }

void TIdTCPConnection::ResetBuffer()
{
    buffer_.clear();
    buffer_.shrink_to_fit();
    head_ = tail_ = 0;
    closedByPeer_ = false;
}

void TIdTCPConnection::OpenConnection(const std::string& host, int port)
{
    if (host.empty())
        throw EIdHostRequired();
    if (port == 0)
        throw EIdPortRequired();
    CloseConnection();
    host_ = host;
    port_ = port;
    peerAddress_.clear();
    ResetBuffer();
    open_ = true;
    try {
        socket_.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
        if (!socket_.Valid())
            IdRaiseLastSocketError();
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_ANY);
        if (::bind(socket_.Get(), reinterpret_cast<sockaddr*>(&local), sizeof local) != 0)
            throw EIdCouldNotBindSocket();
        int nagleOn = 0;  // TCP_NODELAY off: Nagle's algorithm stays on
        ::setsockopt(socket_.Get(), IPPROTO_TCP, TCP_NODELAY, &nagleOn, sizeof nagleOn);

        // The name lookup and the connect share one bound.
        const auto connectDeadline = std::min(Deadline, Clock::now() + std::chrono::milliseconds(Limits.ConnectMs));
        std::string address;
        if (IdIsDottedQuad(host)) {
            address = host;
        } else if (IdSameText(host, "LOCALHOST")) {
            address = "127.0.0.1";
        } else {
            int code = Resolve(host, address, connectDeadline);
            if (code != 0)
                IdRaiseSocketError(code);
        }
        if (port < 0 || port > 65535)
            throw ERangeError();
        Connect(address, port, connectDeadline);
        peerAddress_ = address;
    } catch (...) {
        socket_.Reset();
        open_ = false;
        throw;
    }
}

// The lookup runs on its own thread, since the system's resolver may block
// for long and cannot be interrupted; the window keeps running meanwhile. At
// the deadline the lookup is given up (10060) and left to end by itself.
int TIdTCPConnection::Resolve(const std::string& host, std::string& dotted, Clock::time_point deadline)
{
    auto lookup = std::make_shared<Lookup>();
    try {
        std::thread([lookup, resolver = Resolver, host] {
            std::string found;
            int code = IdWSAHOST_NOT_FOUND;
            try {
                code = resolver(host, found);
            } catch (...) {
                // A lookup that fails in an unexpected way found nothing.
            }
            std::lock_guard<std::mutex> lock(lookup->mutex);
            lookup->code = code;
            lookup->dotted = std::move(found);
            lookup->done = true;
            lookup->finished.notify_all();
        }).detach();
    } catch (const std::system_error& error) {
        IdRaiseSocketError(IdWSACodeFromErrno(error.code().value()));
    }
    std::unique_lock<std::mutex> lock(lookup->mutex);
    for (;;) {
        const auto slice = std::min(deadline, Clock::now() + std::chrono::milliseconds(IdleIntervalMs));
        if (lookup->finished.wait_until(lock, slice, [&] { return lookup->done; }))
            break;
        lock.unlock();
        IdleIfDue();
        lock.lock();
        if (lookup->done)
            break;
        if (Clock::now() >= deadline)
            IdRaiseSocketError(IdWSAETIMEDOUT);
    }
    dotted = lookup->dotted;
    return lookup->code;
}

void TIdTCPConnection::Connect(const std::string& address, int port, Clock::time_point deadline)
{
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<std::uint16_t>(port));
    // inet_aton, not inet_pton: dotted numbers with leading zeros are addresses too.
    if (::inet_aton(address.c_str(), &peer.sin_addr) == 0)
        IdRaiseSocketError(IdWSAHOST_NOT_FOUND);
    if (::connect(socket_.Get(), reinterpret_cast<sockaddr*>(&peer), sizeof peer) != 0) {
        if (errno != EINPROGRESS && errno != EINTR)
            IdRaiseLastSocketError();
        if (!Wait(WaitFor::Writable, MsUntil(deadline)))
            IdRaiseSocketError(IdWSAETIMEDOUT);
        int error = 0;
        socklen_t length = sizeof error;
        if (::getsockopt(socket_.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0)
            IdRaiseLastSocketError();
        if (error != 0)
            IdRaiseSocketError(IdWSACodeFromErrno(error));
    }
    sockaddr_in name{};
    socklen_t length = sizeof name;
    if (::getsockname(socket_.Get(), reinterpret_cast<sockaddr*>(&name), &length) != 0)
        IdRaiseLastSocketError();
    length = sizeof name;
    if (::getpeername(socket_.Get(), reinterpret_cast<sockaddr*>(&name), &length) != 0)
        IdRaiseLastSocketError();
}

void TIdTCPConnection::AttachSocket(int fd)
{
    CloseConnection();
    socket_.Reset(fd);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ResetBuffer();
    host_.clear();
    port_ = 0;
    open_ = true;
}

void TIdTCPConnection::CloseConnection()
{
    if (!open_)
        return;
    open_ = false;
    if (socket_.Valid()) {
        ::shutdown(socket_.Get(), SHUT_WR);
        socket_.Reset();
    }
}

// Room for one more receive at the end of the input buffer; consumed bytes
// are dropped from the front first so the buffer stays small.
void TIdTCPConnection::MakeRoom()
{
    if (buffer_.size() - tail_ >= RecvPieceSize)
        return;
    std::size_t used = tail_ - head_;
    if (used > 0 && head_ > 0)
        std::memmove(buffer_.data(), buffer_.data() + head_, used);
    head_ = 0;
    tail_ = used;
    if (buffer_.size() - tail_ < RecvPieceSize)
        buffer_.resize(tail_ + RecvPieceSize);
}

void TIdTCPConnection::PeerClosed()
{
    closedByPeer_ = true;
    socket_.Reset();
}

bool TIdTCPConnection::IsConnected()
{
    if (socket_.Valid() && !closedByPeer_) {
        MakeRoom();
        ssize_t got = ::recv(socket_.Get(), buffer_.data() + tail_, RecvPieceSize, MSG_DONTWAIT);
        if (got > 0)
            tail_ += static_cast<std::size_t>(got);
        else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
            PeerClosed();  // a close or a reset: either way nothing more will come
    }
    return (open_ && socket_.Valid()) || BufferedBytes() > 0;
}

void TIdTCPConnection::IdleIfDue()
{
    if (!OnIdle)
        return;
    auto now = Clock::now();
    if (now - lastIdle_ >= std::chrono::milliseconds(IdleIntervalMs)) {
        lastIdle_ = now;
        OnIdle();
    }
}

bool TIdTCPConnection::Wait(WaitFor what, int limitMs)
{
    auto deadline = std::min(Deadline, Clock::now() + std::chrono::milliseconds(limitMs));
    pollfd entry{};
    entry.fd = socket_.Get();
    entry.events = what == WaitFor::Readable ? POLLIN : POLLOUT;
    for (;;) {
        int slice = std::min(IdleIntervalMs, MsUntil(deadline));
        entry.revents = 0;
        int ready = ::poll(&entry, 1, slice);
        if (ready < 0 && errno != EINTR)
            IdRaiseLastSocketError();
        IdleIfDue();
        // Errors and hang-ups count as ready: the next call reports them.
        if (ready > 0)
            return true;
        if (Clock::now() >= deadline)
            return false;
    }
}

std::size_t TIdTCPConnection::ReceiveInto(char* into, std::size_t size)
{
    for (;;) {
        if (closedByPeer_) {
            socket_.Reset();
            throw EIdConnClosedGracefully();
        }
        if (!socket_.Valid())
            throw EIdException("Not Connected");
        ssize_t got = ::recv(socket_.Get(), into, size, MSG_DONTWAIT);
        if (got > 0)
            return static_cast<std::size_t>(got);
        if (got == 0) {
            PeerClosed();
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            IdRaiseLastSocketError();
        if (!Wait(WaitFor::Readable, Limits.StallMs))
            IdRaiseSocketError(IdWSAETIMEDOUT);
    }
}

bool TIdTCPConnection::ReceiveSome(bool raiseOnClose)
{
    if (closedByPeer_ || !socket_.Valid()) {
        if (!raiseOnClose)
            return false;
        if (closedByPeer_)
            throw EIdConnClosedGracefully();
        throw EIdException("Not Connected");
    }
    MakeRoom();
    std::size_t got = ReceiveInto(buffer_.data() + tail_, RecvPieceSize);
    if (got == 0) {
        if (raiseOnClose)
            throw EIdConnClosedGracefully();
        return false;
    }
    tail_ += got;
    return true;
}

std::string TIdTCPConnection::ReadLine()
{
    std::size_t scanned = head_;
    for (;;) {
        const char* start = buffer_.data() + head_;
        const void* lf = tail_ > scanned ? std::memchr(buffer_.data() + scanned, '\n', tail_ - scanned) : nullptr;
        if (lf) {
            std::size_t length = static_cast<const char*>(lf) - start;  // CR before the LF included
            if (length > MaxLineLength)
                throw EIdReadLnMaxLineLengthExceeded();
            std::string line(start, length);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            head_ += length + 1;
            if (head_ == tail_)
                head_ = tail_ = 0;
            return line;
        }
        if (tail_ - head_ > MaxLineLength)
            throw EIdReadLnMaxLineLengthExceeded();
        std::size_t offset = tail_ - head_;
        ReceiveSome(true);  // may move the buffered bytes to the front
        scanned = head_ + offset;
    }
}

void TIdTCPConnection::DeliverBuffered(const TIdByteSink& sink, std::int64_t& remaining)
{
    std::size_t take =
        static_cast<std::size_t>(std::min<std::int64_t>(remaining, static_cast<std::int64_t>(tail_ - head_)));
    if (take == 0)
        return;
    const char* from = buffer_.data() + head_;
    head_ += take;
    if (head_ == tail_)
        head_ = tail_ = 0;
    remaining -= static_cast<std::int64_t>(take);
    sink(from, take);
}

void TIdTCPConnection::ReadToStream(const TIdByteSink& sink, std::int64_t count)
{
    std::int64_t remaining = count;
    DeliverBuffered(sink, remaining);
    while (remaining > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(remaining, RecvPieceSize));
        std::size_t got = ReceiveInto(piece_.data(), want);
        if (got == 0)
            throw EIdConnClosedGracefully();
        remaining -= static_cast<std::int64_t>(got);
        sink(piece_.data(), got);
    }
}

void TIdTCPConnection::ReadUntilClosed(const TIdByteSink& sink)
{
    if (!closedByPeer_ && !socket_.Valid() && BufferedBytes() == 0)
        throw EIdException("Not Connected");
    std::int64_t all = INT64_MAX;
    DeliverBuffered(sink, all);
    while (socket_.Valid() && !closedByPeer_) {
        std::size_t got = ReceiveInto(piece_.data(), RecvPieceSize);
        if (got == 0)
            return;
        sink(piece_.data(), got);
    }
}

void TIdTCPConnection::SendBytes(const char* data, std::size_t size)
{
    while (size > 0) {
        if (!socket_.Valid())
            IdRaiseSocketError(IdWSAENOTSOCK);
        // MSG_NOSIGNAL: a peer that has gone must raise an error, not SIGPIPE.
        ssize_t sent = ::send(socket_.Get(), data, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            data += sent;
            size -= static_cast<std::size_t>(sent);
            continue;
        }
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            IdRaiseLastSocketError();
        if (!Wait(WaitFor::Writable, Limits.StallMs))
            IdRaiseSocketError(IdWSAETIMEDOUT);
    }
}

void TIdTCPConnection::SendStream(const TIdByteSource& source, std::int64_t count)
{
    std::vector<char> piece(SendPieceSize);
    while (count > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(count, SendPieceSize));
        std::size_t got = source(piece.data(), want);
        if (got == 0)
            throw EIdNoDataToRead();
        SendBytes(piece.data(), got);
        count -= static_cast<std::int64_t>(got);
        IdleIfDue();  // a socket that never blocks must not keep the window waiting
    }
    PushPending();
}

// Nagle's algorithm holds a body's last, short segment until the peer has
// acknowledged everything before it, which can cost a delayed acknowledgement
// at the end of every upload. Switching it off for a moment sends that
// segment at once; it is on again for everything after.
void TIdTCPConnection::PushPending()
{
    if (!socket_.Valid())
        return;
    int on = 1, off = 0;  // results ignored: a socket that is not TCP has nothing to push
    ::setsockopt(socket_.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    ::setsockopt(socket_.Get(), IPPROTO_TCP, TCP_NODELAY, &off, sizeof off);
}
