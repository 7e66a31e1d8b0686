#include "net/LinuxAdapters.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// Link types of <linux/if_arp.h>.
constexpr int ArpEther = 1;
constexpr int ArpPpp = 512;
constexpr int ArpTunnel = 768;
constexpr int ArpTunnel6 = 769;
constexpr int ArpLoopback = 772;
constexpr int ArpSit = 776;
constexpr int ArpIpGre = 778;
constexpr int ArpIeee80211 = 801;
constexpr int ArpIp6Gre = 823;
constexpr int ArpNone = 65534;  // tun and other layer-3 tunnel devices

// Route flags of <linux/route.h>.
constexpr unsigned long RouteUp = 0x0001;
constexpr unsigned long RouteGateway = 0x0002;

bool ReadFile(const std::filesystem::path& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

bool ParseHex(const std::string& text, unsigned long& value)
{
    if (text.empty() || text.size() > 8)
        return false;
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 16);
    return end && *end == '\0';
}

// The kernel prints the address as the 32-bit value in memory order, so the
// bytes of that value on this machine are the address bytes.
std::string DottedAddress(unsigned long value)
{
    const std::uint32_t address = static_cast<std::uint32_t>(value);
    unsigned char bytes[4];
    std::memcpy(bytes, &address, sizeof bytes);
    return std::to_string(bytes[0]) + '.' + std::to_string(bytes[1]) + '.' + std::to_string(bytes[2]) + '.' +
           std::to_string(bytes[3]);
}

}  // namespace

std::uint32_t InterfaceTypeFromLink(int linkType, bool wireless)
{
    switch (linkType) {
    case ArpEther:
        return wireless ? IfType::Wireless : IfType::Ethernet;
    case ArpIeee80211:
        return IfType::Wireless;
    case ArpLoopback:
        return IfType::Loopback;
    case ArpPpp:
        return IfType::Ppp;
    case ArpTunnel:
    case ArpTunnel6:
    case ArpSit:
    case ArpIpGre:
    case ArpIp6Gre:
    case ArpNone:
        return IfType::Tunnel;
    default:
        // An odd link type (or an unreadable one) must not win the gateway
        // choice over the wired adapter.
        return IfType::Unknown;
    }
}

std::map<std::string, std::string> ParseDefaultGateways(const std::string& routeTable)
{
    std::map<std::string, std::string> gateways;
    std::istringstream lines(routeTable);
    std::string line;
    std::getline(lines, line);  // column titles
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, destination, gateway, flags, refCount, use, metric, mask;
        if (!(fields >> name >> destination >> gateway >> flags >> refCount >> use >> metric >> mask))
            continue;
        unsigned long destinationValue = 0, gatewayValue = 0, flagValue = 0, maskValue = 0;
        if (!ParseHex(destination, destinationValue) || !ParseHex(gateway, gatewayValue) ||
            !ParseHex(flags, flagValue) || !ParseHex(mask, maskValue))
            continue;
        const bool isDefault = destinationValue == 0 && maskValue == 0;
        const bool viaGateway = (flagValue & RouteUp) && (flagValue & RouteGateway);
        if (isDefault && viaGateway)
            gateways.emplace(name, DottedAddress(gatewayValue));  // keeps the first one
    }
    return gateways;
}

TAdapterList BuildAdapterList(std::vector<TLinuxLink> links, const std::string& routeTable)
{
    std::stable_sort(links.begin(), links.end(),
                     [](const TLinuxLink& a, const TLinuxLink& b) { return a.Index < b.Index; });
    const auto gateways = ParseDefaultGateways(routeTable);
    TAdapterList adapters;
    for (const TLinuxLink& link : links) {
        TAdapterInfo adapter;
        adapter.Type = InterfaceTypeFromLink(link.LinkType, link.Wireless);
        const auto found = gateways.find(link.Name);
        if (found != gateways.end())
            adapter.GatewayAddress = found->second;
        adapters.push_back(adapter);
    }
    return adapters;
}

std::uint32_t TLinuxAdapterQuery::Query(TAdapterList& adapters, int& systemError)
{
    namespace fs = std::filesystem;
    const fs::path netFolder = fs::path(root_ + "/sys/class/net");
    std::error_code error;
    std::vector<TLinuxLink> links;
    for (fs::directory_iterator it(netFolder, error), end; !error && it != end; it.increment(error)) {
        TLinuxLink link;
        link.Name = it->path().filename().string();
        std::string text;
        if (!ReadFile(it->path() / "ifindex", text))
            continue;  // an interface that vanished while we looked
        link.Index = std::atoi(text.c_str());
        if (ReadFile(it->path() / "type", text))
            link.LinkType = std::atoi(text.c_str());
        link.Wireless = fs::exists(it->path() / "wireless", error) || fs::exists(it->path() / "phy80211", error);
        error.clear();
        links.push_back(link);
    }
    if (error) {
        systemError = error.value();
        return IpHlpResult::GeneralFailure;
    }
    if (links.empty())
        return IpHlpResult::NoData;

    std::string routeTable;
    errno = 0;
    if (!ReadFile(fs::path(root_ + "/proc/net/route"), routeTable)) {
        systemError = errno != 0 ? errno : ENOENT;
        return IpHlpResult::GeneralFailure;
    }
    adapters = BuildAdapterList(std::move(links), routeTable);
    return IpHlpResult::Success;
}
