#include "tools/router-sim/lib/RawHttpServer.h"

#include "tools/router-sim/lib/HttpMessage.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace testsupport {

namespace {

constexpr int kTickMs = 20;
constexpr std::size_t kMaxReserve = std::size_t{64} << 20;  // a larger announcement grows as it arrives
constexpr std::size_t kReserveUnit = std::size_t{1} << 20;

using Clock = std::chrono::steady_clock;

// Lets StopListening tell whether it runs on the server's own thread.
thread_local const RawHttpServer* tServing = nullptr;

// Closing with a zero linger time makes the kernel send RST instead of FIN.
void CloseWithReset(int fd)
{
    linger lin{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &lin, sizeof lin);
    ::close(fd);
}

}  // namespace

struct RawHttpServer::Connection {
    int fd = -1;
    int index = 0;
    std::string in;
    std::string out;
    std::size_t outPos = 0;
    bool writing = false;      // a reply is being written
    bool silent = false;       // NeverAnswer: stay open, answer nothing more
    bool done = false;         // to be removed from the loop
    bool bodyStarted = false;  // the current request's first body byte has arrived
    int bodyReceives = 0;
    Clock::time_point bodyFirst;
    ScriptedReply::Then then = ScriptedReply::Then::Close;
    std::string repeat;  // refills `out` whenever it runs empty
    int dripMs = 0;
    std::size_t dripAfter = 0;
    std::chrono::steady_clock::time_point nextDrip;  // no byte goes out before this
    Clock::time_point nextReceive;                   // with a receive pace: no receive before this
};

RawHttpServer::RawHttpServer(const std::string& address, std::uint16_t port, Handler handler, Tick tick,
                             std::size_t receivePace)
    : address_(address), port_(port), handler_(std::move(handler)), tick_(std::move(tick)), receivePace_(receivePace)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
    wakeRead_ = fds[0];
    wakeWrite_ = fds[1];
    try {
        pendingListener_ = OpenListener();
    } catch (...) {
        ::close(wakeRead_);
        ::close(wakeWrite_);
        throw;
    }
    listening_ = true;
    thread_ = std::thread([this] { Run(); });
}

RawHttpServer::~RawHttpServer()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    Wake();
    thread_.join();
    if (pendingListener_ >= 0)
        ::close(pendingListener_);
    ::close(wakeRead_);
    ::close(wakeWrite_);
}

int RawHttpServer::OpenListener()
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        throw std::runtime_error("socket: " + std::string(std::strerror(errno)));
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (receivePace_ > 0) {  // inherited by accepted connections: the window stays small
        int size = static_cast<int>(std::min<std::size_t>(receivePace_, 1 << 20));
        ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port_);
    if (::inet_pton(AF_INET, address_.c_str(), &addr.sin_addr) != 1) {
        ::close(fd);
        throw std::runtime_error("not an IPv4 address: " + address_);
    }
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        std::string why = std::strerror(errno);
        ::close(fd);
        throw std::runtime_error("cannot listen on " + address_ + ":" + std::to_string(port_) + ": " + why);
    }
    socklen_t len = sizeof addr;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    return fd;
}

void RawHttpServer::Wake()
{
    char c = 1;
    [[maybe_unused]] auto n = ::write(wakeWrite_, &c, 1);
}

bool RawHttpServer::Listening() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return listening_;
}

void RawHttpServer::StartListening()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (listening_)
        return;
    pendingListener_ = OpenListener();
    listening_ = true;
    Wake();
}

void RawHttpServer::StopListening(int keepConnection)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (tServing == this) {
        lock.unlock();
        DropAll(keepConnection);
        return;
    }
    stopRequested_ = true;
    Wake();
    changed_.wait(lock, [this] { return !stopRequested_ || quit_; });
}

