// The choice of the router's address: which adapter's gateway wins, and the
// model with a fixed address, for which no adapter is asked.
#include "net/GatewayChoice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

struct TChoiceCase {
    const char* Name;
    TAdapterList Adapters;
    const char* Expected;
};

void PrintTo(const TChoiceCase& c, std::ostream* os) { *os << c.Name; }

class ChooseGatewayRule : public ::testing::TestWithParam<TChoiceCase> {};

TEST_P(ChooseGatewayRule, PicksTheRoutersGateway)
{
    EXPECT_EQ(ChooseGateway(GetParam().Adapters), QString::fromLatin1(GetParam().Expected));
}

INSTANTIATE_TEST_SUITE_P(
    Adapters, ChooseGatewayRule,
    ::testing::Values(
        TChoiceCase{"NoAdapter", {}, ""},
        TChoiceCase{
            "LastNonEmptyWins", {{IfType::Ethernet, "10.0.0.1"}, {IfType::Wireless, "192.168.0.1"}, {}}, "192.168.0.1"},
        TChoiceCase{"OtherWinsOverLaterAndEarlier",
                    {{IfType::Ethernet, "192.168.0.1"}, {IfType::Other, "10.1.1.1"}, {IfType::Ppp, "172.16.0.1"}},
                    "10.1.1.1"},
        TChoiceCase{"LastOtherDecidesEvenWhenEmpty",
                    {{IfType::Other, "10.1.1.1"}, {IfType::Other, ""}, {IfType::Ethernet, "192.168.0.1"}},
                    "192.168.0.1"},
        TChoiceCase{"LastOtherWithAGatewayWinsOverAnEarlierOther",
                    {{IfType::Other, "10.1.1.1"}, {IfType::Ethernet, "192.168.0.1"}, {IfType::Other, "10.2.2.2"}},
                    "10.2.2.2"},
        TChoiceCase{"OnlyAnEmptyOther", {{IfType::Other, ""}}, ""},
        TChoiceCase{"UnknownTypeIsNotPreferred",
                    {{IfType::Unknown, "10.9.9.9"}, {IfType::Ethernet, "192.168.0.1"}},
                    "192.168.0.1"},
        TChoiceCase{
            "ZerosCountAsAGateway", {{IfType::Ethernet, "192.168.0.1"}, {IfType::Ethernet, "0.0.0.0"}}, "0.0.0.0"},
        TChoiceCase{"TextEndsAtItsFirstNul", {{IfType::Ethernet, "10.0.0.1\0junk"s}}, "10.0.0.1"},
        TChoiceCase{"LeadingNulIsNoGateway",
                    {{IfType::Ethernet, "192.168.0.1"}, {IfType::Ethernet, "\0 10.0.0.9"s}},
                    "192.168.0.1"}),
    [](const auto& info) { return std::string(info.param.Name); });

// An adapter list of the test's own that records when it is asked.
class TRecordingQuery : public IAdapterQuery {
public:
    TRecordingQuery(std::vector<std::string>& events, TAdapterList adapters, std::uint32_t result)
        : events_(events), adapters_(std::move(adapters)), result_(result)
    {
    }
    std::uint32_t Query(TAdapterList& adapters, int& systemError) override
    {
        events_.push_back("query");
        systemError = 0;
        if (result_ == IpHlpResult::Success)
            adapters = adapters_;
        return result_;
    }

private:
    std::vector<std::string>& events_;
    TAdapterList adapters_;
    std::uint32_t result_;
};

struct RouterAddress : ::testing::Test {
    std::vector<std::string> events;
    std::function<void()> step = [this] { events.push_back("step"); };
};

TEST_F(RouterAddress, StepsOnceBeforeTheQueryAndOncePerAdapter)
{
    TRecordingQuery query(events, {{IfType::Ethernet, ""}, {IfType::Ethernet, "10.0.0.1"}, {IfType::Loopback, ""}},
                          IpHlpResult::Success);
    EXPECT_EQ(ChooseRouterAddress("WRX-270", query, step), "10.0.0.1");
    EXPECT_EQ(events, (std::vector<std::string>{"step", "query", "step", "step", "step"}));
}

TEST_F(RouterAddress, FixedAddressModelAsksNoAdapterAndTakesNoStep)
{
    TRecordingQuery query(events, {{IfType::Other, "10.1.1.1"}}, IpHlpResult::Success);
    EXPECT_EQ(ChooseRouterAddress(FixedAddressModel, query, step), "192.168.229.61");
    EXPECT_TRUE(events.empty());
}

TEST_F(RouterAddress, OnlyTheExactModelNameHasTheFixedAddress)
{
    for (const char* model : {"wsg-120", "WSG-120 ", "WSG-12", ""}) {
        events.clear();
        TRecordingQuery query(events, {{IfType::Ethernet, "192.168.0.1"}}, IpHlpResult::Success);
        EXPECT_EQ(ChooseRouterAddress(model, query, step), "192.168.0.1") << model;
        EXPECT_EQ(events, (std::vector<std::string>{"step", "query", "step"})) << model;
    }
}

TEST_F(RouterAddress, FailedQueryThrowsAfterTheFirstStep)
{
    TRecordingQuery query(events, {{IfType::Ethernet, "192.168.0.1"}}, IpHlpResult::NoData);
    EXPECT_THROW(ChooseRouterAddress("WRX-270", query, step), EIpHlpError);
    EXPECT_EQ(events, (std::vector<std::string>{"step", "query"}));
}

}  // namespace
