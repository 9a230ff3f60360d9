#pragma once
// Reading picture files into 24-bit colour images.

#include <QImage>
#include <QString>
#include <functional>

class QIODevice;

namespace tg {

// Pictures larger than this many pixels are refused instead of read.
inline constexpr qint64 MaxPicturePixels = 400'000'000;

// Sets the image readers' process-wide allocation limit to what the largest
// picture accepted needs. Called once at the start of every program.
void SetImageAllocationLimit();

struct PictureLoad {
    QImage Image;   // Format_RGB888 when the load succeeded
    QSize FullSize; // the picture's upright size before any reduced-scale decoding
    QString Error;  // empty when the load succeeded
    bool Ok() const { return Error.isEmpty(); }
};

struct PictureRequest {
    // > 0: the reader may decode at a reduced scale (JPEG) as long as the
    // result stays at least as wide as this.
    int TargetWidth = 0;
    // Asked with the picture's upright size before any pixel is decoded (and
    // with the decoded size when the file's header gave none or another): a
    // non-empty text refuses the picture with that text as the error.
    std::function<QString(QSize)> Refusal;
};

// Reads the first frame of a picture, turned upright by its orientation tag,
// as Format_RGB888 with transparent areas composited on white. name is the
// file name shown in messages; its extension hints at the format, which is
// otherwise told from the content.
PictureLoad LoadPicture(QIODevice& device, const QString& name, const PictureRequest& request);
// The same for a picture file.
PictureLoad LoadPicture(const QString& path, const PictureRequest& request);
PictureLoad LoadPicture(const QString& path, int targetWidth = 0);

// Any image as Format_RGB888, transparency composited on white; null when it
// cannot be allocated.
QImage ToRgb888OnWhite(const QImage& image);

} // namespace tg
