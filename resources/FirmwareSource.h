// Where the firmware image for sending or saving comes from, and the rule
// that keeps a build's placeholder image away from real routers: it is
// handed out only when the command line allowed it
// (--allow-placeholder-firmware), for simulated routers.
#pragma once

#include <QByteArray>

#include <functional>

class TFirmwareSource {
public:
    // The image embedded in the program.
    explicit TFirmwareSource(bool allowPlaceholder = false);

    // The image for sending or saving. Throws when it is missing or damaged,
    // or when it is the placeholder and that is not allowed.
    QByteArray Load() const;

    // The image's bytes, checked for damage; throws when missing or damaged.
    // Tests replace it.
    std::function<QByteArray()> LoadImage;
    // Whether the image is the build's placeholder rather than real firmware.
    std::function<bool()> IsPlaceholder;
    // Whether Load may hand out the placeholder.
    bool AllowPlaceholder = false;
};
