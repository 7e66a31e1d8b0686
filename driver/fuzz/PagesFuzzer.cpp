// Feeds arbitrary bytes to the driver's page cutting as if they were the
// router's root page or login answer: firmware version, legacy key, salt and
// the login data built from that salt. Besides memory errors it traps on
// results that break the cutting rules.
#include "driver/Wrx310Pages.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool holds)
{
    if (!holds)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string page(reinterpret_cast<const char*>(data), size);

    const std::string version = Wrx310Page::FirmwareVersion(page);
    Check(version.size() <= page.size());
    Check(version == Wrx310Page::Trim(version));

    const std::string key = Wrx310Page::LegacyKey(page);
    Check(key.size() <= 3);
    if (Wrx310Page::IsLegacyKey(key))
        Check(page.find("<span id=\"fw_minor_head\">") != std::string::npos);

    const std::string salt = Wrx310Page::Salt(page);
    Check(page.find(salt) != std::string::npos);
    if (!salt.empty())
        Check(page.find("var salt = ") != std::string::npos);

    for (bool legacy : {false, true}) {
        for (bool retry : {false, true}) {
            const char pad = Wrx310Page::PadUnit(legacy, retry);
            const std::string hashed = Wrx310Page::LoginHashData(page, salt, pad);
            Check(hashed.size() == std::max<std::size_t>(64, salt.size() + 16));
            Check(hashed.compare(0, salt.size(), salt) == 0);
        }
    }
    Wrx310Page::IsLoginAccepted(page);
    Wrx310Page::AsksForRetry(page);
    return 0;
}
