#include "resources/FirmwareSource.h"

#include "base/Exception.h"
#include "resources/FirmwareImage.h"

TFirmwareSource::TFirmwareSource(bool allowPlaceholder)
    : LoadImage([] { return FirmwareImage::Load(); }),
      IsPlaceholder([] { return FirmwareImage::IsPlaceholder; }),
      AllowPlaceholder(allowPlaceholder)
{
}

QByteArray TFirmwareSource::Load() const
{
    QByteArray image = LoadImage();
    if (IsPlaceholder() && !AllowPlaceholder)
        throw Exception("This installer carries a placeholder image, not firmware for a router.");
    return image;
}
