// Socket failures as the rest of the program sees them: Windows Sockets error
// codes with their fixed texts. POSIX errno values and resolver failures are
// translated here, in one table, so every layer reports the same numbers.
#pragma once

#include <string>

// Well-known codes used by name elsewhere.
enum : int {
    IdWSAENOTSOCK = 10038,
    IdWSAETIMEDOUT = 10060,
    IdWSAHOST_NOT_FOUND = 11001,
    IdWSATRY_AGAIN = 11002,
    IdWSANO_RECOVERY = 11003,
    IdWSANO_DATA = 11004,
};

// The code's text ("Connection refused." for 10061); empty for codes without one.
std::string IdSocketErrorText(int code);
// "Socket Error # %d\r\n%s" with the code and its text.
std::string IdSocketErrorMessage(int code);
// errno of a failed socket call -> Windows Sockets code.
int IdWSACodeFromErrno(int err);
// getaddrinfo() result -> Windows Sockets code.
int IdWSACodeFromResolver(int gaiError);

// Raises EIdSocketError (EIdNotASocket for 10038) for the code.
[[noreturn]] void IdRaiseSocketError(int code);
// Same, from the current errno.
[[noreturn]] void IdRaiseLastSocketError();
