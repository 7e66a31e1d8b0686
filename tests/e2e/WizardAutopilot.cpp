// Drives the real wizard the way a user does: ticks the wired-connection box,
// types the admin password and clicks Next, then reports where the run ended.
// Everything below the window is the program's own code, the default-gateway
// lookup included; only the restart pauses are shortened, and modal boxes are
// printed instead of shown, since nobody is there to close them.
//
//   wizard-autopilot --password P [--wait-divisor N] [--gateway ADDR --port N]
//                    [--allow-placeholder-firmware]
//                    [--picture-prompt FILE] [--picture-end FILE]
//
// --allow-placeholder-firmware  lets a build without real firmware send its
//                   placeholder image: only ever against a simulated router
// --wait-divisor N  divides every restart pause by N (0: no pause at all)
// --gateway ADDR    use ADDR as the only adapter's gateway instead of asking
//                   the system (for runs on loopback); --port sets the port box
// --picture-prompt  saves a picture of the window just before Next is clicked,
// --picture-end     and one of where the run ended (PNG); both once the
//                   window has gone idle, so the buttons are as a user sees them
// --trace           prints each new page and status text with the seconds since Next
//
// The last line says how long the run took from Next to its final screen.
//
// It also says how responsive the window was: the time from the start of
// main() to the window's first paint, and the longest gap between two ticks of
// a 10 ms timer over the whole run (with the status texts around that gap).
#include "driver/ProgramFiles.h"
#include "driver/utWrx310.h"
#include "net/IPFunctions.h"
#include "resources/FirmwareSource.h"
#include "resources/ProductProfile.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/WizardSeams.h"
#include "wizard/fmMain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Options {
    QString password;
    int waitDivisor = 1;
    std::string gateway;
    QString port;
    QString picturePrompt;
    QString pictureEnd;
    bool allowPlaceholder = false;
    bool trace = false;
};

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (!std::strcmp(argv[i], "--password") && hasValue)
            o.password = QString::fromUtf8(argv[++i]);
        else if (!std::strcmp(argv[i], "--wait-divisor") && hasValue)
            o.waitDivisor = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--gateway") && hasValue)
            o.gateway = argv[++i];
        else if (!std::strcmp(argv[i], "--port") && hasValue)
            o.port = QString::fromUtf8(argv[++i]);
        else if (!std::strcmp(argv[i], "--picture-prompt") && hasValue)
            o.picturePrompt = QString::fromUtf8(argv[++i]);
        else if (!std::strcmp(argv[i], "--picture-end") && hasValue)
            o.pictureEnd = QString::fromUtf8(argv[++i]);
        else if (!std::strcmp(argv[i], "--allow-placeholder-firmware"))
            o.allowPlaceholder = true;
        else if (!std::strcmp(argv[i], "--trace"))
            o.trace = true;
        else
            return false;
    }
    return true;
}

class FixedGateway : public IAdapterQuery {
public:
    explicit FixedGateway(std::string gateway) : gateway_(std::move(gateway)) {}
    std::uint32_t Query(TAdapterList& adapters, int&) override
    {
        adapters = {{IfType::Ethernet, gateway_}};
        return IpHlpResult::Success;
    }

private:
    std::string gateway_;
};

void Say(const char* what, const QString& text)
{
    std::printf("%s: %s\n", what, text.toUtf8().constData());
    std::fflush(stdout);
}

// Notes the time of the first paint of the window or any of its children.
class FirstPaint : public QObject {
public:
    FirstPaint(const QElapsedTimer& clock, QObject* parent) : QObject(parent), clock_(clock) {}
    qint64 AtMs = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (AtMs < 0 && event->type() == QEvent::Paint)
            AtMs = clock_.elapsed();
        return false;
    }

private:
    const QElapsedTimer& clock_;
};

// A 10 ms timer that remembers the longest time between two of its ticks,
// and what the Status page said on both sides of that gap.
class StallMeter {
public:
    explicit StallMeter(const QLabel& status) : status_(status)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    }
    void Start()
    {
        clock_.start();
        last_ = 0;
        lastText_ = status_.text();
        timer_.start();
    }
    void Stop()
    {
        Tick();
        timer_.stop();
    }
    void Report() const
    {
        std::printf("longest-stall-ms: %.1f\n", static_cast<double>(longestNs_) / 1e6);
        Say("longest-stall-between", QStringLiteral("\"%1\" and \"%2\"").arg(before_, after_));
    }

