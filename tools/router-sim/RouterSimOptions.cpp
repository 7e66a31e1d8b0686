#include "tools/router-sim/RouterSimOptions.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <memory>

namespace routersim {

namespace {

bool ParseNumber(const std::string& text, unsigned long long max, unsigned long long& out)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    out = std::strtoull(text.c_str(), nullptr, 10);
    return errno == 0 && out <= max;
}

bool ParsePad(const std::string& text, unsigned char& pad)
{
    if (text == "zero" || text == "00")
        pad = 0x00;
    else if (text == "digit" || text == "30")
        pad = '0';
    else if (text == "retry" || text == "01")
        pad = 0x01;
    else
        return false;
    return true;
}

using testsupport::RouterRequest;
using testsupport::ScriptedReply;

ScriptedReply Silent() { return ScriptedReply{"", ScriptedReply::Then::NeverAnswer}; }

ScriptedReply EndlessRootPage(int dripMs)
{
    ScriptedReply reply{"HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n"};
    reply.repeat = "<p>var salt = \"0123456789abcdef\" ... still loading</p>\n";
    reply.dripMs = dripMs;
    return reply;
}

bool Misbehave(const std::string& kind, testsupport::RouterSimConfig& config)
{
    if (kind == "silent") {
        config.intercept = [](const RouterRequest&) -> std::optional<ScriptedReply> { return Silent(); };
    } else if (kind == "drip" || kind == "endless") {
        const int dripMs = kind == "drip" ? 1000 : 0;
        config.intercept = [dripMs](const RouterRequest&) -> std::optional<ScriptedReply> {
            return EndlessRootPage(dripMs);
        };
    } else if (kind == "hang-after-restart") {
        config.rebootDowntimeMs = 0;
        auto restarted = std::make_shared<std::atomic<bool>>(false);
        config.intercept = [restarted](const RouterRequest& request) -> std::optional<ScriptedReply> {
            if (*restarted)
                return Silent();
            if (request.http.Path() == "/reboot.cgi")
                *restarted = true;
            return std::nullopt;
        };
    } else if (kind == "slow-settings") {
        // Well inside the 30 s a settings transfer may go without a byte:
        // only the bound on the whole transfer can end it.
        config.settingsDripMs = 5000;
    } else if (kind == "late-upload-answer") {
        // A real router may take minutes to write its flash; scaled down so
        // that a run against it stays short.
        config.firmwareAnswerDelayMs = 20000;
    } else {
        return false;
    }
    return true;
}

}  // namespace

std::string HelpText()
{
    return "Usage: router-sim [options]\n"
           "A simulated WRX-270 router web interface for trying the firmware upgrade wizard.\n"
           "\n"
           "  --listen ADDRESS        IPv4 address to listen on (default 127.0.0.1)\n"
           "  --port PORT             TCP port (default 8080; 0 picks a free one)\n"
           "  --password TEXT         admin password (default \"admin\"; \"\" for none)\n"
           "  --firmware VERSION      firmware version before the upgrade (default 3.5)\n"
           "  --upgraded-firmware V   version an uploaded image turns out to be (default 3.6)\n"
           "  --legacy                show a 3.0x firmware page (3.05 unless --firmware is 3.0x/3.1x)\n"
           "  --pad zero|digit|retry  login hash padding the router accepts: byte 0x00, the digit \"0\"\n"
           "                          (a 3.0x page's first attempt) or 0x01 (only the retry works);\n"
           "                          default zero, or digit with --legacy\n"
           "  --reboot-downtime SECS  seconds the router stays unreachable after a restart (default 20)\n"
           "  --keep-alive            answer keep-alive requests with keep-alive\n"
           "  --close                 close the connection after every answer (default)\n"
           "  --settings-size BYTES   size of the settings file the router delivers (default 8192)\n"
           "  --ignore-restore        answer the first settings upload with success but keep the\n"
           "                          settings the router has (a restore that does not take)\n"
           "  --misbehave KIND        a broken router: silent (accepts, never answers), drip (the root\n"
           "                          page one byte per second, without end), endless (an endless root\n"
           "                          page at full speed), hang-after-restart (back at once after the\n"
           "                          first restart request, then accepts and never answers),\n"
           "                          slow-settings (the settings download one byte every 5 s,\n"
           "                          without end), late-upload-answer (the firmware upload answered\n"
           "                          20 s after its last byte, as if the router wrote its flash first)\n"
           "  --help                  show this text\n"
           "\n"
           "Each request is logged on one line to standard output. Stops on SIGINT or SIGTERM.\n";
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    auto& config = options.config;
    config.port = 8080;
    bool padGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                options.error = arg + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string text;
        unsigned long long number = 0;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--listen") {
            if (value(text))
                config.address = text;
        } else if (arg == "--port") {
            if (value(text)) {
                if (ParseNumber(text, 65535, number))
                    config.port = static_cast<std::uint16_t>(number);
                else
                    options.error = "--port wants a number from 0 to 65535, not \"" + text + "\"";
            }
        } else if (arg == "--password") {
            value(config.password);
        } else if (arg == "--firmware") {
            value(config.firmwareVersion);
        } else if (arg == "--upgraded-firmware") {
            value(config.upgradedFirmwareVersion);
        } else if (arg == "--legacy") {
            config.legacyPage = true;
        } else if (arg == "--pad") {
            if (value(text)) {
                padGiven = true;
                if (!ParsePad(text, config.acceptedPad))
                    options.error = "--pad wants zero, digit or retry, not \"" + text + "\"";
            }
        } else if (arg == "--reboot-downtime") {
            if (value(text)) {
                if (ParseNumber(text, std::numeric_limits<std::int64_t>::max() / 1000, number))
                    config.rebootDowntimeMs = static_cast<std::int64_t>(number) * 1000;
                else
                    options.error = "--reboot-downtime wants whole seconds, not \"" + text + "\"";
            }
        } else if (arg == "--keep-alive") {
            config.keepAlive = true;
        } else if (arg == "--ignore-restore") {
            config.ignoredSettingsUploads = 1;
        } else if (arg == "--close") {
            config.keepAlive = false;
        } else if (arg == "--settings-size") {
            if (value(text)) {
                if (ParseNumber(text, 64ull << 20, number))
                    config.settingsSize = static_cast<std::size_t>(number);
                else
                    options.error = "--settings-size wants a byte count up to 64 MiB, not \"" + text + "\"";
            }
        } else if (arg == "--misbehave") {
            if (value(text) && !Misbehave(text, config))
                options.error =
                    "--misbehave wants silent, drip, endless, hang-after-restart, slow-settings or "
                    "late-upload-answer, not \"" +
                    text + "\"";
        } else {
            options.error = "unknown option \"" + arg + "\"";
        }
        if (!options.error.empty())
            return options;
    }
    if (config.legacyPage && !padGiven)
        config.acceptedPad = '0';
    return options;
}

}  // namespace routersim
