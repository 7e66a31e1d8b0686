#include "wizard/fmMain.h"

#include "base/SafeFile.h"
#include "driver/ProgramFiles.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "log/SupportLog.h"
#include "net/IPFunctions.h"
#include "resources/ProductProfile.h"
#include "wizard/Anchors.h"
#include "wizard/FontFitting.h"
#include "wizard/JpegImage.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QSessionManager>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <exception>

namespace {

const QString GatewayStatusText = QStringLiteral("Retrieving default gateway...");
const QString CloseRefusedText = QStringLiteral(
    "The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade "
    "has finished.");

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QPixmap LoadJpegResource(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Picture " + name.toStdString() + " is missing");
    return QPixmap::fromImage(DecodeJpeg(file.readAll()));
}

// The pages of pcCards in the order of TUpgraderPage.
constexpr QWidget* Ui::frmMain::*kPages[kUpgraderPageCount] = {
    &Ui::frmMain::tsUpgradeType,  &Ui::frmMain::tsStatus, &Ui::frmMain::tsConfiguration,
    &Ui::frmMain::tsSaveSettings, &Ui::frmMain::tsOutput, &Ui::frmMain::tsRestoreSettings,
    &Ui::frmMain::tsOutcome};

// Screen readers name a box by its buddy label only when the two share a
// parent; the Configuration page keeps its labels and boxes in two panels.
void NameBoxesByTheirLabels(QWidget* root)
{
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* box = label->buddy();
        if (box && box->parentWidget() != label->parentWidget())
            box->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
    }
}

}  // namespace

TfrmMain::TfrmMain(TDriverFactory makeDriver, QWidget* parent)
    : QWidget(parent), FSeams(std::make_unique<TWizardSeams>()), FAdapterQuery(MakeSystemAdapterQuery())
{
    setupUi(this);
    FProgressStep = DesignProgressStep();
    SetUpAppearance();
    ConnectHandlers();
    FormCreate(makeDriver);
    GuardActionHandlers();
}

TfrmMain::~TfrmMain() { FormDestroy(); }

TWizardSeams& TfrmMain::Seams() const { return *FSeams; }

void TfrmMain::SetAdapterQuery(std::unique_ptr<IAdapterQuery> query) { FAdapterQuery = std::move(query); }

// ---------------------------------------------------------------------------
// Construction

void TfrmMain::SetUpAppearance()
{
    pnlHeader->setFrameStyle(QFrame::Panel | QFrame::Raised);
    QPalette header = pnlHeader->palette();
    header.setColor(QPalette::Window, Qt::white);
    pnlHeader->setPalette(header);
    const QColor darkShadow = palette().color(QPalette::Shadow);
    SetTextColour(lblRouterModel, darkShadow);
    SetTextColour(lblHeaderFirmware, darkShadow);
    SetTextColour(Link_Label, Qt::blue);
    Link_Label->setText(QString::fromLatin1(ProductProfile::SupportSiteUrl));
    Link_Label->raise();  // drawn above the message label

    imgNorvo->setPixmap(LoadJpegResource(QStringLiteral(":/pictures/norvo_logo.jpg")));
    imgNorvo->resize(imgNorvo->pixmap().size());
    imgSuccess->setPixmap(QPixmap(QStringLiteral(":/pictures/outcome_success.png")));
    imgFailure->setPixmap(QPixmap(QStringLiteral(":/pictures/outcome_failure.png")));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));

    ckShowTabs->hide();
    pnlTestButton->hide();
    mmoOutput->setLineWrapMode(QPlainTextEdit::NoWrap);
    pcCards->setDocumentMode(true);

    FitToDesktopFont(*this, *this);
    FAnchors = new TAnchors(this);
    FAnchors->AddFromForm(this);
}

