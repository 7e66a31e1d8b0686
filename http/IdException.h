// Error kinds of the HTTP transport. Every failure travels as an exception
// carrying the message text that the user will see in the error box.
#pragma once

#include "base/Exception.h"

#include <string>

class EIdException : public Exception {
public:
    using Exception::Exception;
};
class EIdSilentException : public EIdException {
public:
    using EIdException::EIdException;
};

// A failing socket call; LastError holds the Windows Sockets error code
// (10061 for a refused connection, 11001 for an unknown host, ...).
class EIdSocketError : public EIdException {
public:
    EIdSocketError(int code, const std::string& message) : EIdException(message), LastError(code) {}
    int LastError;
};
class EIdNotASocket : public EIdSocketError {
public:
    using EIdSocketError::EIdSocketError;
};

class EIdConnClosedGracefully : public EIdSilentException {
public:
    EIdConnClosedGracefully() : EIdSilentException("Connection Closed Gracefully.") {}
};
class EIdReadLnMaxLineLengthExceeded : public EIdException {
public:
    EIdReadLnMaxLineLengthExceeded() : EIdException("Max line length exceeded.") {}
};
class EIdHostRequired : public EIdException {
public:
    EIdHostRequired() : EIdException("") {}
};
class EIdPortRequired : public EIdException {
public:
    EIdPortRequired() : EIdException("") {}
};
class EIdSocketHandleError : public EIdException {
public:
    using EIdException::EIdException;
};
class EIdCouldNotBindSocket : public EIdSocketHandleError {
public:
    EIdCouldNotBindSocket() : EIdSocketHandleError("Could not bind socket. Address and port are already in use.") {}
};
class EIdTCPConnectionError : public EIdException {
public:
    using EIdException::EIdException;
};
class EIdNoDataToRead : public EIdTCPConnectionError {
public:
    EIdNoDataToRead() : EIdTCPConnectionError("No data to read.") {}
};

// An answer that is not a success: the message is the whole status line,
// ErrorCode the numeric status and ErrorMessage the answer's body.
class EIdHTTPProtocolException : public EIdException {
public:
    EIdHTTPProtocolException(int code, const std::string& statusLine, std::string body)
        : EIdException(statusLine), ErrorCode(code), ErrorMessage(std::move(body))
    {
    }
    int ErrorCode;
    std::string ErrorMessage;
};

// An answer (head, text body or stream body) grew past the client's limit;
// the connection is closed.
class EIdResponseTooLarge : public EIdException {
public:
    using EIdException::EIdException;
};

// A chunk size that no real body has: the answer is broken, not ended.
class EIdInvalidChunkSize : public EIdException {
public:
    EIdInvalidChunkSize() : EIdException("Invalid chunk size.") {}
};
