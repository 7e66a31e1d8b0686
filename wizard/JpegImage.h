// Decodes a JPEG picture with libjpeg itself, so that a picture of the
// window can never go missing silently for want of an image plugin.
#pragma once

#include <QByteArray>
#include <QImage>

// Throws Exception with libjpeg's message when the data is no valid JPEG.
QImage DecodeJpeg(const QByteArray& data);
