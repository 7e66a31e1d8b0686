// router-sim: the simulated WRX-270 router as a program, for trying the
// wizard against something that behaves like the real router, restarts included.

#include "tools/router-sim/RouterSimOptions.h"

#include <pthread.h>
#include <sys/time.h>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <exception>
#include <iostream>
#include <mutex>

namespace {

std::mutex outputMutex;

void LogLine(const std::string& line)
{
    timeval now{};
    ::gettimeofday(&now, nullptr);
    std::tm local{};
    ::localtime_r(&now.tv_sec, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03ld", local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<long>(now.tv_usec / 1000));
    std::lock_guard<std::mutex> lock(outputMutex);
    std::cout << stamp << " " << line << std::endl;  // endl: flushed line by line for log readers
}

// The firmware POSTs' bodies as the router received them, first to last byte.
std::string FirmwareBodyTimes(const testsupport::RouterSim& router)
{
    std::string text;
    for (const auto& upload : router.FirmwareUploads())
        text += (text.empty() ? ", firmware upload body ms " : " ") + testsupport::BodyMillis(upload.bodyMicros);
    return text;
}

}  // namespace

int main(int argc, char** argv)
{
    routersim::Options options = routersim::ParseOptions(argc, argv);
    if (!options.error.empty()) {
        std::cerr << "router-sim: " << options.error << "\n\n" << routersim::HelpText();
        return 2;
    }
    if (options.help) {
        std::cout << routersim::HelpText();
        return 0;
    }

    // Block the stop signals before any thread starts, so that only the
    // sigwait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    options.config.onLog = LogLine;
    try {
        testsupport::RouterSim router(options.config);
        const auto& c = options.config;
        LogLine("WRX-270 listening on http://" + router.Address() + ":" + std::to_string(router.Port()) +
                "/ firmware " + router.FirmwareVersion() + ", admin password \"" + c.password + "\", " +
                (c.keepAlive ? "keep-alive" : "close") + ", restart downtime " +
                std::to_string(c.rebootDowntimeMs / 1000) + " s");
        const std::string originalSettings = router.Settings();
        int signal = 0;
        sigwait(&stopSignals, &signal);
        LogLine(std::string("stopping on ") + (signal == SIGINT ? "SIGINT" : "SIGTERM"));
        // One line that says where the router ended, for people and scripts.
        LogLine("final state: firmware " + router.FirmwareVersion() + ", settings " +
                (router.Settings() == originalSettings ? "original" : "changed") + ", restarts " +
                std::to_string(router.Reboots()) + ", firmware uploads " +
                std::to_string(router.FirmwareUploads().size()) + ", settings uploads " +
                std::to_string(router.SettingsUploads().size()) + FirmwareBodyTimes(router));
    } catch (const std::exception& e) {
        std::cerr << "router-sim: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
