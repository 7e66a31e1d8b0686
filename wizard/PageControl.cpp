#include "wizard/PageControl.h"

#include "ui_fmMain.h"

#include <QEvent>
#include <QSignalBlocker>
#include <QTabBar>

namespace {

// The pages of pcCards in the order of TUpgraderPage.
constexpr QWidget* Ui::frmMain::*kPages[kUpgraderPageCount] = {
    &Ui::frmMain::tsUpgradeType,  &Ui::frmMain::tsStatus, &Ui::frmMain::tsConfiguration,
    &Ui::frmMain::tsSaveSettings, &Ui::frmMain::tsOutput, &Ui::frmMain::tsRestoreSettings,
    &Ui::frmMain::tsOutcome};

}  // namespace

TPageControl::TPageControl(Ui::frmMain& form, THandlers handlers) : form_(form), handlers_(std::move(handlers))
{
    // Every page change runs the show rule of the page it lands on, and user
    // input to the tab bar or the page control picks pages through TabChosen.
    QTabWidget* cards = form_.pcCards;
    connect(cards, &QTabWidget::currentChanged, this,
            [this, cards](int index) { handlers_.PageShown(cards->widget(index)); });
    cards->installEventFilter(this);
    cards->tabBar()->installEventFilter(this);
}

void TPageControl::ShowPage(QWidget* page)
{
    if (!page)
        return;
    if (page == form_.pcCards->currentWidget())
        handlers_.PageShown(page);  // no change, so no signal: the rule runs from here
    else
        form_.pcCards->setCurrentWidget(page);
}

void TPageControl::ShowPage(TUpgraderPage page) { ShowPage(PageWidget(page)); }

QWidget* TPageControl::PageWidget(TUpgraderPage page) const { return form_.*kPages[static_cast<int>(page)]; }

std::optional<TUpgraderPage> TPageControl::PageOf(const QWidget* widget) const
{
    for (int i = 0; i < kUpgraderPageCount; ++i)
        if (widget && form_.*kPages[i] == widget)
            return static_cast<TUpgraderPage>(i);
    return std::nullopt;
}

TUpgraderPage TPageControl::ActivePage() const
{
    return PageOf(form_.pcCards->currentWidget()).value_or(TUpgraderPage::UpgradeType);
}

std::optional<TUpgraderPage> TPageControl::ReturnPage(TUpgraderPage page) const
{
    if (page == TUpgraderPage::Outcome)
        return PageOf(outcomeReturnPage_);
    if (page == TUpgraderPage::RestoreSettings)
        return PageOf(restoreReturnPage_);
    return std::nullopt;
}

void TPageControl::SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage)
{
    if (page == TUpgraderPage::Outcome)
        SetOutcomeReturnPage(PageWidget(returnPage));
    else if (page == TUpgraderPage::RestoreSettings)
        SetRestoreReturnPage(PageWidget(returnPage));
}

void TPageControl::ForgetReturnPage(TUpgraderPage page)
{
    if (page == TUpgraderPage::Outcome)
        SetOutcomeReturnPage(nullptr);
    else if (page == TUpgraderPage::RestoreSettings)
        SetRestoreReturnPage(nullptr);
}

void TPageControl::SetOutcomeReturnPage(QWidget* page)
{
    outcomeReturnPage_ = page;
    if (handlers_.ReturnPagesChanged)
        handlers_.ReturnPagesChanged();
}

void TPageControl::SetRestoreReturnPage(QWidget* page)
{
    restoreReturnPage_ = page;
    if (handlers_.ReturnPagesChanged)
        handlers_.ReturnPagesChanged();
}

void TPageControl::SetTabsVisible(bool visible)
{
    // Hiding the tab of the active page makes the tab bar pass to another
    // tab. With its signals held back the pages stay put, and the active
    // page's tab is current again before they are let go.
    QTabWidget* cards = form_.pcCards;
    QWidget* active = cards->currentWidget();
    {
        const QSignalBlocker held(cards->tabBar());
        for (int i = 0; i < cards->count(); ++i)
            cards->setTabVisible(i, visible);
        cards->setCurrentWidget(active);
    }
    cards->tabBar()->setVisible(visible);
    // The page control hands its focus to the tab bar: while the bar is
    // hidden, Tab would stop there and the focus would go nowhere.
    cards->setFocusPolicy(visible ? Qt::TabFocus : Qt::NoFocus);
    // Hiding a tab hides its page too, also the active one.
    if (active)
        active->show();
}

bool TPageControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == form_.pcCards || watched == form_.pcCards->tabBar()) {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Shortcut:
            return HoldBackTabInput(watched, event);
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Input to the tab bar or the page control may make another tab current: a
// click, the arrow keys, the wheel, Ctrl+Tab. It runs with the tab bar's
// signals held back, so the toolkit shows no page for it; the tab it chose
// goes to TabChosen instead. The event's accepted flag still decides whether
// it travels on to the parent.
bool TPageControl::HoldBackTabInput(QObject* target, QEvent* event)
{
    QTabBar* tabs = form_.pcCards->tabBar();
    const int before = tabs->currentIndex();
    int chosen = before;
    {
        const QSignalBlocker held(tabs);
        target->event(event);
        chosen = tabs->currentIndex();
        tabs->setCurrentIndex(before);
    }
    if (chosen != before)
        handlers_.Guard([&] { TabChosen(chosen); });
    return true;
}

// The one place where the user changes pages. With the tabs hidden only the
// program does.
void TPageControl::TabChosen(int index)
{
    QTabWidget* cards = form_.pcCards;
    if (cards->tabBar()->isHidden() || !cards->isTabVisible(index) || index == cards->currentIndex())
        return;
    ShowPage(cards->widget(index));
    handlers_.TabPageChanged(index);
}
