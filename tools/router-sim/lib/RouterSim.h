#pragma once
// A simulated WRX-270 web interface: start page with firmware markers and a
// fresh login salt, salted-MD5 login with a session cookie, settings download
// and upload, firmware upload, and a restart during which the router cannot
// be reached. Tests run it in-process; tools/router-sim runs it standalone.

#include "tools/router-sim/lib/HttpMessage.h"
#include "tools/router-sim/lib/Multipart.h"
#include "tools/router-sim/lib/RawHttpServer.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

struct RouterRequest {
    int connection = 0;
    bool complete = true;         // false: the peer closed before the request was whole
    std::string raw;              // exact bytes received
    HttpRequest http;             // method, target, headers, body
    MultipartBody multipart;      // parsed for POSTs with a multipart body
    int status = 0;               // status answered (0: no answer)
    std::int64_t bodyMicros = 0;  // first to last body byte, as the router received them
    int bodyReceives = 0;         // receive calls that brought body bytes
};

struct RouterSimConfig {
    std::string address = "127.0.0.1";
    std::uint16_t port = 0;  // 0: an ephemeral port
    std::string password = "admin";
    std::string firmwareVersion = "3.5";  // before the upgrade
    bool legacyPage = false;              // 3.0x firmware: the page shows 3.05 unless the version is 3.0x/3.1x
    unsigned char acceptedPad = 0x00;     // pad byte of the login hash the router accepts
                                          // (0x30 "0": a 3.0x page's first attempt; 0x01: only the retry)
    // Unreachable for this long after a restart request. Time runs on the
    // clock below plus AdvanceTime; a test's injected wait should call
    // AdvanceTime. With 0 the router is back as soon as it has answered.
    std::int64_t rebootDowntimeMs = 20000;
    bool keepAlive = false;                       // answer keep-alive requests with keep-alive
    std::size_t settingsSize = 8192;              // size of the settings file
    std::string upgradedFirmwareVersion = "3.6";  // what an uploaded image turns out to be
    std::string factoryPassword;                  // admin password after a firmware upgrade
    std::size_t saltLength = 16;
    std::string salt;  // the login salt of every start page (empty: a fresh random one)
    // The first this many settings uploads are answered as a success but
    // not applied: a router that ignores a restore.
    int ignoredSettingsUploads = 0;
    // A router slow to export its settings: above 0, the settings download's
    // head goes out at once, then one byte every this many ms, without end.
    int settingsDripMs = 0;
    // A router that writes its flash before it answers: the firmware
    // upload's answer comes this many ms after its last byte arrived.
    int firmwareAnswerDelayMs = 0;
    std::function<std::int64_t()> clock;  // milliseconds; default: steady clock
    // Fault injection: a reply returned here replaces the router's answer
    // (the request is recorded; the router's state does not change).
    std::function<std::optional<ScriptedReply>(const RouterRequest&)> intercept;
    // Called with one line per request, on the server thread.
    std::function<void(const std::string&)> onLog;
};

struct RouterUpload {
    std::string filename;
    std::string data;
    std::int64_t bodyMicros = 0;  // first to last byte of the POST body
};

// Microseconds as milliseconds with two decimals, for the log.
std::string BodyMillis(std::int64_t micros);

class RouterSim {
public:
    explicit RouterSim(RouterSimConfig config = {});
    ~RouterSim();
    RouterSim(const RouterSim&) = delete;
    RouterSim& operator=(const RouterSim&) = delete;

    std::uint16_t Port() const;
    std::string Address() const;
    std::string Url() const;  // "http://address:port", no trailing "/"

    // Moves the router's clock on by `ms` (on top of the configured clock) and,
    // when a restart's downtime is over, brings the router back before it
    // returns: a test's injected wait can drive a restart deterministically.
    void AdvanceTime(std::int64_t ms);
    bool IsUp() const;

    std::string FirmwareVersion() const;
    std::string Password() const;
    std::string Settings() const;  // what /getconfig.cgi delivers now
    std::string FactorySettings() const;
    int Reboots() const;  // restarts completed (router back up)
    std::vector<RouterUpload> FirmwareUploads() const;
    std::vector<RouterUpload> SettingsUploads() const;
    std::vector<RouterRequest> Requests() const;
    int CountRequests(const std::string& method, const std::string& path) const;
    std::vector<std::string> Log() const;
    int Connections() const;

private:
    struct Answer;
    ServerReply Handle(const RawRequest& raw);
    Answer Route(RouterRequest& request);
    bool HasSession(const HttpRequest& request) const;
    std::string NewToken(std::size_t length, const char* alphabet);
    ScriptedReply Reply(const RouterRequest& request, int status, const std::string& reason,
                        const std::string& contentType, const std::string& body, const std::string& extraHeaders = "");
    std::int64_t Now() const;
    void ComeBackIfDue();  // caller holds mutex_
    void Record(RouterRequest request, const std::string& note);

    RouterSimConfig config_;
    mutable std::mutex mutex_;
    std::int64_t advancedMs_ = 0;
    std::mt19937_64 random_;

    std::string firmwareVersion_;
    std::string password_;
    std::string settings_;
    unsigned char acceptedPad_;
    std::string lastSalt_;
    std::set<std::string> sessions_;
    std::optional<std::string> pendingSettings_;
    int settingsUploadsIgnored_ = 0;
    bool firmwarePending_ = false;
    bool down_ = false;
    std::int64_t upAt_ = 0;
    int reboots_ = 0;
    std::vector<RouterUpload> firmwareUploads_;
    std::vector<RouterUpload> settingsUploads_;
    std::vector<RouterRequest> requests_;
    std::vector<std::string> log_;

    std::unique_ptr<RawHttpServer> server_;  // last: stops before the state above goes
};

}  // namespace testsupport
