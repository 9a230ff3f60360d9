#pragma once
// Reading picture files into 24-bit colour images.

#include <QImage>
#include <QString>

namespace tg {

// Pictures larger than this many pixels are refused instead of read.
inline constexpr qint64 MaxPicturePixels = 400'000'000;

struct PictureLoad {
    QImage Image;   // Format_RGB888 when the load succeeded
    QSize FullSize; // the picture's upright size before any reduced-scale decoding
    QString Error;  // empty when the load succeeded
    bool Ok() const { return Error.isEmpty(); }
};

// Reads the first frame of a picture file, turned upright by its orientation
// tag, as Format_RGB888 with transparent areas composited on white.
// With targetWidth > 0 the reader may decode at a reduced scale (JPEG) as long
// as the result stays at least as wide as targetWidth.
PictureLoad LoadPicture(const QString& path, int targetWidth = 0);

// Any image as Format_RGB888, transparency composited on white.
QImage ToRgb888OnWhite(const QImage& image);

} // namespace tg