void TfrmMain::ConnectHandlers()
{
    auto guard = [this](void (TfrmMain::*handler)()) {
        return [this, handler] { RunGuarded([&] { (this->*handler)(); }); };
    };
    connect(WiredChk, &QCheckBox::toggled, this, guard(&TfrmMain::WiredChkClick));
    connect(ckShowTabs, &QCheckBox::toggled, this, guard(&TfrmMain::ckShowTabsClick));
    connect(btnNext, &QPushButton::clicked, this, guard(&TfrmMain::btnExpressUpgradeClick));
    connect(btnCancel, &QPushButton::clicked, this, guard(&TfrmMain::btnCancelClick));
    connect(btnCheckFirmware, &QPushButton::clicked, this, guard(&TfrmMain::btnCheckFirmwareClick));
    connect(btnTest, &QPushButton::clicked, this, guard(&TfrmMain::btnTestClick));
    connect(btnBrowseSaveSettings, &QPushButton::clicked, this, guard(&TfrmMain::btnBrowseSaveSettingsClick));
    connect(btnBrowseRestore, &QPushButton::clicked, this, guard(&TfrmMain::btnBrowseRestoreClick));
    connect(btnSaveFirmware, &QPushButton::clicked, this, guard(&TfrmMain::btnSaveFirmwareClick));
    connect(btnRestoreBackup, &QPushButton::clicked, this, guard(&TfrmMain::btnRestoreBackupClick));
    // Every page change runs the show rule of the page it lands on, and user
    // input to the tab bar or the page control picks pages through TabChosen.
    connect(pcCards, &QTabWidget::currentChanged, this, [this](int index) { PageShown(pcCards->widget(index)); });
    pcCards->installEventFilter(this);
    pcCards->tabBar()->installEventFilter(this);
    Link_Label->installEventFilter(this);

    actSaveSettings.OnUpdate = [this](TAction& a) { actSaveSettingsUpdate(a); };
    actSaveSettings.OnExecute = [this](TAction& a) { actSaveSettingsExecute(a); };
    actRestoreSettings.OnUpdate = [this](TAction& a) { actRestoreSettingsUpdate(a); };
    actRestoreSettings.OnExecute = [this](TAction& a) { actRestoreSettingsExecute(a); };
    actCancel.OnUpdate = [this](TAction& a) { actCancelUpdate(a); };
    actCancel.OnExecute = [this](TAction& a) { actCancelExecute(a); };
    actSaveSettings.Bind(btnSaveSettings);
    actRestoreSettings.Bind(btnRestoreSettings);
    actPrevious.Bind(btnPrevious);

#ifndef QT_NO_SESSIONMANAGER
    if (qGuiApp)
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager& manager) { RunGuarded([&] { CommitDataRequested(manager); }); });
#endif

    // Actions are re-evaluated whenever the window is idle.
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TfrmMain::UpdateActions);
}

// Every action runs inside the default error handler, whoever installed
// its handlers (the driver wires Next and Previous).
void TfrmMain::GuardActionHandlers()
{
    for (TAction* action : {&actSaveSettings, &actRestoreSettings, &actPrevious, &actNext, &actCancel}) {
        if (TAction::Handler inner = action->OnExecute)
            action->OnExecute = [this, inner](TAction& a) { RunGuarded([&] { inner(a); }); };
        if (TAction::Handler inner = action->OnUpdate)
            action->OnUpdate = [this, inner](TAction& a) { RunGuarded([&] { inner(a); }); };
    }
}

void TfrmMain::RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ShowError(QString::fromUtf8(error.what()));
    } catch (...) {
        ShowError(QStringLiteral("Unknown error"));
    }
}

void TfrmMain::ShowError(const QString& text)
{
    SupportLogLine(lcWizard(), QStringLiteral("Error shown: ") + text);
    Seams().ShowError(text);
}

void TfrmMain::UpdateActions()
{
    for (TAction* action : {&actSaveSettings, &actRestoreSettings, &actPrevious, &actNext, &actCancel})
        action->Update();
}

// ---------------------------------------------------------------------------
// Window events

void TfrmMain::FormCreate(const TDriverFactory& makeDriver)
{
    FUpgrader = makeDriver(*this);
    HandInputsToDriver();
    GatewayLookupPending = true;
    DefaultSettingsFilePending = true;
    Link_Label->hide();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    RunGuarded([this] { FormShow(); });
}