void RawHttpServer::DropAll(int keepConnection)
{
    if (listener_ >= 0)
        ::close(listener_);
    listener_ = -1;
    for (auto& c : conns_) {
        if (c.index == keepConnection)
            continue;
        if (!c.done)
            ::close(c.fd);
        c.done = true;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (pendingListener_ >= 0)
        ::close(pendingListener_);
    pendingListener_ = -1;
    listening_ = false;
}

void RawHttpServer::Finish(Connection& c)
{
    c.out.clear();
    c.outPos = 0;
    c.writing = false;
    switch (c.then) {
    case ScriptedReply::Then::Close:
        ::shutdown(c.fd, SHUT_RDWR);
        ::close(c.fd);
        c.done = true;
        break;
    case ScriptedReply::Then::Reset:
        CloseWithReset(c.fd);
        c.done = true;
        break;
    case ScriptedReply::Then::KeepOpen:
        break;
    case ScriptedReply::Then::NeverAnswer:
        c.silent = true;
        break;
    }
}

void RawHttpServer::Flush(Connection& c)
{
    const auto now = std::chrono::steady_clock::now();
    if (now < c.nextDrip)
        return;
    while (c.outPos < c.out.size() || !c.repeat.empty()) {
        if (c.outPos == c.out.size()) {
            c.out.clear();
            c.outPos = 0;
            while (c.out.size() < 65536)
                c.out += c.repeat;
        }
        std::size_t size = c.out.size() - c.outPos;
        if (c.dripMs > 0)
            size = c.outPos < c.dripAfter ? std::min(size, c.dripAfter - c.outPos) : 1;
        ssize_t n = ::send(c.fd, c.out.data() + c.outPos, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (n <= 0) {  // the peer went away: nothing more to say to it
            ::close(c.fd);
            c.done = true;
            return;
        }
        c.outPos += static_cast<std::size_t>(n);
        if (c.dripMs > 0) {
            c.nextDrip = now + std::chrono::milliseconds(c.dripMs);
            if (c.outPos < c.out.size() || !c.repeat.empty())
                return;
        }
    }
    Finish(c);
}

// Stamps the arrival of the current request's first body byte.
void RawHttpServer::NoteBodyStart(Connection& c)
{
    if (c.bodyStarted) {
        ++c.bodyReceives;
        return;
    }
    const std::size_t head = RequestHeadLength(c.in);
    c.bodyReceives = head > 0 && c.in.size() > head ? 1 : 0;
    if (c.bodyReceives > 0) {
        c.bodyStarted = true;
        c.bodyFirst = Clock::now();
        // Room for the whole announced body at once: growing a large buffer
        // step by step would copy it again and again while the body arrives,
        // and the router's receiving time would measure that instead of the client.
        // Whole MiBs, so that uploads of about the same size find the buffer
        // of the one before big enough, its memory already touched.
        if (auto length = ParseRequest(c.in.substr(0, head)).Header("Content-Length")) {
            const std::size_t body = std::min<std::size_t>(std::strtoull(length->c_str(), nullptr, 10), kMaxReserve);
            c.in.reserve(((head + body) | (kReserveUnit - 1)) + 1);
        }
    }
}

// Answers the complete requests waiting in the input buffer, one at a time.
void RawHttpServer::Serve(Connection& c)
{
    while (!c.done && !c.writing && !c.silent) {
        std::size_t length = CompleteRequestLength(c.in);
        if (length == 0)
            return;
        // Timed before the request is copied out: the copy is the router's
        // work, not the client's.
        const std::int64_t bodyMicros =
            c.bodyStarted ? std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - c.bodyFirst).count()
                          : 0;
        RawRequest request{c.in.substr(0, length), c.index, true, bodyMicros, c.bodyReceives};
        c.in.erase(0, length);
        c.bodyStarted = false;
        NoteBodyStart(c);
        ServerReply answer = handler_(request);
        const ScriptedReply& reply = answer.reply;
        c.out = reply.bytes.substr(0, std::min(reply.writeAtMost, reply.bytes.size()));
        c.outPos = 0;
        c.then = reply.then;
        c.repeat = reply.repeat;
        c.dripMs = reply.dripMs;
        c.dripAfter = reply.dripAfter;
        c.nextDrip = std::chrono::steady_clock::now() + std::chrono::milliseconds(reply.delayMs);
        c.writing = true;
        Flush(c);
    }
}

void RawHttpServer::Accept()
{
    for (;;) {
        int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        Connection c;
        c.in = std::move(spareIn_);  // a buffer already grown and touched, if there is one
        c.in.clear();
        c.fd = fd;
        c.index = connections_++;
        conns_.push_back(std::move(c));
    }
}

void RawHttpServer::Receive(Connection& c)
{
    char buf[65536];
    std::size_t want = sizeof buf;
    if (receivePace_ > 0) {
        want = std::min(want, receivePace_);
        c.nextReceive = Clock::now() + std::chrono::milliseconds(kTickMs);
    }
    ssize_t n = ::recv(c.fd, buf, want, 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n <= 0) {
        // The peer closed (or reset): keep what it sent of an unfinished request.
        if (!c.in.empty() && !c.silent)
            handler_(RawRequest{c.in, c.index, false});
        ::close(c.fd);
        c.done = true;
        return;
    }
    if (c.silent)
        return;
    c.in.append(buf, static_cast<std::size_t>(n));
    NoteBodyStart(c);
    Serve(c);
}

void RawHttpServer::Run()
{
    tServing = this;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            if (quit_)
                break;
            if (stopRequested_) {
                lock.unlock();
                DropAll();
                lock.lock();
                stopRequested_ = false;
                changed_.notify_all();
            }
            if (pendingListener_ >= 0) {
                if (listener_ >= 0)
                    ::close(listener_);
                listener_ = pendingListener_;
                pendingListener_ = -1;
            }
        }

        std::vector<pollfd> fds;
        fds.push_back({wakeRead_, POLLIN, 0});
        const bool withListener = listener_ >= 0;
        if (withListener)
            fds.push_back({listener_, POLLIN, 0});
        std::vector<Connection*> polled;
        const auto now = Clock::now();
        for (auto& c : conns_) {
            // A paced connection is not read before its time; the short poll
            // below comes back to it.
            short events = now < c.nextReceive ? 0 : POLLIN;
            if (c.writing && c.dripMs == 0 && now >= c.nextDrip && (c.outPos < c.out.size() || !c.repeat.empty()))
                events |= POLLOUT;
            fds.push_back({c.fd, events, 0});
            polled.push_back(&c);
        }
        if (::poll(fds.data(), fds.size(), kTickMs) < 0 && errno != EINTR)
            break;

        if (fds[0].revents & POLLIN) {
            char buf[64];
            while (::read(wakeRead_, buf, sizeof buf) > 0) {
            }
        }
        const std::size_t first = withListener ? 2 : 1;
        for (std::size_t i = 0; i < polled.size(); ++i) {
            Connection& c = *polled[i];
            short revents = fds[first + i].revents;
            if (c.done || revents == 0)
                continue;
            if (revents & POLLOUT)
                Flush(c);
            if (!c.done && (revents & (POLLIN | POLLHUP | POLLERR)))
                Receive(c);
        }
        // Dripping replies move on the tick, one byte at a time, and delayed
        // ones start on the first tick past their delay.
        for (auto& c : conns_)
            if (!c.done && c.writing && (c.dripMs > 0 || c.outPos == 0))
                Flush(c);
        if (withListener && listener_ >= 0 && (fds[1].revents & POLLIN))
            Accept();
        conns_.remove_if([this](Connection& c) {
            if (c.done && c.in.capacity() > spareIn_.capacity())
                spareIn_ = std::move(c.in);
            return c.done;
        });

        if (tick_)
            tick_();
    }
    DropAll();
    std::lock_guard<std::mutex> lock(mutex_);
    changed_.notify_all();
}

}  // namespace testsupport
