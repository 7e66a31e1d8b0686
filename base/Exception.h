// The program's general error kinds. Every failure travels as an exception
// carrying the message text that the user will see in the error box; the
// layers' own kinds (transport, adapter query, ...) descend from Exception.
#pragma once

#include <stdexcept>
#include <string>

// The general error: everything the program raises descends from it.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Range errors of the runtime ("Range check error").
class ERangeError : public Exception {
public:
    ERangeError() : Exception("Range check error") {}
};

// Stream errors: unsupported operations, files that cannot be opened or written.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
// A stream that refused bytes written to it.
class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
};