void TfrmMain::FormShow()
{
    SetTabsVisible(false);

    lblHeaderFirmware->setText(lblHeaderFirmware->text() + QLatin1String(ProductProfile::InstallerVersion));
    lblRouterModel->setText(lblRouterModel->text() + QLatin1String(ProductProfile::RouterModel));
    AutoSizeLabel(lblHeaderFirmware);
    AutoSizeLabel(lblRouterModel);
    FAnchors->Apply(pnlHeader);

    lblFirmwareVersion->clear();

    if (QLatin1String(ProductProfile::RouterModel) == QLatin1String("WRX-270")) {
        lblUsername->hide();
        edUsername->hide();
        lblAdminPassword->setText(QStringLiteral("Admin Password :"));
        AutoSizeLabel(lblAdminPassword);
        for (QWidget* w : {static_cast<QWidget*>(lblAdminPassword), static_cast<QWidget*>(edPassword),
                           static_cast<QWidget*>(lblCheckFirmware), static_cast<QWidget*>(btnCheckFirmware),
                           static_cast<QWidget*>(lblCurrentFirmware), static_cast<QWidget*>(lblFirmwareVersion)})
            w->move(w->x(), w->y() - ProductProfile::UsernameRowShift);
    }
    NameBoxesByTheirLabels(this);

    ShowPage(tsUpgradeType);

    // A failed lookup is reported, but only after the prompt is set up: the
    // password must never be shown in clear, nor Next offered unchecked.
    std::exception_ptr lookupError;
    try {
        GetDefaultGateway();
    } catch (...) {
        lookupError = std::current_exception();
    }

    edExpressAdminPassword->setEchoMode(QLineEdit::Password);
    edExpressAdminPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    edExpressAdminPassword->hide();
    lblExpressAdminPassword->hide();
    lblExpressUpgrade->hide();
    btnNext->setEnabled(false);
    lblContinue->hide();

    // Once the window is up: a backup that an unfinished upgrade left.
    QTimer::singleShot(0, this, [this] { RunGuarded([this] { OfferPendingBackup(); }); });

    if (lookupError)
        std::rethrow_exception(lookupError);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // The pauses of a router operation let window events through, a close
    // request among them; leaving then would strand the router half-done.
    const TEndAnswer answer = AnswerEnd(QStringLiteral("Close"), 0);
    if (answer == TEndAnswer::Close) {
        QWidget::closeEvent(event);
        return;
    }
    event->ignore();
    if (answer == TEndAnswer::Refuse)
        Seams().ShowNotice(CloseRefusedText);
}

void TfrmMain::EndRequested(const QString& who, int exitCode)
{
    if (AnswerEnd(who, exitCode) != TEndAnswer::Close)
        return;
    SupportLogLine(lcWizard(), who + QStringLiteral(": closing the program"));
    // Message boxes too: each would keep the program waiting for its answer.
    QApplication::closeAllWindows();
}

TEndAnswer TfrmMain::AnswerEnd(const QString& who, int exitCode)
{
    const TEndAnswer answer = AnswerEndRequest(FRouterChanges > 0, FRunsInProgress > 0);
    if (answer == TEndAnswer::Refuse) {
        SupportLogLine(lcWizard(), who + QStringLiteral(" refused: the router is being changed"));
    } else if (answer == TEndAnswer::EndNow) {
        SupportLogLine(lcWizard(), who + QStringLiteral(": ending the program now; nothing on the router has changed"));
        // The run's code must not go on to the router's first change.
        Seams().EndProgramNow(exitCode);
    }
    return answer;
}

// A logout asks every program to save its data first; while the router is
// being changed the answer is no, where the session manager lets programs say so.
void TfrmMain::CommitDataRequested(QSessionManager& manager)
{
    if (FRouterChanges == 0)
        return;
    if (CancelsLogout(true, [&] { return manager.allowsInteraction(); })) {
        manager.cancel();
        SupportLogLine(lcWizard(), QStringLiteral("Logout refused: the router is being changed"));
    } else {
        SupportLogLine(lcWizard(), QStringLiteral("Logout while the router is being changed: the session manager "
                                                  "lets no program refuse it"));
    }
}

