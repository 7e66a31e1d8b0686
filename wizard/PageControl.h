// The window's page control (pcCards): the one way pages change, the show
// rule that runs whenever a page is shown, the pages Previous returns to,
// and the tabs, whose input is held back so that only the program and
// TabChosen pick pages.
#pragma once

#include "driver/UpgraderView.h"

#include <QObject>

#include <functional>
#include <optional>

class QWidget;
namespace Ui {
class frmMain;
}

class TPageControl : public QObject {
    Q_OBJECT
public:
    struct THandlers {
        // Runs a handler inside the window's error handler.
        std::function<void(const std::function<void()>& handler)> Guard;
        // The show rule: runs whenever page is shown, also when it was the
        // active page already.
        std::function<void(QWidget* page)> PageShown;
        // After the user has picked the page at index through the tabs.
        std::function<void(int index)> TabPageChanged;
        // After a return page was set or forgotten.
        std::function<void()> ReturnPagesChanged;
    };

    // Watches form's pcCards from here on.
    TPageControl(Ui::frmMain& form, THandlers handlers);

    // page becomes the active page and its show rule runs, also when it was
    // active already. nullptr changes nothing.
    void ShowPage(QWidget* page);
    void ShowPage(TUpgraderPage page);
    TUpgraderPage ActivePage() const;

    // The page Previous reopens from page (Outcome or Restore Settings).
    std::optional<TUpgraderPage> ReturnPage(TUpgraderPage page) const;
    void SetReturnPage(TUpgraderPage page, TUpgraderPage returnPage);
    void ForgetReturnPage(TUpgraderPage page);
    // Page that Previous reopens from the Outcome page; nullptr when none.
    QWidget* OutcomeReturnPage() const { return outcomeReturnPage_; }
    void SetOutcomeReturnPage(QWidget* page);
    // Page that Previous reopens from the Restore Settings page when the
    // backup offer opened it; nullptr when none.
    QWidget* RestoreReturnPage() const { return restoreReturnPage_; }
    void SetRestoreReturnPage(QWidget* page);

    // Shows or hides every tab and the tab bar; the active page stays.
    void SetTabsVisible(bool visible);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* PageWidget(TUpgraderPage page) const;
    std::optional<TUpgraderPage> PageOf(const QWidget* widget) const;
    bool HoldBackTabInput(QObject* target, QEvent* event);
    void TabChosen(int index);

    Ui::frmMain& form_;
    THandlers handlers_;
    QWidget* outcomeReturnPage_ = nullptr;
    QWidget* restoreReturnPage_ = nullptr;
};
