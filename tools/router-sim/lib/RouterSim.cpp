#include "tools/router-sim/lib/RouterSim.h"

#include "tools/router-sim/lib/RouterPages.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace testsupport {

namespace {

const char kAlphanumeric[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
const char kHex[] = "0123456789abcdef";

bool IsLegacyVersion(const std::string& version)
{
    return version.rfind("3.0", 0) == 0 || version.rfind("3.1", 0) == 0;
}

int StatusOf(const std::string& replyBytes)
{
    std::size_t sp = replyBytes.find(' ');
    return sp == std::string::npos ? 0 : std::atoi(replyBytes.c_str() + sp + 1);
}

std::int64_t SteadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

std::string BodyMillis(std::int64_t micros)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(micros) / 1000.0);
    return text;
}

struct RouterSim::Answer {
    ScriptedReply reply;
    int status = 0;
    bool goDown = false;
    std::string note;
};

RouterSim::RouterSim(RouterSimConfig config)
    : config_(std::move(config)),
      random_(std::random_device{}()),
      firmwareVersion_(config_.legacyPage && !IsLegacyVersion(config_.firmwareVersion) ? "3.05"
                                                                                       : config_.firmwareVersion),
      password_(config_.password),
      settings_(MakeSettingsBlob("user", config_.password, config_.settingsSize)),
      acceptedPad_(config_.acceptedPad)
{
    server_ = std::make_unique<RawHttpServer>(
        config_.address, config_.port, [this](const RawRequest& r) { return Handle(r); },
        [this] {
            std::lock_guard<std::mutex> lock(mutex_);
            ComeBackIfDue();
        });
}

RouterSim::~RouterSim() { server_.reset(); }

std::uint16_t RouterSim::Port() const { return server_->Port(); }
std::string RouterSim::Address() const { return config_.address; }
std::string RouterSim::Url() const { return "http://" + config_.address + ":" + std::to_string(Port()); }
int RouterSim::Connections() const { return server_->Connections(); }

std::int64_t RouterSim::Now() const { return (config_.clock ? config_.clock() : SteadyMs()) + advancedMs_; }

void RouterSim::AdvanceTime(std::int64_t ms)
{
    std::lock_guard<std::mutex> lock(mutex_);
    advancedMs_ += ms;
    ComeBackIfDue();
}

bool RouterSim::IsUp() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !down_;
}

void RouterSim::ComeBackIfDue()
{
    if (!down_ || Now() < upAt_)
        return;
    try {
        server_->StartListening();
    } catch (const std::exception& e) {
        log_.push_back(std::string("cannot listen again yet: ") + e.what());
        return;  // tried again at the next tick
    }
    down_ = false;
    ++reboots_;
    sessions_.clear();
    lastSalt_.clear();
    std::string what = "router back up";
    if (firmwarePending_) {
        firmwareVersion_ = config_.upgradedFirmwareVersion;
        settings_ = FactorySettings();
        password_ = config_.factoryPassword;
        if (acceptedPad_ == '0')  // the "0" padding belongs to the old firmware's page
            acceptedPad_ = 0x00;
        what += " with firmware " + firmwareVersion_ + " and factory settings";
    } else if (pendingSettings_) {
        settings_ = *pendingSettings_;
        if (auto password = PasswordInSettings(settings_))
            password_ = *password;
        what += " with restored settings";
    }
    firmwarePending_ = false;
    pendingSettings_.reset();
    log_.push_back(what);
    if (config_.onLog)
        config_.onLog(what);
}

std::string RouterSim::FirmwareVersion() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return firmwareVersion_;
}

std::string RouterSim::Password() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return password_;
}

std::string RouterSim::Settings() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return settings_;
}

std::string RouterSim::FactorySettings() const
{
    return MakeSettingsBlob("factory", config_.factoryPassword, config_.settingsSize);
}

int RouterSim::Reboots() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return reboots_;
}

std::vector<RouterUpload> RouterSim::FirmwareUploads() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return firmwareUploads_;
}

std::vector<RouterUpload> RouterSim::SettingsUploads() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return settingsUploads_;
}

std::vector<RouterRequest> RouterSim::Requests() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

int RouterSim::CountRequests(const std::string& method, const std::string& path) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    int count = 0;
    for (const auto& r : requests_)
        if (r.http.method == method && r.http.Path() == path)
            ++count;
    return count;
}

