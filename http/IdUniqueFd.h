// Owns one POSIX file descriptor (socket or file) and closes it exactly once.
#pragma once

#include <unistd.h>

#include <utility>

class TIdUniqueFd {
public:
    TIdUniqueFd() = default;
    explicit TIdUniqueFd(int fd) : fd_(fd) {}
    ~TIdUniqueFd() { Reset(); }
    TIdUniqueFd(TIdUniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TIdUniqueFd& operator=(TIdUniqueFd&& other) noexcept
    {
        if (this != &other) {
            Reset();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    TIdUniqueFd(const TIdUniqueFd&) = delete;
    TIdUniqueFd& operator=(const TIdUniqueFd&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    void Reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_ = -1;
};