void TfrmMain::RouterChangeStarted()
{
    if (FRouterChanges++ == 0)
        FLogoutHold = Seams().HoldLogout();
}

void TfrmMain::RouterChangeEnded()
{
    if (--FRouterChanges == 0)
        FLogoutHold.reset();
}

void TfrmMain::OfferPendingBackup()
{
    const QString file = PendingBackup::File();
    if (file.isEmpty())
        return;
    if (Seams().AskYesNo(QStringLiteral("An earlier upgrade did not finish. Your router settings from before it are "
                                        "saved in \"%1\".\n\nOpen the Restore Settings page to put them back on "
                                        "the router?")
                             .arg(QDir::toNativeSeparators(file))))
        OpenBackupRestore(file, pcCards->currentWidget());
}

void TfrmMain::FormDestroy() { FUpgrader.reset(); }

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pcCards || watched == pcCards->tabBar()) {
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
    } else if (watched == Link_Label && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        RunGuarded([this] { Link_LabelClick(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// Input to the tab bar or the page control may make another tab current: a
// click, the arrow keys, the wheel, Ctrl+Tab. It runs with the tab bar's
// signals held back, so the toolkit shows no page for it; the tab it chose
// goes to TabChosen instead. The event's accepted flag still decides whether
// it travels on to the parent.
bool TfrmMain::HoldBackTabInput(QObject* target, QEvent* event)
{
    QTabBar* tabs = pcCards->tabBar();
    const int before = tabs->currentIndex();
    int chosen = before;
    {
        const QSignalBlocker held(tabs);
        target->event(event);
        chosen = tabs->currentIndex();
        tabs->setCurrentIndex(before);
    }
    if (chosen != before)
        RunGuarded([&] { TabChosen(chosen); });
    return true;
}

// The one place where the user changes pages. With the tabs hidden only the
// program does.
void TfrmMain::TabChosen(int index)
{
    if (pcCards->tabBar()->isHidden() || !pcCards->isTabVisible(index) || index == pcCards->currentIndex())
        return;
    ShowPage(pcCards->widget(index));
    pcCardsChange(index);
}

void TfrmMain::ShowPage(QWidget* page)
{
    if (!page)
        return;
    if (page == pcCards->currentWidget())
        PageShown(page);  // no change, so no signal: the rule runs from here
    else
        pcCards->setCurrentWidget(page);
}

void TfrmMain::ShowPage(TUpgraderPage page) { ShowPage(PageWidget(page)); }

QWidget* TfrmMain::PageWidget(TUpgraderPage page) const { return this->*kPages[static_cast<int>(page)]; }

std::optional<TUpgraderPage> TfrmMain::PageOf(const QWidget* widget) const
{
    for (int i = 0; i < kUpgraderPageCount; ++i)
        if (widget && this->*kPages[i] == widget)
            return static_cast<TUpgraderPage>(i);
    return std::nullopt;
}

TUpgraderPage TfrmMain::ActivePage() const
{
    return PageOf(pcCards->currentWidget()).value_or(TUpgraderPage::UpgradeType);
}

std::optional<TUpgraderPage> TfrmMain::ReturnPage(TUpgraderPage page) const
{
    if (page == TUpgraderPage::Outcome)
        return PageOf(OutcomeReturnPage);
    if (page == TUpgraderPage::RestoreSettings)
        return PageOf(RestoreReturnPage);
    return std::nullopt;
}

void TfrmMain::ForgetReturnPage(TUpgraderPage page)
{
    if (page == TUpgraderPage::Outcome)
        OutcomeReturnPage = nullptr;
    else if (page == TUpgraderPage::RestoreSettings)
        RestoreReturnPage = nullptr;
}

void TfrmMain::PageShown(QWidget* page)
{
    RunGuarded([&] {
        if (page == tsConfiguration)
            tsConfigurationShow();
        else if (page == tsSaveSettings)
            tsSaveSettingsShow();
        else if (page == tsRestoreSettings)
            tsRestoreSettingsShow();
        else if (page == tsOutcome)
            tsOutcomeShow();
    });
}

// ---------------------------------------------------------------------------
// Upgrade Type page and navigation

void TfrmMain::WiredChkClick()
{
    const bool wired = WiredChk->isChecked();
    btnNext->setEnabled(wired);
    if (wired)
        lblExpressUpgrade->setText(
            QStringLiteral("If this router requires a password. Please enter the password now."));
    for (QWidget* w : {static_cast<QWidget*>(lblExpressUpgrade), static_cast<QWidget*>(edExpressAdminPassword),
                       static_cast<QWidget*>(lblExpressAdminPassword), static_cast<QWidget*>(lblContinue)})
        w->setVisible(wired);
}

void TfrmMain::btnExpressUpgradeClick()
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    ShowNavigationButtons();
    GetDefaultGateway();
    FUpgrader->ExpressUpgrade();
}

void TfrmMain::btnCustomUpgradeClick()
{
    ShowNavigationButtons();
    ShowPage(tsConfiguration);
}

void TfrmMain::btnCancelClick() { close(); }

void TfrmMain::actCancelUpdate(TAction& sender) { sender.SetEnabled(pcCards->currentWidget() == tsStatus); }

void TfrmMain::actCancelExecute(TAction&) { close(); }

void TfrmMain::ShowNavigationButtons()
{
    pnlNextButton->show();
    pnlPreviousButton->show();
}

void TfrmMain::HideNavigationButtons()
{
    pnlNextButton->hide();
    pnlPreviousButton->hide();
}

void TfrmMain::SetRunButtonsEnabled(bool enabled)
{
    btnNext->setEnabled(enabled);
    btnCancel->setEnabled(enabled);
}

void TfrmMain::ShowLoginFailedPrompt(const QString& text)
{
    Link_Label->hide();
    lblExpressUpgrade->setText(text);
    edExpressAdminPassword->show();
    lblExpressAdminPassword->show();
    lblExpressUpgrade->show();
    Label2->hide();
    WiredChk->hide();
    lblContinue->hide();
}

void TfrmMain::SetNavigationHandlers(TNavigationHandlers handlers)
{
    // The driver's handlers see the action as the command it updates.
    auto adapt = [](TNavigationHandlers::Handler handler) -> TAction::Handler {
        if (!handler)
            return nullptr;
        return [handler](TAction& action) { handler(action); };
    };
    actNext.OnUpdate = adapt(std::move(handlers.NextUpdate));
    actNext.OnExecute = adapt(std::move(handlers.NextExecute));
    actPrevious.OnUpdate = adapt(std::move(handlers.PreviousUpdate));
    actPrevious.OnExecute = adapt(std::move(handlers.PreviousExecute));
}

void TfrmMain::SetTabsVisible(bool visible)
{
    // Hiding the tab of the active page makes the tab bar pass to another
    // tab. With its signals held back the pages stay put, and the active
    // page's tab is current again before they are let go.
    QWidget* active = pcCards->currentWidget();
    {
        const QSignalBlocker held(pcCards->tabBar());
        for (int i = 0; i < pcCards->count(); ++i)
            pcCards->setTabVisible(i, visible);
        pcCards->setCurrentWidget(active);
    }
    pcCards->tabBar()->setVisible(visible);
    // Hiding a tab hides its page too, also the active one.
    if (active)
        active->show();
}

void TfrmMain::ckShowTabsClick() { SetTabsVisible(ckShowTabs->isChecked()); }

void TfrmMain::pcCardsChange(int newIndex)
{
    QWidget* page = pcCards->widget(newIndex);
    const bool navigation = page != tsUpgradeType && page != tsOutcome;
    btnNext->setVisible(navigation);
    btnPrevious->setVisible(navigation);
    btnCancel->setText(page == tsOutcome ? QStringLiteral("&Close") : QStringLiteral("&Cancel"));
}

void TfrmMain::btnTestClick()
{
    const TBusyCursor busy(FWaiting);
    RunTestCode(QStringLiteral("Test Code"));
}

void TfrmMain::RunTestCode(const QString&) {}

void TfrmMain::Link_LabelClick() { Seams().OpenUrl(QString::fromLatin1(ProductProfile::SupportPageUrl)); }

// ---------------------------------------------------------------------------
// Configuration page and the outcome

void TfrmMain::tsConfigurationShow()
{
    // The lookup returns to this page, which runs this rule again: that
    // return is no new showing.
    if (!GatewayLookupPending || FLookingUpGateway)
        return;
    const QScopedValueRollback<bool> running(FLookingUpGateway, true);
    GetDefaultGateway();
    GatewayLookupPending = false;  // only once a lookup returned: a failed one is tried at the next showing
}

void TfrmMain::btnCheckFirmwareClick()
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    OutcomeReturnPage = tsConfiguration;
    const TBusyCursor busy(FWaiting);
    const QString retry = QLatin1String(ProductProfile::RetryAdviceText);
    if (FUpgrader->Login()) {
        QString version;
        FUpgrader->GetFirmwareVersion(version);
        lblFirmwareVersion->setText(version);
        AutoSizeLabel(lblFirmwareVersion);
        if (lblFirmwareVersion->text().trimmed().isEmpty())
            ShowOutcome(QStringLiteral("Could not connect to router and/or determine firmware version. ") + retry,
                        false, false);
    } else if (FUpgrader->IsLegacyFirmware()) {
        Link_Label->show();
        ShowOutcome(
            QStringLiteral("This router has firmware version 3.0. ") + QLatin1String(ProductProfile::ManualUpgradeText),
            false, false);
    } else {
        Link_Label->hide();
        ShowOutcome(QStringLiteral("Error logging into router. ") + retry, false, false);
    }
}

bool TfrmMain::ShowOutcome(const QString& text, bool success, bool checkVersion)
{
    QString message = text;
    bool ok = success;
    if (checkVersion) {
        QString version;
        try {
            FUpgrader->GetFirmwareVersion(version);
        } catch (const std::exception&) {
            version.clear();  // an unreadable version is a wrong version
        }
        if (version != QLatin1String(ProductProfile::TargetFirmwareVersion)) {
            message = QStringLiteral("The firmware version does not match. ") +
                      QLatin1String(ProductProfile::RetryAdviceText);
            ok = false;
        }
    }
    SupportLogLine(lcWizard(),
                   (ok ? QStringLiteral("Outcome: success: ") : QStringLiteral("Outcome: failure: ")) + message);
    pcSuccessFailure->setCurrentWidget(ok ? tsSuccess : tsFailure);
    lblSuccessFailureMessage->setText(message);
    // A failure names the support log, so the user knows what to send.
    const TSupportLog* log = TSupportLog::Current();
    lblSupportLog->setVisible(!ok && log && log->IsOpen());
    if (log)
        lblSupportLog->setText(QStringLiteral("Details of this run for support:\n") + log->Path());
    ShowPage(tsOutcome);  // also when current already: the panels follow this outcome
    btnNext->setEnabled(false);
    btnCancel->setEnabled(true);
    if (ok)
        btnCancel->setText(QStringLiteral("&Close"));
    return ok;
}

void TfrmMain::tsOutcomeShow()
{
    const bool failure = pcSuccessFailure->currentWidget() == tsFailure;
    pnlSaveFirmware->setVisible(failure);
    const bool offer = !FOfferedBackup.isEmpty() && QFileInfo(FOfferedBackup).isFile();
    const QString file = QDir::toNativeSeparators(FOfferedBackup);
    if (offer && failure)
        lblBackupFile->setText(
            QStringLiteral("Your router settings from before the upgrade are saved in \"%1\". Click the button to "
                           "put them back on the router:")
                .arg(file));
    else if (offer)
        lblBackupFile->setText(QStringLiteral("Your router settings from before the upgrade are kept in \"%1\". If "
                                              "your router has lost its settings, click the button to put them back:")
                                   .arg(file));
    pnlRestoreBackup->setVisible(offer);
}

void TfrmMain::OfferBackup(const QString& file)
{
    FOfferedBackup = file;
    if (pcCards->currentWidget() == tsOutcome)
        tsOutcomeShow();  // the page shown follows the offer
}

void TfrmMain::btnRestoreBackupClick() { OpenBackupRestore(FOfferedBackup, tsOutcome); }

void TfrmMain::OpenBackupRestore(const QString& file, QWidget* returnPage)
{
    ShowNavigationButtons();
    RestoreReturnPage = returnPage;
    ShowPage(tsRestoreSettings);
    edRestoreSettingsFilename->setText(file);  // after the page's show rule
}

// ---------------------------------------------------------------------------
// Settings-file pages and the firmware save

void TfrmMain::tsSaveSettingsShow()
{
    if (!DefaultSettingsFilePending)
        return;
    // While an upgrade's backup waits, the name offered is a new one.
    edSaveSettingsFile->setText(ProgramFiles::NewBackupPath());
    DefaultSettingsFilePending = false;
}

void TfrmMain::btnBrowseSaveSettingsClick()
{
    if (Seams().ExecuteDialog(SaveDialog))
        edSaveSettingsFile->setText(SaveDialog.FileName);
}

void TfrmMain::actSaveSettingsUpdate(TAction& sender)
{
    sender.SetEnabled(!edSaveSettingsFile->text().trimmed().isEmpty());
}

void TfrmMain::actSaveSettingsExecute(TAction&)
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    const QString file = edSaveSettingsFile->text();
    // A pending backup may be the only copy of the router's settings from
    // before a failed upgrade; the router may now be on factory settings.
    if (PendingBackup::IsPending(file) &&
        !Seams().AskYesNo(QStringLiteral("\"%1\" holds your router settings from before an upgrade that did not "
                                         "finish. Saving now would replace them with the router's current "
                                         "settings.\n\nReplace the file anyway?")
                              .arg(QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath()))))
        return;
    FUpgrader->SaveSettings(file);
}