std::vector<std::string> RouterSim::Log() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

std::string RouterSim::NewToken(std::size_t length, const char* alphabet)
{
    std::string alphabetText(alphabet);
    std::uniform_int_distribution<std::size_t> pick(0, alphabetText.size() - 1);
    std::string token;
    for (std::size_t i = 0; i < length; ++i)
        token += alphabetText[pick(random_)];
    return token;
}

bool RouterSim::HasSession(const HttpRequest& request) const
{
    std::string uid = request.Cookie("uid");
    return !uid.empty() && sessions_.count(uid) > 0;
}

// HTTP/1.0 answers. With keep-alive configured and asked for, the answer says
// so, carries its length and the connection stays; otherwise the body runs
// to the close of the connection, as small embedded servers do.
ScriptedReply RouterSim::Reply(const RouterRequest& request, int status, const std::string& reason,
                               const std::string& contentType, const std::string& body, const std::string& extraHeaders)
{
    auto connection = request.http.Header("Connection");
    bool keep = config_.keepAlive && connection && EqualsIgnoreCase(Trim(*connection), "keep-alive");
    std::string head = "HTTP/1.0 " + std::to_string(status) + " " + reason + "\r\n" + "Server: WRX-270 httpd\r\n" +
                       "Content-Type: " + contentType + "\r\n" + extraHeaders;
    if (keep)
        head += "Connection: keep-alive\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    else
        head += "Connection: close\r\n";
    ScriptedReply reply;
    reply.bytes = head + "\r\n" + body;
    reply.then = keep ? ScriptedReply::Then::KeepOpen : ScriptedReply::Then::Close;
    return reply;
}

ServerReply RouterSim::Handle(const RawRequest& raw)
{
    RouterRequest request;
    request.connection = raw.connection;
    request.complete = raw.complete;
    request.raw = raw.bytes;
    request.bodyMicros = raw.bodyMicros;
    request.bodyReceives = raw.bodyReceives;
    request.http = ParseRequest(raw.bytes);
    if (request.http.method == "POST")
        request.multipart = ParseMultipart(request.http.Header("Content-Type").value_or(""), request.http.body);

    if (!request.complete) {
        std::lock_guard<std::mutex> lock(mutex_);
        Record(std::move(request), "cut off by the client after " + std::to_string(raw.bytes.size()) + " bytes");
        return {};
    }
    if (config_.intercept) {
        if (auto replaced = config_.intercept(request)) {
            request.status = StatusOf(replaced->bytes);
            std::lock_guard<std::mutex> lock(mutex_);
            Record(std::move(request), "(injected answer)");
            return {std::move(*replaced)};
        }
    }
    std::lock_guard<std::mutex> lock(mutex_);
    Answer answer = Route(request);
    request.status = answer.status;
    if (answer.goDown) {
        server_->StopListening(request.connection);  // the reply still goes out on this one
        ComeBackIfDue();                             // at once when there is no downtime
    }
    Record(std::move(request), answer.note);
    return {std::move(answer.reply)};
}

