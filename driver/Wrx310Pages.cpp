#include "driver/Wrx310Pages.h"

#include <algorithm>
#include <cctype>

namespace Wrx310Page {
namespace {

const std::string kFirmwareMarker = "<div class=\"fwv\">";
const std::string kHardwareMarker = "<div class=\"hwv\">";
const std::string kMinorVersionMarker = "<span id=\"fw_minor_head\">";
const std::string kSaltMarker = "var salt = ";

// The firmware text starts 17 characters after the firmware marker: the
// page puts a fixed-width prefix there that is not part of the version.
constexpr std::size_t kFirmwarePrefixLength = 17;
constexpr std::size_t kPasswordLength = 16;
constexpr std::size_t kHashDataLength = 64;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Removes every occurrence of needle, letters compared without case.
std::string RemoveIgnoringCase(const std::string& text, const std::string& needle)
{
    std::string lowerText(text.size(), '\0');
    std::transform(text.begin(), text.end(), lowerText.begin(), LowerAscii);
    std::string lowerNeedle(needle.size(), '\0');
    std::transform(needle.begin(), needle.end(), lowerNeedle.begin(), LowerAscii);

    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = lowerText.find(lowerNeedle, from)) != std::string::npos; from = at + needle.size())
        result.append(text, from, at - from);
    result.append(text, from, std::string::npos);
    return result;
}

// count characters from the 0-based index, where indexes before the first
// character count as the first character and the text's end cuts short.
std::string CopyClamped(const std::string& text, long index, std::size_t count)
{
    const std::size_t from = index < 0 ? 0 : static_cast<std::size_t>(index);
    return from >= text.size() ? std::string() : text.substr(from, count);
}

}  // namespace

std::string Trim(const std::string& text)
{
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlankOrControl);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlankOrControl).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string FirmwareVersion(const std::string& page)
{
    const std::size_t firmware = page.find(kFirmwareMarker);
    if (firmware == std::string::npos)
        return {};
    const std::string rest = CopyClamped(
        page, static_cast<long>(firmware + kFirmwareMarker.size() + kFirmwarePrefixLength), std::string::npos);
    const std::size_t hardware = rest.find(kHardwareMarker);
    if (hardware == std::string::npos)
        return {};
    std::string version = rest.substr(0, hardware);
    version = RemoveIgnoringCase(version, kMinorVersionMarker);
    version = RemoveIgnoringCase(version, "</span>");
    version = RemoveIgnoringCase(version, "</div>");
    return Trim(version);
}

std::string LegacyKey(const std::string& page)
{
    const std::size_t minor = page.find(kMinorVersionMarker);
    if (minor == std::string::npos)
        return {};
    const long at = static_cast<long>(minor);
    return CopyClamped(page, at - 2, 2) + CopyClamped(page, at + static_cast<long>(kMinorVersionMarker.size()), 1);
}

bool IsLegacyKey(const std::string& key) { return key == "3.0" || key == "3.1"; }

std::string Salt(const std::string& page)
{
    if (Trim(page).empty())
        return {};
    const std::size_t marker = page.find(kSaltMarker);
    if (marker == std::string::npos)
        return {};
    // Skip the marker and the opening quote; the closing quote stands just
    // before the ";".
    const std::string rest = CopyClamped(page, static_cast<long>(marker + kSaltMarker.size() + 1), std::string::npos);
    const std::size_t end = rest.find(';');
    if (end == std::string::npos || end == 0)
        return {};
    return rest.substr(0, end - 1);
}

char PadUnit(bool legacyFirmware, bool retry)
{
    if (legacyFirmware)
        return retry ? '1' : '0';
    return retry ? '\x01' : '\x00';
}

std::string LoginHashData(const std::string& password, const std::string& salt, char padUnit)
{
    std::string padded = password.substr(0, kPasswordLength);
    padded.resize(kPasswordLength, padUnit);
    std::string data = salt + padded;
    if (data.size() < kHashDataLength)
        data.resize(kHashDataLength, padUnit);
    return data;
}

bool IsLoginAccepted(const std::string& answer)
{
    return answer.find("Status/Device_Info.shtml") != std::string::npos ||
           answer.find("Basic/Internet.shtml") != std::string::npos;
}

bool AsksForRetry(const std::string& answer) { return answer.find("error") != std::string::npos; }

}  // namespace Wrx310Page
