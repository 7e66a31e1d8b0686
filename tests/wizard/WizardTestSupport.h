// Creating the wizard window in tests: a headless application, an adapter
// query that never asks this machine (the gateway is 127.0.0.1 unless a test
// says otherwise), and seams that record instead of opening anything modal.
//
//   auto window = wizardtest::MakeTestWindow(MakeWrx310);   // shown, FormShow done
//   window->Form().edPort->setText(QString::number(port));
//   window->Seams.DialogAnswers.push_back("/tmp/x.gws");    // next file dialog confirms this name
#pragma once

#include "driver/RunLock.h"
#include "driver/utNorvoFirmwareUpgrader.h"
#include "net/IPFunctions.h"
#include "tests/support/UserFolders.h"
#include "wizard/WizardSeams.h"
#include "wizard/fmMain.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QByteArray>
#include <QEventLoop>
#include <QFile>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace wizardtest {

using testsupport::UserFolders;

// The headless application every window test needs; created once, unless
// the program made its own.
inline QApplication& Application()
{
    UserFolders();
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static QApplication* application = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "wizard-test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);  // lives until the process ends
    }();
    return *application;
}

// Runs the event loop until it would wait for new events, as the program's
// own loop does between user actions: by then the idle handlers (the
// actions' update rules) have run. For pictures of the window as a user
// sees it. A loop that never goes idle is given up after a second.
inline void WaitUntilIdle()
{
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                     &QEventLoop::quit);
    QTimer::singleShot(1000, &loop, &QEventLoop::quit);
    loop.exec();
    QApplication::processEvents();  // what the idle handlers changed is laid out
}

// An adapter list handed over by the test, or a failure code.
class TFakeAdapterQuery : public IAdapterQuery {
public:
    explicit TFakeAdapterQuery(TAdapterList adapters = {{IfType::Ethernet, "127.0.0.1"}})
        : Adapters(std::move(adapters))
    {
    }
    std::uint32_t Query(TAdapterList& adapters, int& systemError) override
    {
        ++Calls;
        systemError = SystemError;
        if (Result == IpHlpResult::Success)
            adapters = Adapters;
        return Result;
    }
    TAdapterList Adapters;
    std::uint32_t Result = IpHlpResult::Success;
    int SystemError = 0;
    int Calls = 0;
};

// Replaces every seam of a window and records what was asked of it.
struct TSeamRecorder {
    std::vector<QString> Messages;         // message boxes with OK
    std::vector<QString> Notices;          // message boxes that do not wait
    std::vector<QString> Questions;        // Yes/No questions asked
    std::deque<bool> YesNoAnswers;         // answers to the next questions; none left: No
    std::vector<QString> PasswordPrompts;  // password prompts shown
    // Answers to the next password prompts; none left, or an empty optional: Cancel.
    std::deque<std::optional<QString>> PasswordAnswers;
    std::vector<QString> Errors;         // boxes of the default error handler
    std::vector<QString> OpenedUrls;     // addresses handed to the browser
    std::vector<QString> DialogFilters;  // filter of every file dialog run
    std::vector<QString> DialogNames;    // name each file dialog offered
    // Answers for the next file dialogs, oldest first: a name confirms, an
    // empty optional cancels. With no answer left a dialog is cancelled.
    std::deque<std::optional<QString>> DialogAnswers;
    // The firmware image the driver sends and Save Firmware writes, before
    // the placeholder rule; unset means the embedded one.
    std::function<QByteArray()> LoadFirmware;
    std::vector<int> EndedPrograms;  // exit status of every EndProgramNow; the test goes on
    int LogoutHoldsTaken = 0;        // logout holds asked of the desktop
    int LogoutHoldsReleased = 0;     // and given back
    // The lock between runs, in the test's own folder, never the user's
    // runtime folder.
    QString RunLockPath = UserFolders().filePath(QStringLiteral("norvo-firmware-upgrade.lock"));

    void Install(TWizardSeams& seams)
    {
        seams.ShowMessage = [this](const QString& text) { Messages.push_back(text); };
        seams.ShowError = [this](const QString& text) { Errors.push_back(text); };
        seams.ShowNotice = [this](const QString& text) { Notices.push_back(text); };
        seams.AskYesNo = [this](const QString& text) {
            Questions.push_back(text);
            if (YesNoAnswers.empty())
                return false;
            const bool yes = YesNoAnswers.front();
            YesNoAnswers.pop_front();
            return yes;
        };
        seams.AskPassword = [this](const QString& text) -> std::optional<QString> {
            PasswordPrompts.push_back(text);
            if (PasswordAnswers.empty())
                return std::nullopt;
            const std::optional<QString> answer = PasswordAnswers.front();
            PasswordAnswers.pop_front();
            return answer;
        };
        seams.OpenUrl = [this](const QString& url) { OpenedUrls.push_back(url); };
        seams.ExecuteDialog = [this](TFileDialog& dialog) {
            DialogFilters.push_back(dialog.Filter);
            DialogNames.push_back(dialog.FileName);
            if (DialogAnswers.empty())
                return false;
            const std::optional<QString> answer = DialogAnswers.front();
            DialogAnswers.pop_front();
            if (!answer)
                return false;
            dialog.FileName = *answer;
            return true;
        };
        seams.EndProgramNow = [this](int exitCode) { EndedPrograms.push_back(exitCode); };
        seams.HoldLogout = [this] {
            ++LogoutHoldsTaken;
            return std::shared_ptr<void>(nullptr, [this](void*) { ++LogoutHoldsReleased; });
        };
        seams.TakeRunLock = [this]() -> std::shared_ptr<void> {
            auto lock = std::make_shared<TRunLock>(RunLockPath);
            return lock->TryLock() ? lock : nullptr;
        };
    }

    // The window's firmware comes from its driver's firmware source.
    void Install(TFirmwareSource& firmware)
    {
        const auto embedded = firmware.LoadImage;
        firmware.LoadImage = [this, embedded] { return LoadFirmware ? LoadFirmware() : embedded(); };
    }
};

// A window with fake adapters and recorded seams. Members are declared so
// that the window goes first when the test ends.
class TTestWindow {
public:
    TTestWindow(const TDriverFactory& makeDriver, TAdapterList adapters)
    {
        Application();
        auto query = std::make_unique<TFakeAdapterQuery>(std::move(adapters));
        Adapters = query.get();
        form_ = std::make_unique<TfrmMain>(makeDriver);
        form_->SetAdapterQuery(std::move(query));
        Seams.Install(form_->Seams());
        Seams.Install(form_->Upgrader().Firmware());
    }
    TfrmMain& Form() const { return *form_; }
    TfrmMain* operator->() const { return form_.get(); }

    TSeamRecorder Seams;
    TFakeAdapterQuery* Adapters = nullptr;  // owned by the window

private:
    std::unique_ptr<TfrmMain> form_;
};

// Creates the window with the driver of makeDriver, adapters that name
// 127.0.0.1 as the gateway (or the given ones) and recorded seams, and shows
// it unless show is false (showing runs the start-up and a gateway lookup).
inline std::unique_ptr<TTestWindow> MakeTestWindow(const TDriverFactory& makeDriver,
                                                   TAdapterList adapters = {{IfType::Ethernet, "127.0.0.1"}},
                                                   bool show = true)
{
    auto window = std::make_unique<TTestWindow>(makeDriver, std::move(adapters));
    if (show) {
        window->Form().show();
        QApplication::processEvents();
    }
    return window;
}

}  // namespace wizardtest
