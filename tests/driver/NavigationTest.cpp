// The driver's Next and Previous rules, page by page, and the password it
// logs in with, through the real window.
#include "driver/utWrx310.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

namespace {

using PageOf = QWidget* Ui::frmMain::*;

struct NavigationCase {
    const char* name;
    PageOf page;
    bool versionShown;   // lblFirmwareVersion holds a version
    bool returnPageSet;  // a Check Firmware outcome recorded its return page
    bool nextEnabled;
    bool previousEnabled;
    PageOf previousGoesTo;  // nullptr: Previous leaves the page as it is
    bool navigationHidden;  // Previous hides the Next and Previous panels
};

void PrintTo(const NavigationCase& c, std::ostream* os) { *os << c.name; }

class Navigation : public ::testing::TestWithParam<NavigationCase> {};

TEST_P(Navigation, NextAndPreviousFollowThePage)
{
    const NavigationCase& c = GetParam();
    auto window = wizardtest::MakeTestWindow(MakeWrx310);
    TfrmMain& form = window->Form();
    TNorvoFirmwareUpgrader& driver = form.Upgrader();
    form.ShowNavigationButtons();
    QWidget* page = form.*c.page;
    form.pcCards->setCurrentWidget(page);
    // As Check Firmware leaves it: a version read, or only blanks.
    driver.ShowFirmwareVersion(c.versionShown ? QStringLiteral("3.5") : QStringLiteral("  "));
    form.Pages().SetOutcomeReturnPage(c.returnPageSet ? form.tsConfiguration : nullptr);

    driver.NextUpdate(form.actNext);
    driver.PreviousUpdate(form.actPrevious);
    EXPECT_EQ(form.actNext.Enabled(), c.nextEnabled);
    EXPECT_EQ(form.actPrevious.Enabled(), c.previousEnabled);

    driver.PreviousExecute(form.actPrevious);
    EXPECT_EQ(form.pcCards->currentWidget(), c.previousGoesTo ? form.*c.previousGoesTo : page);
    EXPECT_EQ(form.pnlNextButton->isHidden(), c.navigationHidden);
    EXPECT_EQ(form.pnlPreviousButton->isHidden(), c.navigationHidden);
    if (c.page == &Ui::frmMain::tsOutcome && c.returnPageSet) {
        EXPECT_EQ(form.Pages().OutcomeReturnPage(), nullptr);
    }
}

using F = Ui::frmMain;
INSTANTIATE_TEST_SUITE_P(
    Pages, Navigation,
    ::testing::Values(
        NavigationCase{"upgrade_type", &F::tsUpgradeType, false, false, true, false, nullptr, false},
        NavigationCase{"status_disables_both", &F::tsStatus, true, true, false, false, nullptr, false},
        NavigationCase{"configuration_without_version", &F::tsConfiguration, false, false, false, true,
                       &F::tsUpgradeType, true},
        NavigationCase{"configuration_with_version", &F::tsConfiguration, true, false, true, true, &F::tsUpgradeType,
                       true},
        NavigationCase{"save_settings", &F::tsSaveSettings, false, false, true, true, &F::tsConfiguration, false},
        NavigationCase{"output", &F::tsOutput, true, true, false, false, nullptr, false},
        NavigationCase{"restore_settings", &F::tsRestoreSettings, false, false, true, false, nullptr, false},
        NavigationCase{"outcome_with_return_page", &F::tsOutcome, false, true, false, true, &F::tsConfiguration, false},
        NavigationCase{"outcome_without_return_page", &F::tsOutcome, true, false, false, false, nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DriverPassword, ConfigurationBoxWinsUnlessBlank)
{
    auto window = wizardtest::MakeTestWindow(MakeWrx310);
    TfrmMain& form = window->Form();
    struct Case {
        QString configuration, express;
        std::string used;
    };
    const Case cases[] = {
        {QStringLiteral("config"), QStringLiteral("express"), "config"},
        {QStringLiteral("  "), QStringLiteral(" express "), "express"},
        {QString(), QString(), ""},
        {QString::fromUtf8(" p\xc3\xa4ss "), QString(), "p\xc3\xa4ss"},  // UTF-8 bytes go to the hash
    };
    for (const Case& c : cases) {
        form.edPassword->setText(c.configuration);
        form.edExpressAdminPassword->setText(c.express);
        EXPECT_EQ(form.Upgrader().GetPassword(), c.used);
    }
}

}  // namespace
