// A wizard window with the real WRX-270 driver talking to the simulated
// router on 127.0.0.1. The restart wait moves the router's clock instead of
// sleeping, so a whole upgrade with two restarts runs in well under a second.
#pragma once

#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "resources/ProductProfile.h"
#include "tests/support/Files.h"
#include "tests/support/Ports.h"
#include "tests/support/TestHttpServer.h"
#include "tests/wizard/WizardTestSupport.h"
#include "tools/router-sim/lib/RouterSim.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <memory>
#include <string>
#include <vector>

namespace drivertest {

// Files the driver keeps beside the program (the test binary here).
inline QString BesideProgram(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QString::fromLatin1(name);
}

using testsupport::ClosedPort;
using testsupport::ReadFile;
using testsupport::WriteFile;

inline QByteArray Bytes(const std::string& text)
{
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline testsupport::ScriptedReply Answer(const std::string& statusLine, const std::string& body = "")
{
    return testsupport::TestHttpServer::Reply(statusLine, body);
}

class RouterRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        wizardtest::Application();  // the program's folder is known only with an application
        SettingsFile = BesideProgram(ProductProfile::SettingsFileName);
        FirmwareFile = BesideProgram(ProductProfile::FirmwareFileName);
        RemoveProgramFolderFiles();
        PendingBackup::Clear();
    }

    void TearDown() override
    {
        window_.reset();
        router_.reset();
        RemoveProgramFolderFiles();
        PendingBackup::Clear();
        ProgramFiles::SetProgramFolder({});
    }

    // Starts the router (on a clock that only the injected wait moves) and
    // the window, pointed at the router's port.
    void Start(testsupport::RouterSimConfig config = {})
    {
        config.clock = [] { return std::int64_t{0}; };
        router_ = std::make_unique<testsupport::RouterSim>(std::move(config));
        window_ = wizardtest::MakeTestWindow(MakeWrx310);
        // The build's placeholder image goes to the simulated router only.
        Driver().Firmware().AllowPlaceholder = true;
        Form().edPort->setText(QString::number(router_->Port()));
        Driver().SetWait([this](int ms) {
            Waits.push_back(ms);
            if (OnWait)
                OnWait();
            router_->AdvanceTime(ms);
        });
        // Only a safety net: loopback answers come at once.
        for (TIdLimits* limits :
             {&Driver().Limits().SmallPage, &Driver().Limits().SettingsTransfer, &Driver().Limits().FirmwareUpload}) {
            limits->ConnectMs = 5000;
            limits->StallMs = 10000;
        }
        Driver().Limits().FirmwareUpload.AfterSendMs = 10000;
    }

    // Ticks the wired box, types the password on the Upgrade Type page and presses Next.
    void PressNext(const QString& password)
    {
        Form().WiredChk->setChecked(true);
        Form().edExpressAdminPassword->setText(password);
        Form().btnNext->click();
    }

    // Opens a page the way its tab does.
    void OpenPage(QWidget* page)
    {
        Form().ckShowTabs->setChecked(true);
        Form().pcCards->setCurrentWidget(page);
        QCoreApplication::processEvents();
    }

    // "METHOD /path" of every request the router received, in order.
    std::vector<std::string> Received() const
    {
        std::vector<std::string> lines;
        for (const auto& request : router_->Requests())
            lines.push_back(request.http.method + " " + request.http.Path());
        return lines;
    }

    std::vector<testsupport::RouterRequest> LoginRequests() const
    {
        std::vector<testsupport::RouterRequest> logins;
        for (const auto& request : router_->Requests())
            if (request.http.Path() == "/post_login.xml")
                logins.push_back(request);
        return logins;
    }

    // The end of a run that may have changed the router without success:
    // the failure outcome, the backup on disk and recorded, and the offer to
    // restore it, which names the file.
    void ExpectBackupOffered() const
    {
        EXPECT_EQ(Page(), Form().tsOutcome);
        EXPECT_FALSE(OutcomeIsSuccess());
        EXPECT_TRUE(QFile::exists(SettingsFile));
        EXPECT_EQ(PendingBackup::File(), SettingsFile);
        EXPECT_TRUE(Form().pnlRestoreBackup->isVisibleTo(Form().tsOutcome));
        EXPECT_TRUE(Form().lblBackupFile->text().contains(SettingsFile)) << Form().lblBackupFile->text().toStdString();
    }

    QString OutcomeText() const { return Form().lblSuccessFailureMessage->text(); }
    bool OutcomeIsSuccess() const { return Form().pcSuccessFailure->currentWidget() == Form().tsSuccess; }
    QWidget* Page() const { return Form().pcCards->currentWidget(); }

    TfrmMain& Form() const { return window_->Form(); }
    wizardtest::TSeamRecorder& Seams() const { return window_->Seams; }
    TNorvoFirmwareUpgrader& Driver() const { return Form().Upgrader(); }
    testsupport::RouterSim& Router() const { return *router_; }
    wizardtest::TFakeAdapterQuery& Adapters() const { return *window_->Adapters; }

    std::vector<int> Waits;        // every pause the driver asked for, in ms
    std::function<void()> OnWait;  // runs at each pause, before the clock moves

    QString SettingsFile;  // the express run's settings backup
    QString FirmwareFile;  // the firmware file written for the upload

private:
    void RemoveProgramFolderFiles()
    {
        QFile::remove(SettingsFile);
        QFile::remove(FirmwareFile);
    }

    std::unique_ptr<testsupport::RouterSim> router_;
    std::unique_ptr<wizardtest::TTestWindow> window_;
};

inline QString Text(const char* latin1) { return QString::fromLatin1(latin1); }

inline const QString RetryAdvice = Text(ProductProfile::RetryAdviceText);
inline const QString UpgradeErrorText = QStringLiteral("There was an error with the upgrade process. ") + RetryAdvice;
inline const QString MismatchText = QStringLiteral("The firmware version does not match. ") + RetryAdvice;
inline const QString FirmwareProblemText =
    QStringLiteral("There is a problem with the firmware in this installer. Please try downloading it again.");
inline const QString LoginFailedText = QStringLiteral(
    "Cannot log in to the router. Please check the wiring, retype the password if needed, then click the Next button.");

}  // namespace drivertest