void TfrmMain::tsRestoreSettingsShow()
{
    const QString saved = edSaveSettingsFile->text().trimmed();
    if (!saved.isEmpty() && QFileInfo(saved).isFile())
        edRestoreSettingsFilename->setText(saved);
}

void TfrmMain::btnBrowseRestoreClick()
{
    if (Seams().ExecuteDialog(OpenDialog))
        edRestoreSettingsFilename->setText(OpenDialog.FileName);
}

void TfrmMain::actRestoreSettingsUpdate(TAction& sender)
{
    const QString name = edRestoreSettingsFilename->text().trimmed();
    sender.SetEnabled(!name.isEmpty() && QFileInfo(name).isFile());
}

void TfrmMain::actRestoreSettingsExecute(TAction&)
{
    const QScopedValueRollback<int> run(FRunsInProgress, FRunsInProgress + 1);
    FUpgrader->RestoreSettingsAndRestart(edRestoreSettingsFilename->text().trimmed());
}

void TfrmMain::btnSaveFirmwareClick()
{
    SaveDialogFirmware.FileName = ProgramFiles::Path(ProductProfile::FirmwareFileName);
    if (!Seams().ExecuteDialog(SaveDialogFirmware))
        return;
    QString failure;
    {
        const TBusyCursor busy(FWaiting);
        try {
            SaveFileAtomically(QFile::encodeName(SaveDialogFirmware.FileName).toStdString(),
                               FUpgrader->Firmware().Load().toStdString(), TFileAccess::Usual);
        } catch (const std::exception& error) {
            failure = QString::fromUtf8(error.what());
        }
    }
    if (failure.isEmpty())
        Seams().ShowMessage(QStringLiteral("The firmware file has been saved."));
    else
        Seams().ShowMessage(QStringLiteral("The firmware file could not be saved.\n") + failure);
}