private:
    void Tick()
    {
        const qint64 now = clock_.nsecsElapsed();
        if (now - last_ > longestNs_) {
            longestNs_ = now - last_;
            before_ = lastText_;
            after_ = status_.text();
        }
        last_ = now;
        lastText_ = status_.text();
    }

    const QLabel& status_;
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 last_ = 0;
    qint64 longestNs_ = 0;
    QString lastText_, before_, after_;
};

}  // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: wizard-autopilot --password P [--wait-divisor N] [--gateway ADDR --port N] "
                     "[--allow-placeholder-firmware] [--picture-prompt FILE] [--picture-end FILE] [--trace]\n");
        return 2;
    }
    QApplication application(argc, argv);
    const TFirmwareSource firmware(options.allowPlaceholder);
    TfrmMain form([&firmware](IUpgraderView& view) -> std::unique_ptr<TNorvoFirmwareUpgrader> {
        return std::make_unique<TWrx310>(view, firmware);
    });
    if (!options.gateway.empty())
        form.SetAdapterQuery(std::make_unique<FixedGateway>(options.gateway));

    TWizardSeams& seams = form.Seams();
    seams.ShowMessage = [](const QString& text) { Say("message", text); };
    seams.ShowError = [](const QString& text) { Say("error", text); };
    seams.ShowNotice = [](const QString& text) { Say("message", text); };
    seams.AskYesNo = [](const QString& text) {
        Say("question", text);
        return false;
    };
    seams.ExecuteDialog = [](TFileDialog&) { return false; };
    seams.OpenUrl = [](const QString& url) { Say("browser", url); };

    const int divisor = options.waitDivisor;
    form.Upgrader().SetWait([divisor](int ms) {
        if (divisor <= 0)
            return;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms / divisor)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    });

    auto* firstPaint = new FirstPaint(sinceStart, &form);
    for (QWidget* widget : form.findChildren<QWidget*>())
        widget->installEventFilter(firstPaint);
    form.installEventFilter(firstPaint);
    form.show();
    QApplication::processEvents();
    std::printf("first-paint-ms: %lld\n", static_cast<long long>(firstPaint->AtMs));
    if (!options.port.isEmpty())
        form.edPort->setText(options.port);
    Say("gateway", form.edIPAddress->text());

    QTest::mouseClick(form.WiredChk, Qt::LeftButton, {}, QPoint(8, form.WiredChk->height() / 2));
    QTest::keyClicks(form.edExpressAdminPassword, options.password);
    wizardtest::WaitUntilIdle();  // the buttons as the idle window has them
    if (!options.picturePrompt.isEmpty())
        form.grab().save(options.picturePrompt);
    // The window stays painted while the run waits, so a timer sees what the
    // user sees.
    QElapsedTimer sinceNext;
    QTimer tracer;
    QString lastSeen;
    QObject::connect(&tracer, &QTimer::timeout, [&] {
        const QString seen =
            form.pcCards->currentWidget()->objectName() + QStringLiteral(" | ") + form.lblStatus->text();
        if (seen != lastSeen)
            std::printf("trace: %.1f s %s\n", sinceNext.elapsed() / 1000.0, seen.toUtf8().constData());
        lastSeen = seen;
    });
    if (options.trace)
        tracer.start(100);
    StallMeter stalls(*form.lblStatus);
    stalls.Start();
    sinceNext.start();
    QTest::mouseClick(form.btnNext, Qt::LeftButton);  // runs the whole upgrade
    QApplication::processEvents();
    tracer.stop();
    stalls.Stop();
    stalls.Report();
    const double seconds = sinceNext.elapsed() / 1000.0;
    wizardtest::WaitUntilIdle();
    if (!options.pictureEnd.isEmpty())
        form.grab().save(options.pictureEnd);

    QWidget* page = form.pcCards->currentWidget();
    Say("page", page->objectName());
    if (page == form.tsOutcome)
        Say("outcome", form.lblSuccessFailureMessage->text());
    else
        Say("prompt", form.lblExpressUpgrade->text());
    Say("cancel", form.btnCancel->text());
    Say("next", form.btnNext->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"));
    const QString backup = ProgramFiles::Path(ProductProfile::SettingsFileName);
    Say("settings file", backup + (QFile::exists(backup) ? QStringLiteral(" kept") : QStringLiteral(" absent")));
    Say("restore offer",
        form.pnlRestoreBackup->isVisibleTo(&form) ? QStringLiteral("shown") : QStringLiteral("hidden"));
    std::printf("seconds from Next to the final screen: %.1f\n", seconds);
    return 0;
}
