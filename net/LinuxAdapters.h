// The adapter list on Linux: the network interfaces from sysfs, ordered by
// interface index, each with its first IPv4 default gateway from the
// kernel's routing table and an interface type code mapped from its link type.
#pragma once

#include "net/IPFunctions.h"

#include <map>
#include <string>
#include <vector>

struct TLinuxLink {
    int Index = 0;
    std::string Name;
    int LinkType = -1;  // ARPHRD_* of /sys/class/net/<name>/type; -1 when unreadable
    bool Wireless = false;
};

// Interface type code for a link type; IfType::Unknown for any link type
// not mapped here.
std::uint32_t InterfaceTypeFromLink(int linkType, bool wireless);

// The first IPv4 default gateway of every interface in the text of
// /proc/net/route, as dotted text, by interface name.
std::map<std::string, std::string> ParseDefaultGateways(const std::string& routeTable);

// The adapters in interface-index order.
TAdapterList BuildAdapterList(std::vector<TLinuxLink> links, const std::string& routeTable);

class TLinuxAdapterQuery : public IAdapterQuery {
public:
    // root is prefixed to /sys/class/net and /proc/net/route (tests use a folder of fixtures).
    explicit TLinuxAdapterQuery(std::string root = std::string()) : root_(std::move(root)) {}
    std::uint32_t Query(TAdapterList& adapters, int& systemError) override;

private:
    std::string root_;
};