// ---------------------------------------------------------------------------
// Status display, router URL, default gateway, TCP client

void TfrmMain::SetStatusText(const QString& text)
{
    if (text != lblStatus->text())
        SupportLogLine(lcWizard(), QStringLiteral("Status: ") + text);
    lblStatus->setText(text);
    AutoSizeLabel(lblStatus);
}

int TfrmMain::DesignProgressStep() const { return ProgressBar1->property("step").toInt(); }

void TfrmMain::StartStatus(const QString& text)
{
    SetStatusText(text);
    FProgressStep = 1;
    FWaiting.KeepPainted(IWaiting::TInput::Taken);
}

void TfrmMain::StepStatus(const QString& text)
{
    SetStatusText(text);
    if (FProgressStep == DesignProgressStep())  // no StartStatus yet
        StartStatus(text);
    int position = ProgressBar1->value() + FProgressStep;
    if (position > ProgressBar1->maximum())
        position = ProgressBar1->minimum();
    ProgressBar1->setValue(position);
    FWaiting.KeepPainted(IWaiting::TInput::Taken);
}

void TfrmMain::BeginBusyStatus(const QString& text)
{
    if (!text.isNull())
        SetStatusText(text);
    if (FBusyBarValue < 0) {
        FBusyBarValue = ProgressBar1->value();
        FBusyBarMaximum = ProgressBar1->maximum();
        ProgressBar1->setMaximum(ProgressBar1->minimum());  // no range: the bar moves on its own
    }
}