RouterSim::Answer RouterSim::Route(RouterRequest& request)
{
    const HttpRequest& http = request.http;
    const std::string path = http.Path();
    Answer a;
    auto answer = [&](int status, const std::string& reason, const std::string& type, const std::string& body,
                      const std::string& extra = "") {
        a.status = status;
        a.reply = Reply(request, status, reason, type, body, extra);
        return a;
    };
    auto html = [](const std::string& text) { return "<html><body>" + text + "</body></html>\r\n"; };
    const bool get = http.method == "GET";
    const bool post = http.method == "POST";

    if (get && (path == "/" || path.empty())) {
        lastSalt_ = config_.salt.empty() ? NewToken(config_.saltLength, kAlphanumeric) : config_.salt;
        a.note = "salt " + lastSalt_;
        return answer(200, "OK", "text/html", RootPage(firmwareVersion_, lastSalt_));
    }
    if (get && path == "/post_login.xml") {
        // The token runs to the end of the request target: a salt may hold
        // "&" or "=", which the router does not take as the query's end.
        const std::size_t hash = http.target.find("?hash=");
        const std::string token = hash == std::string::npos ? std::string() : http.target.substr(hash + 6);
        if (lastSalt_.empty() || token != ExpectedLoginToken(lastSalt_, password_, acceptedPad_)) {
            a.note = "login refused";
            return answer(200, "OK", "text/html", LoginFailedPage());
        }
        std::string session = NewToken(16, kHex);
        sessions_.insert(session);
        a.note = "login accepted, session " + session;
        return answer(200, "OK", "text/html", LoginSucceededPage(), "Set-Cookie: uid=" + session + "; path=/\r\n");
    }

    const bool known =
        path == "/getconfig.cgi" || path == "/setconfig.cgi" || path == "/upload.cgi" || path == "/reboot.cgi";
    if (!known) {
        a.note = "no such page";
        return answer(404, "Not Found", "text/html", html("404 Not Found"));
    }
    if (!HasSession(http)) {
        a.note = "no valid session";
        return answer(403, "Forbidden", "text/html", html("403 Forbidden: please log in first."));
    }

    if (get && path == "/getconfig.cgi") {
        a.note = std::to_string(settings_.size()) + " settings bytes";
        if (config_.settingsDripMs <= 0)
            return answer(200, "OK", "application/octet-stream", settings_);
        a.note += ", one byte every " + std::to_string(config_.settingsDripMs) + " ms without end";
        Answer slow = answer(200, "OK", "application/octet-stream", settings_);
        slow.reply.dripMs = config_.settingsDripMs;
        slow.reply.dripAfter = slow.reply.bytes.size() - settings_.size();  // the head at once
        slow.reply.repeat = settings_;
        return slow;
    }
    if (post && (path == "/setconfig.cgi" || path == "/upload.cgi")) {
        const MultipartPart* file = nullptr;
        for (const auto& part : request.multipart.parts)
            if (part.name == "upfile")
                file = &part;
        if (!request.multipart.wellFormed || !file) {
            a.note =
                request.multipart.wellFormed ? "no upfile field" : "bad multipart body: " + request.multipart.error;
            return answer(400, "Bad Request", "text/html", html("Upload error: " + a.note));
        }
        a.note = "upfile \"" + file->filename + "\" " + std::to_string(file->data.size()) + " bytes";
        if (path == "/setconfig.cgi") {
            settingsUploads_.push_back({file->filename, file->data, request.bodyMicros});
            if (settingsUploadsIgnored_ < config_.ignoredSettingsUploads) {
                ++settingsUploadsIgnored_;
                a.note += ", ignored";
            } else {
                pendingSettings_ = file->data;
            }
            return answer(200, "OK", "text/html",
                          html("Settings uploaded successfully. Restart the router to apply them."));
        }
        if (file->data.empty()) {
            a.note += ", ignored";
            return answer(200, "OK", "text/html", html("Upload error: the firmware image is empty."));
        }
        firmwareUploads_.push_back({file->filename, file->data, request.bodyMicros});
        firmwarePending_ = true;
        if (config_.firmwareAnswerDelayMs > 0)
            a.note += ", answered after " + std::to_string(config_.firmwareAnswerDelayMs) + " ms";
        Answer done =
            answer(200, "OK", "text/html", html("Upload successful. Restart the router to run the new firmware."));
        done.reply.delayMs = config_.firmwareAnswerDelayMs;
        return done;
    }
    if (get && path == "/reboot.cgi") {
        a = answer(200, "OK", "text/html", html("Restarting..."));
        a.reply.then = ScriptedReply::Then::Close;
        a.goDown = true;
        down_ = true;
        upAt_ = Now() + config_.rebootDowntimeMs;
        a.note = "restarting, back in " + std::to_string(config_.rebootDowntimeMs) + " ms";
        return a;
    }
    a.note = "wrong method";
    return answer(405, "Method Not Allowed", "text/html", html("405 Method Not Allowed"));
}

void RouterSim::Record(RouterRequest request, const std::string& note)
{
    std::ostringstream line;
    line << "#" << requests_.size() + 1 << " conn " << request.connection << " ";
    if (request.http.method.empty())
        line << "(no request line)";
    else
        line << request.http.method << " " << request.http.target;
    if (request.status)
        line << " -> " << request.status;
    if (!note.empty())
        line << " " << note;
    if (!request.http.body.empty())
        line << " [body " << request.http.body.size() << " bytes in " << BodyMillis(request.bodyMicros) << " ms, "
             << request.bodyReceives << " receives]";
    log_.push_back(line.str());
    if (config_.onLog)
        config_.onLog(line.str());
    requests_.push_back(std::move(request));
}

}  // namespace testsupport
