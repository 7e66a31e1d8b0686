// The window's geometry: everything inside at the minimum size, anchored
// controls following a growing window, footer buttons packed to the right.
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"

#include <gtest/gtest.h>

#include <QLabel>

using namespace wizardtest;

namespace {

QRect InWindow(const TfrmMain& form, const QWidget* w) { return QRect(w->mapTo(&form, QPoint(0, 0)), w->size()); }

void ProcessLayout()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

class Layout : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = MakeTestWindow(MakeFakeUpgrader);
        form().resize(form().minimumSize());
        ProcessLayout();
    }
    TfrmMain& form() { return window->Form(); }
    void ShowPage(QWidget* page)
    {
        form().pcCards->setCurrentWidget(page);
        ProcessLayout();
    }
    // Every visible control of the current page, header and footer lies
    // inside the window, and a one-line label is wide enough for its text.
    void ExpectAllInside(const char* when)
    {
        const QRect client = form().rect();
        for (QWidget* w : form().findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().isEmpty() || w->objectName().startsWith("qt_"))
                continue;
            EXPECT_TRUE(client.contains(InWindow(form(), w)))
                << when << ": " << w->objectName().toStdString() << " at " << InWindow(form(), w).x() << ","
                << InWindow(form(), w).y() << " " << w->width() << "x" << w->height();
            if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
                EXPECT_GE(label->width(), label->sizeHint().width()) << when << ": " << w->objectName().toStdString();
            }
        }
    }
    std::unique_ptr<TTestWindow> window;
};

TEST_F(Layout, MinimumSizeIsTheDesignClientArea)
{
    EXPECT_EQ(form().minimumSize(), QSize(562, 405));
    EXPECT_EQ(form().size(), QSize(562, 405));
    EXPECT_EQ(form().pnlHeader->height(), 65);
    EXPECT_EQ(form().pnlFooter->height(), 37);
    EXPECT_EQ(form().imgNorvo->size(), QSize(219, 50));
}

TEST_F(Layout, EveryControlInsideAtMinimumSizeOnEveryPageWithAndWithoutTabs)
{
    form().WiredChk->setChecked(true);  // shows the password row
    form().ShowNavigationButtons();
    form().pnlTestButton->show();
    form().ckShowTabs->show();
    form().Link_Label->show();
    for (bool tabs : {false, true}) {
        form().SetTabsVisible(tabs);
        for (int i = 0; i < form().pcCards->count(); ++i) {
            ShowPage(form().pcCards->widget(i));
            ExpectAllInside(qPrintable(form().pcCards->widget(i)->objectName() + (tabs ? " tabs" : "")));
        }
    }
}

TEST_F(Layout, GrowingWidensBoxesAndKeepsRightEdges)
{
    const int grow = 238;
    struct TEdge {
        QWidget* Control;
        QWidget* Page;
        bool Widens;  // anchored left and right; else moves with the right edge
    };
    const std::vector<TEdge> edges{
        {form().edExpressAdminPassword, form().tsUpgradeType, true},
        {form().lblExpressUpgrade, form().tsUpgradeType, true},
        {form().edIPAddress, form().tsConfiguration, true},
        {form().edPassword, form().tsConfiguration, true},
        {form().edSaveSettingsFile, form().tsSaveSettings, true},
        {form().btnBrowseSaveSettings, form().tsSaveSettings, false},
        {form().edRestoreSettingsFilename, form().tsRestoreSettings, true},
        {form().btnBrowseRestore, form().tsRestoreSettings, false},
        {form().lblRouterModel, form().tsUpgradeType, false},
        {form().lblHeaderFirmware, form().tsUpgradeType, false},
        {form().btnCancel, form().tsUpgradeType, false},
    };
    const int usernameWidth = form().edUsername->width();
    std::vector<QRect> before;
    for (const TEdge& e : edges) {
        ShowPage(e.Page);
        before.push_back(InWindow(form(), e.Control));
    }
    form().resize(form().width() + grow, form().height() + 100);
    ProcessLayout();
    for (std::size_t i = 0; i < edges.size(); ++i) {
        ShowPage(edges[i].Page);
        const QRect after = InWindow(form(), edges[i].Control);
        const std::string name = edges[i].Control->objectName().toStdString();
        EXPECT_EQ(after.right(), before[i].right() + grow) << name;
        if (edges[i].Widens)
            EXPECT_EQ(after.left(), before[i].left()) << name;
        else
            EXPECT_EQ(after.width(), before[i].width()) << name;
    }
    EXPECT_EQ(form().width() - 1 - InWindow(form(), form().lblRouterModel).right(), 10);
    EXPECT_EQ(form().edUsername->width(), usernameWidth) << "not anchored right";
}

TEST_F(Layout, FooterButtonsPackToTheRightWhenASubPanelIsHidden)
{
    form().ShowNavigationButtons();
    ProcessLayout();
    const int right = form().width() - 6;  // the footer buttons' border
    EXPECT_EQ(InWindow(form(), form().btnCancel).right() + 1, right);
    EXPECT_EQ(InWindow(form(), form().btnNext).right() + 1, right - 75 - 6);
    EXPECT_EQ(InWindow(form(), form().btnPrevious).right() + 1, right - 75 - 81 - 6);

    form().pnlNextButton->hide();
    ProcessLayout();
    EXPECT_EQ(InWindow(form(), form().btnPrevious).right() + 1, right - 75 - 6);

    form().pnlNextButton->show();
    form().pnlPreviousButton->hide();
    form().resize(form().width() + 100, form().height());
    ProcessLayout();
    EXPECT_EQ(InWindow(form(), form().btnNext).right() + 1, form().width() - 6 - 75 - 6);

    form().HideNavigationButtons();
    form().pnlTestButton->show();
    ProcessLayout();
    EXPECT_EQ(InWindow(form(), form().btnTest).right() + 1, form().width() - 6 - 75 - 12);
}

TEST_F(Layout, OutputMemoNeverWraps)
{
    EXPECT_EQ(form().mmoOutput->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(form().mmoOutput->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(form().mmoOutput->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
}

}  // namespace