void TfrmMain::EndBusyStatus()
{
    if (FBusyBarValue < 0)
        return;
    ProgressBar1->setMaximum(FBusyBarMaximum);
    ProgressBar1->setValue(FBusyBarValue);
    FBusyBarValue = -1;
}

QString TfrmMain::GetRouterURL() const
{
    QString url = QStringLiteral("http://") + edIPAddress->text();
    const QString port = edPort->text();
    const QString trimmedPort = port.trimmed();
    if (!trimmedPort.isEmpty() && trimmedPort != QLatin1String("80"))
        url += QLatin1Char(':') + port;
    return url;
}

void TfrmMain::SetPasswords(const TPasswords& passwords)
{
    edPassword->setText(passwords.Configuration);
    edExpressAdminPassword->setText(passwords.Express);
}

bool TfrmMain::FirmwareVersionShown() const { return !lblFirmwareVersion->text().trimmed().isEmpty(); }

std::optional<QString> TfrmMain::AskRouterPassword(const QString& text) { return Seams().AskPassword(text); }

void TfrmMain::ShowRouterAnswer(const QString& text) { mmoOutput->setPlainText(text); }

void TfrmMain::GetDefaultGateway(TGatewayUpdate update)
{
    const TBusyCursor busy(FWaiting);
    const auto page = KeptPage(*this);
    ShowPage(tsStatus);

    StartStatus(GatewayStatusText);
    QString current, last, preferred;
    if (QLatin1String(ProductProfile::RouterModel) == QLatin1String("WSG-120")) {
        preferred = QStringLiteral("192.168.229.61");
    } else {
        StepStatus(GatewayStatusText);
        const TAdapterList adapters = GetAdapters(*FAdapterQuery);
        for (const TAdapterInfo& adapter : adapters) {
            StepStatus(GatewayStatusText);
            current = QString::fromLatin1(adapter.GatewayAddress.c_str());  // text ends at a NUL
            if (!current.isEmpty())
                last = current;
            if (adapter.Type == IfType::Other)
                preferred = current;
        }
    }
    StepStatus(GatewayStatusText);
    const QString found = !preferred.isEmpty() ? preferred : last;
    if (!found.isEmpty() || update == TGatewayUpdate::Always)
        edIPAddress->setText(found);
    SupportLogLine(lcWizard(),
                   QStringLiteral("Default gateway: ") + (found.isEmpty() ? QStringLiteral("none found") : found));
}

void TfrmMain::tcpClientReceive(QObject*, const char* data, int& length)
{
    // The text ends at the first NUL; a block without one ends at its length.
    const std::size_t size = data && length > 0 ? strnlen(data, static_cast<std::size_t>(length)) : 0;
    mmoOutput->appendPlainText(QString::fromLatin1(data, static_cast<qsizetype>(size)));
}
