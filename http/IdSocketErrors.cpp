#include "http/IdSocketErrors.h"

#include "http/IdException.h"

#include <netdb.h>

#include <cerrno>
#include <cstdio>

namespace {

struct ErrnoMapping {
    int err;
    int code;
    const char* text;
};

// One row per Windows Sockets code; errno 0 marks codes that no POSIX
// failure maps onto but whose text is still shown when they occur.
const ErrnoMapping kTable[] = {
    {EINTR, 10004, "Interrupted system call."},
    {EBADF, 10009, "Bad file number."},
    {EACCES, 10013, "Access denied."},
    {EPERM, 10013, "Access denied."},
    {EFAULT, 10014, "Buffer fault."},
    {EINVAL, 10022, "Invalid argument."},
    {EMFILE, 10024, "Too many open files."},
    {ENFILE, 10024, "Too many open files."},
    {EWOULDBLOCK, 10035, "Operation would block."},
    {EINPROGRESS, 10036, "Operation now in progress."},
    {EALREADY, 10037, "Operation already in progress."},
    {ENOTSOCK, 10038, "Socket operation on non-socket."},
    {EDESTADDRREQ, 10039, "Destination address required."},
    {EMSGSIZE, 10040, "Message too long."},
    {EPROTOTYPE, 10041, "Protocol wrong type for socket."},
    {ENOPROTOOPT, 10042, "Bad protocol option."},
    {EPROTONOSUPPORT, 10043, "Protocol not supported."},
    {ESOCKTNOSUPPORT, 10044, "Socket type not supported."},
    {EOPNOTSUPP, 10045, "Operation not supported on socket."},
    {EPFNOSUPPORT, 10046, "Protocol family not supported."},
    {EAFNOSUPPORT, 10047, "Address family not supported by protocol family."},
    {EADDRINUSE, 10048, "Address already in use."},
    {EADDRNOTAVAIL, 10049, "Cannot assign requested address."},
    {ENETDOWN, 10050, "Network is down."},
    {ENETUNREACH, 10051, "Network is unreachable."},
    {ENETRESET, 10052, "Net dropped connection or reset."},
    // A send to a peer that has gone away: the connection was aborted.
    {EPIPE, 10053, "Software caused connection abort."},
    {ECONNABORTED, 10053, "Software caused connection abort."},
    {ECONNRESET, 10054, "Connection reset by peer."},
    {ENOBUFS, 10055, "No buffer space available."},
    {ENOMEM, 10055, "No buffer space available."},
    {EISCONN, 10056, "Socket is already connected."},
    {ENOTCONN, 10057, "Socket is not connected."},
    {ESHUTDOWN, 10058, "Cannot send or receive after socket is closed."},
    {ETOOMANYREFS, 10059, "Too many references, cannot splice."},
    {ETIMEDOUT, 10060, "Connection timed out."},
    {ECONNREFUSED, 10061, "Connection refused."},
    {ELOOP, 10062, "Too many levels of symbolic links."},
    {ENAMETOOLONG, 10063, "File name too long."},
    {EHOSTDOWN, 10064, "Host is down."},
    {EHOSTUNREACH, 10065, "No route to host."},
    {ENOTEMPTY, 10066, "Directory not empty"},
    {0, 11001, "Host not found."},
};

}  // namespace

std::string IdSocketErrorText(int code)
{
    for (const auto& row : kTable)
        if (row.code == code)
            return row.text;
    return {};
}

std::string IdSocketErrorMessage(int code)
{
    char number[32];
    std::snprintf(number, sizeof number, "%d", code);
    return std::string("Socket Error # ") + number + "\r\n" + IdSocketErrorText(code);
}

int IdWSACodeFromErrno(int err)
{
    for (const auto& row : kTable)
        if (row.err != 0 && row.err == err)
            return row.code;
    return err;  // no Windows Sockets equivalent: report the raw number
}

int IdWSACodeFromResolver(int gaiError)
{
    switch (gaiError) {
    case EAI_NONAME:
#ifdef EAI_NODATA
    case EAI_NODATA:
#endif
#ifdef EAI_ADDRFAMILY
    case EAI_ADDRFAMILY:
#endif
        return IdWSAHOST_NOT_FOUND;
    case EAI_AGAIN:
        return IdWSATRY_AGAIN;
    case EAI_FAIL:
        return IdWSANO_RECOVERY;
    case EAI_SYSTEM:
        return IdWSACodeFromErrno(errno);
    default:
        return IdWSANO_DATA;
    }
}

void IdRaiseSocketError(int code)
{
    if (code == IdWSAENOTSOCK)
        throw EIdNotASocket(code, IdSocketErrorMessage(code));
    throw EIdSocketError(code, IdSocketErrorMessage(code));
}

void IdRaiseLastSocketError() { IdRaiseSocketError(IdWSACodeFromErrno(errno)); }
