#include "tools/router-sim/lib/RouterPages.h"

#include "tools/router-sim/lib/Md5.h"

#include <algorithm>

namespace testsupport {

namespace {

const std::string kSettingsMagic = std::string("WRX270CFG\0\r\n", 12);
const std::string kPasswordKey = "admin_password=";

}  // namespace

std::string RootPage(const std::string& firmwareVersion, const std::string& salt)
{
    std::size_t point = firmwareVersion.find('.');
    std::string major = point == std::string::npos ? firmwareVersion : firmwareVersion.substr(0, point + 1);
    std::string minor = point == std::string::npos ? "" : firmwareVersion.substr(point + 1);
    return "<html>\r\n<head>\r\n<title>WRX-270</title>\r\n"
           "<script type=\"text/javascript\">\r\n"
           "var salt = \"" +
           salt +
           "\";\r\n"
           "</script>\r\n</head>\r\n<body>\r\n"
           "<div class=\"fwv\">Firmware Version:" +
           major + "<span id=\"fw_minor_head\">" + minor +
           "</span></div><div class=\"hwv\">Hardware Version:C2</div>\r\n"
           "<form name=\"login\" action=\"post_login.xml\" method=\"get\">\r\n"
           "<input type=\"password\" name=\"pwd\">\r\n</form>\r\n</body>\r\n</html>\r\n";
}

std::string LoginSucceededPage()
{
    return "<html><head><meta http-equiv=\"refresh\" content=\"0; url=Status/Device_Info.shtml\"></head>\r\n"
           "<body><a href=\"Status/Device_Info.shtml\">Device Info</a></body></html>\r\n";
}

std::string LoginFailedPage()
{
    return "<html><body><script>var login_error = 1;</script>"
           "Login error: the password is incorrect.</body></html>\r\n";
}

std::string ExpectedLoginToken(const std::string& salt, const std::string& password, unsigned char pad)
{
    std::string padded = password.substr(0, 16);
    padded.append(16 - padded.size(), static_cast<char>(pad));
    std::string data = salt + padded;
    if (data.size() < 64)
        data.append(64 - data.size(), static_cast<char>(pad));
    return salt + Md5Hex(data);
}

std::string MakeSettingsBlob(const std::string& profile, const std::string& password, std::size_t size)
{
    std::string blob = kSettingsMagic + kPasswordKey + password + std::string(1, '\0') + "\r\n" + "profile=" + profile +
                       std::string(1, '\0') + "\r\n";
    // Filler differs per profile so a restored file can be told from factory settings.
    unsigned seed = 0;
    for (char c : profile)
        seed = seed * 31 + static_cast<unsigned char>(c);
    for (std::size_t i = 0; blob.size() < size; ++i) {
        if (i % 64 == 62)
            blob += "\r\n";
        else
            blob += static_cast<char>((i * 7 + seed) & 0xFF);
    }
    return blob.substr(0, std::max(size, blob.find("profile=") + 8 + profile.size() + 3));
}

std::optional<std::string> PasswordInSettings(const std::string& blob)
{
    if (blob.compare(0, kSettingsMagic.size(), kSettingsMagic) != 0)
        return std::nullopt;
    std::size_t start = kSettingsMagic.size();
    if (blob.compare(start, kPasswordKey.size(), kPasswordKey) != 0)
        return std::nullopt;
    start += kPasswordKey.size();
    std::size_t end = blob.find('\0', start);
    if (end == std::string::npos)
        return std::nullopt;
    return blob.substr(start, end - start);
}

}  // namespace testsupport
