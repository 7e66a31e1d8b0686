#pragma once
// The simulated router's pages and its settings file format.

#include <cstddef>
#include <optional>
#include <string>

namespace testsupport {

// The start page: firmware and hardware markers, and the login salt in a
// script line. The major version and its point stand before the minor
// element, the rest of the version inside it ("3.<span ...>05</span>").
std::string RootPage(const std::string& firmwareVersion, const std::string& salt);

std::string LoginSucceededPage();
std::string LoginFailedPage();

// Login token the router expects: salt followed by the MD5 of salt, then the
// password cut or padded to 16 bytes with `pad`, then `pad` until 64 bytes.
std::string ExpectedLoginToken(const std::string& salt, const std::string& password, unsigned char pad);

// Settings file: a small header naming the admin password and the profile
// ("user" or "factory"), then deterministic filler bytes (NULs and CR LF
// included) up to `size` bytes. A blob never ends up shorter than its header.
std::string MakeSettingsBlob(const std::string& profile, const std::string& password, std::size_t size);
// The admin password recorded in a settings file, if it is one of ours.
std::optional<std::string> PasswordInSettings(const std::string& blob);

}  // namespace testsupport
