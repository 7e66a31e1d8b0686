// The window's pictures drawn sharp on screens that scale: above a device
// pixel ratio of 1 the picture's twice-as-large variant (name@2x.ext) is
// used, so nothing is a 1x picture blown up.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>

// "dir/name.ext" -> "dir/name@2x.ext".
QString DoubleSizeName(const QString& name);

// The @2x image as a picture for a screen of the given device pixel ratio
// (above 1), the same size on screen as its 1x picture: as it is at ratio 2,
// smoothly rescaled at any other, with the ratio set.
QPixmap DoubleSizePicture(const QImage& image2x, qreal ratio);

// Loads resource name (a JPEG through libjpeg, anything else through Qt)
// for ratio; reads the @2x variant only when the ratio asks for it. Throws
// Exception when a picture is missing or damaged.
QPixmap LoadPicture(const QString& name, qreal ratio);
