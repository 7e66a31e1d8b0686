// The compiled-in product profile: what ties this program to one router
// model and one firmware image.
#pragma once

namespace ProductProfile {
inline constexpr const char* RouterModel = "WRX-270";
inline constexpr const char* InstallerVersion = "3.06";
inline constexpr const char* TargetFirmwareVersion = "3.6";
inline constexpr const char* FirmwareFileName = "WRX-270C2_FW306B01.bin";
inline constexpr const char* FirmwareResourceName = "FIRMWARE_BINARY";
inline constexpr const char* SettingsFileName = "SaveRouterSettings.gws";
inline constexpr const char* UpgradeSucceededText =
    "Congratulations! You have successfully upgraded the firmware on your router.";
inline constexpr const char* AlreadyCurrentText =
    "Congratulations! This router now contains the most current firmware.";
inline constexpr const char* RetryAdviceText =
    "You may close this installer and try running it again or use the web interface of your router to "
    "perform the upgrade.";
inline constexpr const char* ManualUpgradeText =
    "It cannot be updated automatically. Go to the following website and update the firmware manually.";
inline constexpr int UsernameRowShift = 27;
// The maker's product-support page for the target model.
inline constexpr const char* SupportPageUrl =
    "http://support.norvo.example/products/view.asp?productid=WRX%2D270%5FrevC";
inline constexpr const char* SupportSiteUrl = "http://support.norvo.example/products";
}  // namespace ProductProfile
