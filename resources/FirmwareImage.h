// The firmware image that travels inside the program.
#pragma once

#include <QByteArray>

namespace FirmwareImage {
// The embedded image's bytes, checked against the SHA-256 recorded at build
// time. Throws Exception when the image is missing or damaged.
QByteArray Load();
}  // namespace FirmwareImage
