#include "resources/FirmwareImage.h"

#include "base/Exception.h"

#include "FirmwareDigest.h"

#include <QCryptographicHash>
#include <QFile>

namespace FirmwareImage {

const char* const ResourcePath = ":/FIRMWARE_BINARY";
const char* const RecordedSha256 = NORVO_FIRMWARE_SHA256;
const bool IsPlaceholder = NORVO_FIRMWARE_IS_PLACEHOLDER != 0;

QByteArray LoadVerified(const QString& path, const QByteArray& sha256Hex)
{
    QFile image(path);
    if (!image.open(QIODevice::ReadOnly))
        throw Exception("The firmware image is missing from this installer.");
    const QByteArray bytes = image.readAll();
    const QByteArray digest = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
    if (image.error() != QFileDevice::NoError || digest != sha256Hex.toLower())
        throw Exception("The firmware image in this installer is damaged.");
    return bytes;
}

QByteArray Load() { return LoadVerified(QString::fromLatin1(ResourcePath), QByteArray(RecordedSha256)); }

}  // namespace FirmwareImage
