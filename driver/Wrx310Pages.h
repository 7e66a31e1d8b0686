// What the WRX-270 family's web pages say, cut out of their bytes: the
// firmware version, the legacy-firmware key, the login salt, and the data
// hashed for the login token. Pure functions on byte strings, so the
// cutting rules can be checked without a router.
#pragma once

#include <string>

namespace Wrx310Page {

// The firmware version shown on the root page, or empty when the page has no
// firmware block ending in the hardware-version block.
std::string FirmwareVersion(const std::string& page);

// The two characters before the minor-version element and the first one
// inside it ("3.0" for a 3.0x firmware); empty when the element is absent.
std::string LegacyKey(const std::string& page);
// True for the keys of the 3.0x and 3.1x firmware generations.
bool IsLegacyKey(const std::string& key);

// The login salt quoted in the page's "var salt = " line, or empty.
std::string Salt(const std::string& page);

// The byte the login data is padded with: legacy firmware pads its first
// attempt with the digit "0", every other attempt uses 0x00, a retry 0x01.
char PadUnit(bool legacyFirmware, bool retry);
// The data whose MD5 forms the login token: the salt, then the password
// (cut or padded to 16 bytes), then padding up to 64 bytes.
std::string LoginHashData(const std::string& password, const std::string& salt, char padUnit);

// True when a login answer links to the pages only a logged-in user sees.
bool IsLoginAccepted(const std::string& answer);
// True when a login answer asks for another attempt.
bool AsksForRetry(const std::string& answer);

// The text without leading and trailing blanks and control characters.
std::string Trim(const std::string& text);

}  // namespace Wrx310Page
