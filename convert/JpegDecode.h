#pragma once
// Decoding JPEG files straight into the working format.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace tg {

struct JpegDecode {
    QImage Image;  // Format_RGB888, as stored (not yet turned upright)
    QString Error; // why the file could not be decoded; empty when it was
};

// Decodes the JPEG file's bytes into an RGB888 image at 1/scale of its size (scale
// 1, 2, 4 or 8) through libjpeg, with no intermediate 32-bit image. Nothing
// for a file it leaves to Qt's reader (CMYK pictures).
std::optional<JpegDecode> DecodeJpeg(const QByteArray& bytes, int scale);

} // namespace tg
