// The WRX-270 family's identification and login: the firmware version on
// the root page, the legacy-firmware check, and the login token, an MD5 of
// the salt the root page quotes and the padded password.
#include "base/Exception.h"
#include "driver/Wrx310Pages.h"
#include "driver/utWrx310.h"
#include "log/SupportLog.h"

#include <QCryptographicHash>

void TWrx310::GetFirmwareVersion(QString& version)
{
    FRequests.WhileContacting(
        [&] { version = RouterText(Wrx310Page::FirmwareVersion(FRequests.GetIgnoringErrors(GetURL() + "/"))); });
    SupportLogLine(lcDriver(),
                   QStringLiteral("Firmware version: ") + (version.isEmpty() ? QStringLiteral("none found") : version));
}

void TWrx310::CheckLegacyFirmware()
{
    FLegacyFirmware = false;
    std::string page;
    RequestLogin(true, page);
    if (Wrx310Page::IsLegacyKey(Wrx310Page::LegacyKey(page))) {
        FLegacyFirmware = true;
        FLegacyRouterSeen = true;
    }
}

bool TWrx310::Login()
{
    FLegacyRouterSeen = false;
    std::string answer;
    FRequests.WhileContacting([&] {
        CheckLegacyFirmware();
        RequestLogin(false, answer);
    });
    const bool accepted = Wrx310Page::IsLoginAccepted(answer);
    SupportLogLine(lcDriver(), QStringLiteral("Login ") +
                                   (accepted ? QStringLiteral("accepted") : QStringLiteral("refused")) +
                                   (FLegacyRouterSeen ? QStringLiteral(" (3.0x/3.1x router)") : QString()));
    return accepted;
}

bool TWrx310::IsLegacyFirmware()
{
    const bool seen = FLegacyRouterSeen;
    FLegacyRouterSeen = false;
    return seen;
}

void TWrx310::RequestLogin(bool pageOnly, std::string& response)
{
    response.clear();
    if (pageOnly) {
        response = FRequests.GetIgnoringErrors(GetURL());
        return;
    }
    const std::string loginUrl = GetURL() + "/post_login.xml?hash=";
    auto attempt = [&](bool retry) {
        FSalt = GetSalt();
        FHash = BuildLoginHash(retry);
        try {
            response = FRequests.GetPage(loginUrl + FHash);
        } catch (const std::exception&) {
            // A failed request keeps the answer held before it.
        }
    };
    attempt(false);
    if (Wrx310Page::AsksForRetry(response))
        attempt(true);
}

std::string TWrx310::GetSalt()
{
    std::string page;
    try {
        page = FRequests.GetPage(GetURL());
    } catch (const Exception&) {
        // No page, no salt: the caller treats that as a router not answering.
    }
    return Wrx310Page::Salt(page);
}

std::string TWrx310::BuildLoginHash(bool retry) { return ComputeHash(GetPassword(), FSalt, retry); }

std::string TWrx310::ComputeHash(const std::string& password, const std::string& salt, bool retry)
{
    const char pad = Wrx310Page::PadUnit(FLegacyFirmware, retry);
    FLegacyFirmware = false;
    return salt + MD5Hex(Wrx310Page::LoginHashData(password, salt, pad));
}

std::string TWrx310::MD5Hex(const std::string& data)
{
    const QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().toStdString();
}
