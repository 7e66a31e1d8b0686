// The window's construction, its handler wiring, its own events (show,
// close, requests to end the program) and the small parts of the driver's
// view that only read or write a control. The pages' behaviour lives in the
// other fmMain*.cpp files.
#include "wizard/fmMain.h"

#include "driver/ShownText.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "log/SupportLog.h"
#include "net/IPFunctions.h"
#include "wizard/StatusDisplay.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSessionManager>
#include <QShowEvent>
#include <QTimer>

#include <cstring>
#include <exception>

namespace {

const char* const CloseRefusedText = QT_TRANSLATE_NOOP(
    "TfrmMain",
    "The router is being upgraded. Closing now could leave it without its settings. Please wait until the upgrade "
    "has finished.");

const char* const RunLockedText =
    QT_TRANSLATE_NOOP("TfrmMain", "Another upgrade is running on this PC. Wait for it to finish, then try again.");

}  // namespace

TfrmMain::TfrmMain(TDriverFactory makeDriver, QWidget* parent)
    : QWidget(parent), FSeams(std::make_unique<TWizardSeams>()), FAdapterQuery(MakeSystemAdapterQuery())
{
    setupUi(this);
    FStatus = std::make_unique<TStatusDisplay>(*lblStatus, *ProgressBar1, FWaiting);
    SetUpAppearance();
    ConnectHandlers();
    FormCreate(makeDriver);
    GuardActionHandlers();
}

TfrmMain::~TfrmMain() { FormDestroy(); }

TWizardSeams& TfrmMain::Seams() const { return *FSeams; }

void TfrmMain::SetAdapterQuery(std::unique_ptr<IAdapterQuery> query) { FAdapterQuery = std::move(query); }

// ---------------------------------------------------------------------------
// Wiring

void TfrmMain::ConnectHandlers()
{
    auto guard = [this](void (TfrmMain::*handler)()) {
        return [this, handler] { RunGuarded([&] { (this->*handler)(); }); };
    };
    connect(WiredChk, &QCheckBox::toggled, this, guard(&TfrmMain::WiredChkClick));
    connect(ckShowTabs, &QCheckBox::toggled, this, guard(&TfrmMain::ckShowTabsClick));
    connect(btnNext, &QPushButton::clicked, this, guard(&TfrmMain::btnExpressUpgradeClick));
    // Enter after the password goes on as Next would, while Next is offered.
    connect(edExpressAdminPassword, &QLineEdit::returnPressed, this, [this] {
        if (btnNext->isVisible() && btnNext->isEnabled())
            btnNext->click();
    });
    connect(btnCancel, &QPushButton::clicked, this, guard(&TfrmMain::btnCancelClick));
    connect(btnCheckFirmware, &QPushButton::clicked, this, guard(&TfrmMain::btnCheckFirmwareClick));
    connect(btnTest, &QPushButton::clicked, this, guard(&TfrmMain::btnTestClick));
    connect(btnBrowseSaveSettings, &QPushButton::clicked, this, guard(&TfrmMain::btnBrowseSaveSettingsClick));
    connect(btnBrowseRestore, &QPushButton::clicked, this, guard(&TfrmMain::btnBrowseRestoreClick));
    connect(btnSaveFirmware, &QPushButton::clicked, this, guard(&TfrmMain::btnSaveFirmwareClick));
    connect(btnRestoreBackup, &QPushButton::clicked, this, guard(&TfrmMain::btnRestoreBackupClick));
    FPages = std::make_unique<TPageControl>(
        *this,
        TPageControl::THandlers{[this](const std::function<void()>& handler) { RunGuarded(handler); },
                                [this](QWidget* page) { PageShown(page); }, [this](int index) { pcCardsChange(index); },
                                [this] { HandShownPageToDriver(); }});
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

std::shared_ptr<void> TfrmMain::TakeRunLock()
{
    std::shared_ptr<void> lock = Seams().TakeRunLock();
    if (!lock) {
        SupportLogLine(lcWizard(), QStringLiteral("Run refused: another run on this PC holds the lock"));
        Seams().ShowMessage(tr(RunLockedText));
    }
    return lock;
}

void TfrmMain::ShowError(const QString& text)
{
    SupportLogLine(lcWizard(), QStringLiteral("Error shown: ") + text);
    Seams().ShowError(ShownText(text));
}

void TfrmMain::UpdateActions()
{
    for (TAction* action : {&actSaveSettings, &actRestoreSettings, &actPrevious, &actNext, &actCancel})
        action->Update();
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

    FillHeader();
    lblFirmwareVersion->clear();
    ArrangeConfigurationPage();

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
    QTimer::singleShot(0, this, [this] { RunGuarded([this] { FUpgrader->OfferPendingBackupAtStart(); }); });

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
        Seams().ShowNotice(tr(CloseRefusedText));
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

void TfrmMain::FormDestroy() { FUpgrader.reset(); }

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Link_Label && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        RunGuarded([this] { Link_LabelClick(); });
        return true;
    }
    // The link takes the focus from Tab; Enter or Space there opens it.
    if (watched == Link_Label && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            RunGuarded([this] { Link_LabelClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------
// The driver's view: the status display, the password prompt, the router's answer

void TfrmMain::StartStatus(const QString& text) { FStatus->Start(text); }

void TfrmMain::StepStatus(const QString& text) { FStatus->Step(text); }

void TfrmMain::BeginBusyStatus(const QString& text) { FStatus->BeginBusy(text); }

void TfrmMain::EndBusyStatus() { FStatus->EndBusy(); }

std::optional<QString> TfrmMain::AskRouterPassword(const QString& text) { return Seams().AskPassword(ShownText(text)); }

bool TfrmMain::Confirm(const QString& text) { return Seams().AskYesNo(ShownText(text)); }

void TfrmMain::ShowRouterAnswer(const QString& text) { mmoOutput->setPlainText(text); }

// ---------------------------------------------------------------------------
// Kept for the form's completeness; nothing in the program reaches these.

void TfrmMain::btnTestClick()
{
    const TBusyCursor busy(FWaiting);
    RunTestCode(QStringLiteral("Test Code"));
}

void TfrmMain::RunTestCode(const QString&) {}

void TfrmMain::btnCustomUpgradeClick()
{
    ShowNavigationButtons();
    ShowPage(tsConfiguration);
}

void TfrmMain::tcpClientReceive(QObject*, const char* data, int& length)
{
    // The text ends at the first NUL; a block without one ends at its length.
    const std::size_t size = data && length > 0 ? strnlen(data, static_cast<std::size_t>(length)) : 0;
    mmoOutput->appendPlainText(QString::fromLatin1(data, static_cast<qsizetype>(size)));
}
