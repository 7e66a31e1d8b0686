// How the window looks on a screen that scales by 2 (this program sets
// QT_SCALE_FACTOR=2 for itself) and in a dark theme: its pictures are the sharp @2x
// drawings, and every text reads against what lies behind it.
#include "tests/wizard/DarkPalette.h"
#include "tests/wizard/FakeUpgrader.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/Contrast.h"
#include "wizard/Pictures.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>

#include <string>

using namespace wizardtest;

namespace {

// Set before any test makes the application, which reads it once.
const bool ScaledByTwo = qputenv("QT_SCALE_FACTOR", "2");

TEST(Pictures, TheWindowShowsTheDoubleSizeDrawingsAtRatioTwo)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    ASSERT_TRUE(ScaledByTwo);
    ASSERT_EQ(form.devicePixelRatioF(), 2.0);
    struct {
        QLabel* label;
        QSize pixels;
        QSize onScreen;
    } cases[] = {
        {form.imgNorvo, {438, 100}, {219, 50}},
        {form.imgSuccess, {64, 64}, {32, 32}},
        {form.imgFailure, {64, 64}, {32, 32}},
    };
    for (const auto& c : cases) {
        const QPixmap pixmap = c.label->pixmap();
        const std::string name = c.label->objectName().toStdString();
        EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << name;
        EXPECT_EQ(pixmap.size(), c.pixels) << name;
        EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), c.onScreen) << name;
    }
    EXPECT_EQ(form.imgNorvo->size(), QSize(219, 50)) << "the logo keeps its place in the header";
    EXPECT_EQ(form.imgNorvo->pixmap().toImage(),
              LoadPicture(QStringLiteral(":/pictures/norvo_logo@2x.jpg"), 1).toImage());
}

// Between 1 and 2 the @2x drawing is scaled down to the screen's pixels, not
// the 1x one blown up; at 1 or below the 1x picture is used as it is.
TEST(Pictures, EachRatioGetsAPictureOfItsOwnPixels)
{
    Application();  // pixmaps need one
    struct {
        qreal ratio;
        QSize pixels;
    } cases[] = {{1, {219, 50}},   {0.5, {219, 50}}, {1.25, {274, 63}},
                 {1.5, {329, 75}}, {2, {438, 100}},  {3, {657, 150}}};
    for (const auto& c : cases) {
        const QPixmap logo = LoadPicture(QStringLiteral(":/pictures/norvo_logo.jpg"), c.ratio);
        EXPECT_EQ(logo.size(), c.pixels) << c.ratio;
        EXPECT_EQ(logo.devicePixelRatio(), c.ratio > 1 ? c.ratio : 1) << c.ratio;
        EXPECT_EQ(logo.deviceIndependentSize().toSize(), QSize(219, 50)) << c.ratio;
    }
    EXPECT_EQ(DoubleSizeName(":/pictures/outcome_success.png"), ":/pictures/outcome_success@2x.png");
}

// The colours a widget's text is drawn in, and what lies behind it: the
// nearest widget up the tree that paints its own background.
QColor TextColour(const QWidget* w)
{
    if (qobject_cast<const QPushButton*>(w))
        return w->palette().color(QPalette::ButtonText);
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
        return w->palette().color(QPalette::Text);
    return w->palette().color(w->foregroundRole());
}

QColor Ground(const QWidget* w)
{
    if (qobject_cast<const QPushButton*>(w))
        return w->palette().color(QPalette::Button);
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
        return w->palette().color(QPalette::Base);
    for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget())
        if (up->autoFillBackground() || up->isWindow())
            return up->palette().color(up->backgroundRole());
    return w->palette().color(QPalette::Window);
}

bool ShowsText(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return !label->text().isEmpty();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return !button->text().isEmpty();
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w);
}

// Every visible, enabled text of the window as it stands (disabled controls
// are greyed on purpose and not held to the measure).
void ExpectEveryTextReads(const TfrmMain& form, const char* page)
{
    int texts = 0;
    for (const QWidget* w : form.findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->isEnabled() || !ShowsText(w))
            continue;
        ++texts;
        const double ratio = ContrastRatio(TextColour(w), Ground(w));
        EXPECT_GE(ratio, MinimumTextContrast)
            << page << ": " << w->objectName().toStdString() << " " << TextColour(w).name().toStdString() << " on "
            << Ground(w).name().toStdString();
    }
    EXPECT_GT(texts, 2) << page;
}

class DarkTheme : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Application();
        UseDarkTheme();
    }
};

TEST_F(DarkTheme, EveryTextOfEveryPageReads)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    ExpectEveryTextReads(form, "first page");
    form.WiredChk->setChecked(true);
    ExpectEveryTextReads(form, "wired checked");
    form.ckShowTabs->setChecked(true);
    form.ShowNavigationButtons();
    for (int i = 0; i < form.pcCards->count(); ++i) {
        form.pcCards->setCurrentIndex(i);
        QApplication::processEvents();
        ExpectEveryTextReads(form, form.pcCards->currentWidget()->objectName().toLatin1().constData());
    }
    form.Link_Label->show();
    form.ShowOutcome(QStringLiteral("The upgrade failed."), false);
    ExpectEveryTextReads(form, "failure outcome");
    form.ShowOutcome(QStringLiteral("The upgrade worked."), true);
    ExpectEveryTextReads(form, "success outcome");
}

// The header stays a white panel around the logo; its texts stay dark on it.
TEST_F(DarkTheme, TheHeaderKeepsItsWhitePanelAndTheLinkLeavesFixedBlue)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    EXPECT_EQ(form.pnlHeader->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_GE(ContrastRatio(form.lblRouterModel->palette().color(QPalette::WindowText), Qt::white), 4.5);
    EXPECT_NE(form.Link_Label->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

// A desktop that switches themes while the window is open: the link is
// blue again in the light palette and readable again in the dark one.
TEST_F(DarkTheme, ASwitchOfThemeChoosesTheColoursAgain)
{
    auto window = MakeTestWindow(MakeFakeUpgrader);
    TfrmMain& form = window->Form();
    const auto link = [&] { return form.Link_Label->palette().color(QPalette::WindowText); };
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::processEvents();  // the news of a new palette travels as events
    EXPECT_EQ(link(), QColor(Qt::blue));
    QApplication::setPalette(DarkPalette());
    QApplication::processEvents();
    EXPECT_GE(ContrastRatio(link(), form.tsOutcome->palette().color(QPalette::Window)), MinimumTextContrast);
    EXPECT_EQ(form.pnlHeader->palette().color(QPalette::Window), QColor(Qt::white));
}

}  // namespace
