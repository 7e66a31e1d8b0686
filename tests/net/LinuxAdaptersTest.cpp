// The adapter list as Linux gives it, read from fixture texts and a fixture
// folder tree, and the errors of a failed query.
#include "net/LinuxAdapters.h"
#include "tests/support/Files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>

namespace {

const char* const RouteTable =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
    "eth0\t0000FEA9\t00000000\t0001\t0\t0\t1002\t0000FFFF\t0\t0\t0\n"
    "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"   // default via 192.168.0.1
    "eth0\t00000000\t0200A8C0\t0003\t0\t0\t200\t00000000\t0\t0\t0\n"   // a second one: not the first
    "wlan0\t0000A8C0\t00000000\t0001\t0\t0\t600\t00FFFFFF\t0\t0\t0\n"  // link route only
    "tun0\t00000000\t00000000\t0001\t0\t0\t50\t00000000\t0\t0\t0\n"    // default without gateway
    "ppp0\t00000000\t0101010A\t0002\t0\t0\t0\t00000000\t0\t0\t0\n"     // not up
    "br0\t00000000\t01DEADBEEF\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"    // malformed gateway
    "veth1\t00000000\t0101000A\t0003\t0\t0\t0\t00000000\t0\t0\t0\n";   // default via 10.0.1.1

TEST(LinuxRouteTable, TakesTheFirstUsableDefaultGatewayOfEachInterface)
{
    const auto gateways = ParseDefaultGateways(RouteTable);
    const std::map<std::string, std::string> expected{{"eth0", "192.168.0.1"}, {"veth1", "10.0.1.1"}};
    EXPECT_EQ(gateways, expected);
    EXPECT_TRUE(ParseDefaultGateways("").empty());
    EXPECT_TRUE(ParseDefaultGateways("Iface\tDestination\n\ngarbage\n").empty());
}

TEST(LinuxLinkTypes, MapToInterfaceTypeCodes)
{
    struct TCase {
        int LinkType;
        bool Wireless;
        std::uint32_t Expected;
    };
    // Only known link types get a code of their own; anything else (an odd
    // device, or a type file that could not be read) gets the code that the
    // gateway choice never prefers.
    const TCase cases[] = {
        {1, false, IfType::Ethernet},     {1, true, IfType::Wireless},  {801, false, IfType::Wireless},
        {772, false, IfType::Loopback},   {512, false, IfType::Ppp},    {768, false, IfType::Tunnel},
        {776, false, IfType::Tunnel},     {778, false, IfType::Tunnel}, {65534, false, IfType::Tunnel},
        {32, false, IfType::Unknown},     {0, false, IfType::Unknown},  {-1, false, IfType::Unknown},
        {0xFFFF, false, IfType::Unknown}, {824, true, IfType::Unknown},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(InterfaceTypeFromLink(c.LinkType, c.Wireless), c.Expected) << c.LinkType << " " << c.Wireless;
}

TEST(LinuxAdapterList, OrdersByInterfaceIndexAndAttachesGateways)
{
    const TAdapterList adapters = BuildAdapterList(
        {{3, "veth1", 1, false}, {1, "lo", 772, false}, {2, "eth0", 1, false}, {4, "wlan0", 1, true}}, RouteTable);
    ASSERT_EQ(adapters.size(), 4u);
    EXPECT_EQ(adapters[0].Type, 24u);
    EXPECT_EQ(adapters[0].GatewayAddress, "");
    EXPECT_EQ(adapters[1].Type, 6u);
    EXPECT_EQ(adapters[1].GatewayAddress, "192.168.0.1");
    EXPECT_EQ(adapters[2].GatewayAddress, "10.0.1.1");
    EXPECT_EQ(adapters[3].Type, 71u);
    EXPECT_EQ(adapters[3].GatewayAddress, "");
}

// A folder laid out like /sys/class/net and /proc/net/route.
class LinuxAdapterQueryTest : public ::testing::Test {
protected:
    void AddInterface(const QString& name, int index, int type, bool wireless = false)
    {
        const QString folder = root.path() + "/sys/class/net/" + name;
        ASSERT_TRUE(QDir().mkpath(folder));
        testsupport::WriteFile(folder + "/ifindex", QByteArray::number(index) + "\n");
        testsupport::WriteFile(folder + "/type", QByteArray::number(type) + "\n");
        if (wireless) {
            ASSERT_TRUE(QDir().mkpath(folder + "/wireless"));
        }
    }
    void WriteRouteTable(const QByteArray& text)
    {
        ASSERT_TRUE(QDir().mkpath(root.path() + "/proc/net"));
        testsupport::WriteFile(root.path() + "/proc/net/route", text);
    }
    TAdapterList Query()
    {
        TLinuxAdapterQuery query(root.path().toStdString());
        return GetAdapters(query);
    }
    QTemporaryDir root;
};

TEST_F(LinuxAdapterQueryTest, ReadsInterfacesAndRoutes)
{
    AddInterface("wlan0", 3, 1, true);
    AddInterface("lo", 1, 772);
    AddInterface("eth0", 2, 1);
    WriteRouteTable(RouteTable);
    const TAdapterList adapters = Query();
    ASSERT_EQ(adapters.size(), 3u);
    EXPECT_EQ(adapters[0].Type, 24u);
    EXPECT_EQ(adapters[1].GatewayAddress, "192.168.0.1");
    EXPECT_EQ(adapters[2].Type, 71u);
}

TEST_F(LinuxAdapterQueryTest, UnreadableRoutingTableIsAnOperatingSystemError)
{
    AddInterface("eth0", 2, 1);
    try {
        Query();
        FAIL() << "no error";
    } catch (const EOSError& error) {
        EXPECT_EQ(error.ErrorCode, ENOENT);
        EXPECT_EQ(error.Message(), "System Error.  Code: 2.\r\nNo such file or directory");
    }
}

TEST_F(LinuxAdapterQueryTest, NoInterfacesIsNoAdapterInformation)
{
    ASSERT_TRUE(QDir().mkpath(root.path() + "/sys/class/net"));
    WriteRouteTable(RouteTable);
    EXPECT_THROW(
        {
            try {
                Query();
            } catch (const EIpHlpError& error) {
                EXPECT_EQ(error.Message(),
                          "Function GetAdaptersInfo. No adapter information exists for the local computer.");
                throw;
            }
        },
        EIpHlpError);
}

TEST_F(LinuxAdapterQueryTest, InterfaceWithoutReadableTypeIsNeverPreferred)
{
    AddInterface("eth0", 2, 1);
    AddInterface("odd0", 3, 1);
    QFile::remove(root.path() + "/sys/class/net/odd0/type");
    WriteRouteTable(
        "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\n"
        "eth0\t00000000\t0100A8C0\t0003\t0\t0\t100\t00000000\n"
        "odd0\t00000000\t0101000A\t0003\t0\t0\t100\t00000000\n");
    const TAdapterList adapters = Query();
    ASSERT_EQ(adapters.size(), 2u);
    EXPECT_EQ(adapters[0].Type, IfType::Ethernet);
    EXPECT_EQ(adapters[1].Type, IfType::Unknown);
    EXPECT_EQ(adapters[1].GatewayAddress, "10.0.1.1");
}

TEST(LinuxAdapterQuery, LiveQueryListsThisMachinesLoopback)
{
    // Reads this machine's interface list only; nothing is contacted. Every
    // network namespace has a loopback interface, so the list is never empty.
    auto query = MakeSystemAdapterQuery();
    TAdapterList adapters;
    int systemError = 0;
    ASSERT_EQ(query->Query(adapters, systemError), IpHlpResult::Success) << systemError;
    const bool hasLoopback =
        std::any_of(adapters.begin(), adapters.end(), [](const TAdapterInfo& a) { return a.Type == IfType::Loopback; });
    EXPECT_TRUE(hasLoopback);
}

TEST(RaiseIpHlpError, MessagesByCode)
{
    struct TCase {
        std::uint32_t Code;
        int SystemError;
        const char* Message;
        bool IpHlp;
    };
    const TCase cases[] = {
        {50, 0, "Function GetAdaptersInfo is not supported by the operating system.", true},
        {87, 0, "Function GetAdaptersInfo. Invalid parameter", true},
        {232, 0, "Function GetAdaptersInfo. No adapter information exists for the local computer.", true},
        {111, 0, "A call to an OS function failed", false},
        {31, 13, "System Error.  Code: 13.\r\nPermission denied", false},
    };
    for (const TCase& c : cases) {
        try {
            RaiseIpHlpError("GetAdaptersInfo", c.Code, c.SystemError);
        } catch (const EIpHlpError& error) {
            EXPECT_TRUE(c.IpHlp) << c.Code;
            EXPECT_EQ(error.Message(), c.Message);
        } catch (const EOSError& error) {
            EXPECT_FALSE(c.IpHlp) << c.Code;
            EXPECT_EQ(error.Message(), c.Message);
            EXPECT_EQ(error.ErrorCode, c.SystemError);
        }
    }
}

}  // namespace
