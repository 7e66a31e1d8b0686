// Default-gateway discovery through the window: which adapter's gateway wins,
// what the status page shows, and what a failed query leaves behind.
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

using namespace wizardtest;

namespace {

struct TGatewayCase {
    const char* Name;
    TAdapterList Adapters;
    const char* Expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TGatewayCase& c, std::ostream* os) { *os << c.Name; }

class GatewayChoice : public ::testing::TestWithParam<TGatewayCase> {};

TEST_P(GatewayChoice, FillsTheAddressBox)
{
    auto window = MakeTestWindow(MakeFakeUpgrader, {});
    TfrmMain& form = window->Form();
    form.edIPAddress->setText("typed by hand");
    window->Adapters->Adapters = GetParam().Adapters;
    form.GetDefaultGateway();
    EXPECT_EQ(form.edIPAddress->text(), GetParam().Expected);
    EXPECT_TRUE(window->Seams.Errors.empty());
}

const TAdapterList None{};
INSTANTIATE_TEST_SUITE_P(
    Adapters, GatewayChoice,
    ::testing::Values(
        TGatewayCase{"FirstHasGatewaySecondNone", {{6, "192.168.0.1"}, {6, ""}}, "192.168.0.1"},
        TGatewayCase{"LastNonEmptyWins", {{6, "10.0.0.1"}, {6, "192.168.0.1"}}, "192.168.0.1"},
        TGatewayCase{"TypeOtherWinsOverLater", {{1, "10.1.1.1"}, {6, "192.168.0.1"}}, "10.1.1.1"},
        TGatewayCase{"TypeOtherWinsOverEarlier", {{6, "192.168.0.1"}, {1, "10.1.1.1"}, {71, "172.16.0.1"}}, "10.1.1.1"},
        TGatewayCase{
            "LastTypeOtherEmptyFallsBackToLast", {{1, "10.1.1.1"}, {1, ""}, {6, "192.168.0.1"}}, "192.168.0.1"},
        TGatewayCase{"UnknownTypeIsNotPreferred", {{0, "10.9.9.9"}, {6, "192.168.0.1"}}, "192.168.0.1"},
        TGatewayCase{"ZerosCountAsGateway", {{6, "192.168.0.1"}, {6, "0.0.0.0"}}, "0.0.0.0"},
        TGatewayCase{"NoGatewayEmptiesBox", {{24, ""}, {6, ""}}, ""}, TGatewayCase{"NoAdapterEmptiesBox", None, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(Gateway, StepsOnceBeforeOncePerAdapterOnceAfterAndRestoresPageAndCursor)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    form.pcCards->setCurrentWidget(form.tsOutput);
    window->Adapters->Adapters = {{6, ""}, {6, "10.0.0.1"}, {24, ""}};
    form.StartStatus("reset step");  // step 1 from here on
    const int before = form.ProgressBar1->value();

    QWidget* pageDuringQuery = nullptr;
    bool busyDuringQuery = false;
    struct TSpy : TFakeAdapterQuery {
        using TFakeAdapterQuery::TFakeAdapterQuery;
        std::function<void()> OnQuery;
        std::uint32_t Query(TAdapterList& a, int& e) override
        {
            OnQuery();
            return TFakeAdapterQuery::Query(a, e);
        }
    };
    auto spy = std::make_unique<TSpy>(window->Adapters->Adapters);
    spy->OnQuery = [&] {
        pageDuringQuery = form.pcCards->currentWidget();
        busyDuringQuery =
            QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        EXPECT_EQ(form.lblStatus->text(), "Retrieving default gateway...");
    };
    form.SetAdapterQuery(std::move(spy));
    form.GetDefaultGateway();

    EXPECT_EQ(form.ProgressBar1->value() - before, 1 + 3 + 1);
    EXPECT_EQ(pageDuringQuery, form.tsStatus);
    EXPECT_TRUE(busyDuringQuery);
    EXPECT_EQ(form.pcCards->currentWidget(), form.tsOutput);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(form.edIPAddress->text(), "10.0.0.1");
}

TEST(Gateway, FailedQueryReachesTheErrorBoxAndLeavesBoxPageAndCursor)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    form.WiredChk->setChecked(true);
    form.edIPAddress->setText("10.9.8.7");
    window->Adapters->Result = IpHlpResult::NoData;
    const int lookupsBefore = window->Adapters->Calls;
    const auto& fake = FakeOf(form);

    form.btnNext->click();  // gateway lookup, then the express upgrade

    ASSERT_EQ(window->Seams.Errors.size(), 1u);
    EXPECT_EQ(window->Seams.Errors[0],
              "Function GetAdaptersInfo. No adapter information exists for the local computer.");
    EXPECT_EQ(window->Adapters->Calls, lookupsBefore + 1);
    EXPECT_EQ(form.edIPAddress->text(), "10.9.8.7");
    EXPECT_EQ(form.pcCards->currentWidget(), form.tsUpgradeType);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(std::find(fake.Calls.begin(), fake.Calls.end(), "ExpressUpgrade") == fake.Calls.end())
        << "the rest of the Next click is skipped";
}

}  // namespace
