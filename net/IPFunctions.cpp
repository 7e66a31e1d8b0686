#include "net/IPFunctions.h"

#include "net/LinuxAdapters.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Format(const char* format, const std::string& name)
{
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, name.c_str());
    return buffer;
}

}  // namespace

TAdapterList GetAdapters(IAdapterQuery& query)
{
    TAdapterList adapters;
    int systemError = 0;
    const std::uint32_t result = query.Query(adapters, systemError);
    if (result != IpHlpResult::Success)
        RaiseIpHlpError("GetAdaptersInfo", result, systemError);
    return adapters;
}

void RaiseIpHlpError(const std::string& functionName, std::uint32_t code, int systemError)
{
    switch (code) {
    case IpHlpResult::NotSupported:
        throw EIpHlpError(Format("Function %s is not supported by the operating system.", functionName));
    case IpHlpResult::InvalidParameter:
        throw EIpHlpError(Format("Function %s. Invalid parameter", functionName));
    case IpHlpResult::NoData:
        throw EIpHlpError(Format("Function %s. No adapter information exists for the local computer.", functionName));
    default:
        break;
    }
    if (systemError == 0)
        throw EOSError(0, "A call to an OS function failed");
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "System Error.  Code: %d.\r\n%s", systemError, std::strerror(systemError));
    throw EOSError(systemError, buffer);
}

std::unique_ptr<IAdapterQuery> MakeSystemAdapterQuery() { return std::make_unique<TLinuxAdapterQuery>(); }
