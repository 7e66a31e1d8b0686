// The adapter query behind default-gateway discovery: the list of network
// adapters with their interface type and first default-gateway address, and
// the errors of a failed query.
#pragma once

#include "base/Exception.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Interface type codes of the adapter list.
namespace IfType {
// No interface type the selection rule knows: never preferred.
inline constexpr std::uint32_t Unknown = 0;
// The one type the selection rule prefers over all others.
inline constexpr std::uint32_t Other = 1;
inline constexpr std::uint32_t Ethernet = 6;
inline constexpr std::uint32_t Ppp = 23;
inline constexpr std::uint32_t Loopback = 24;
inline constexpr std::uint32_t Wireless = 71;
inline constexpr std::uint32_t Tunnel = 131;
}  // namespace IfType

// Result codes of the adapter query.
namespace IpHlpResult {
inline constexpr std::uint32_t Success = 0;
inline constexpr std::uint32_t GeneralFailure = 31;
inline constexpr std::uint32_t NotSupported = 50;
inline constexpr std::uint32_t InvalidParameter = 87;
inline constexpr std::uint32_t BufferOverflow = 111;
inline constexpr std::uint32_t NoData = 232;
}  // namespace IpHlpResult

struct TAdapterInfo {
    std::uint32_t Type = IfType::Unknown;
    // First default-gateway address as dotted IPv4 text; empty when none.
    std::string GatewayAddress;
};
using TAdapterList = std::vector<TAdapterInfo>;

// The adapter query failed with one of its documented codes.
class EIpHlpError : public Exception {
public:
    using Exception::Exception;
};

// A failed operating-system call, described by its system error code.
class EOSError : public Exception {
public:
    EOSError(int code, const std::string& message) : Exception(message), ErrorCode(code) {}
    int ErrorCode;
};

// Where the adapter list comes from. The program asks the operating system;
// tests hand over lists of their own.
class IAdapterQuery {
public:
    virtual ~IAdapterQuery() = default;
    // Fills the list in a stable order and returns 0, or returns a failure
    // code; for a general failure systemError holds the system's error code.
    virtual std::uint32_t Query(TAdapterList& adapters, int& systemError) = 0;
};

// The adapter list; raises the error for a failure code.
TAdapterList GetAdapters(IAdapterQuery& query);

// Raises the error for a failure code of the named query function: an
// EIpHlpError for the documented codes, otherwise the general operating-
// system error built from systemError.
[[noreturn]] void RaiseIpHlpError(const std::string& functionName, std::uint32_t code, int systemError);

// The adapter query of this operating system.
std::unique_ptr<IAdapterQuery> MakeSystemAdapterQuery();
