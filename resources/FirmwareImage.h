// The firmware image that travels inside the program.
#pragma once

#include <QByteArray>
#include <QString>

namespace FirmwareImage {
// Where the image lives among the program's Qt resources.
extern const char* const ResourcePath;
// The image's SHA-256 as recorded by the build (lower-case hex).
extern const char* const RecordedSha256;
// True when the build generated a placeholder because no real image was
// given (FIRMWARE_IMAGE): it is for simulated routers only.
extern const bool IsPlaceholder;

// The embedded image's bytes, checked against the SHA-256 recorded at build
// time. Throws Exception when the image is missing or damaged.
QByteArray Load();

// The bytes of the file at path, checked against the given SHA-256 (hex).
// Throws Exception when the file cannot be read or its digest differs.
QByteArray LoadVerified(const QString& path, const QByteArray& sha256Hex);
}  // namespace FirmwareImage
