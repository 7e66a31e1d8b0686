#include "wizard/Pictures.h"

#include "base/Exception.h"
#include "wizard/JpegImage.h"

#include <QFile>

namespace {

QImage ReadImage(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception("Picture " + name.toStdString() + " is missing");
    const QByteArray data = file.readAll();
    if (name.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        return DecodeJpeg(data);
    QImage image = QImage::fromData(data);
    if (image.isNull())
        throw Exception("Picture " + name.toStdString() + " is damaged");
    return image;
}

}  // namespace

QString DoubleSizeName(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const int slash = name.lastIndexOf(QLatin1Char('/'));
    if (dot <= slash)
        return name + QLatin1String("@2x");
    return name.left(dot) + QLatin1String("@2x") + name.mid(dot);
}

QPixmap DoubleSizePicture(const QImage& image2x, qreal ratio)
{
    QImage image = image2x;
    if (ratio != 2) {
        const QSize onScreen = (QSizeF(image2x.size()) / 2 * ratio).toSize();
        image = image2x.scaled(onScreen, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    image.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(image);
}

QPixmap LoadPicture(const QString& name, qreal ratio)
{
    if (ratio > 1)
        return DoubleSizePicture(ReadImage(DoubleSizeName(name)), ratio);
    return QPixmap::fromImage(ReadImage(name));
}
