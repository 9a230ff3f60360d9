#include "convert/Picture.h"

#include "convert/Geometry.h"
#include "convert/JpegDecode.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace tg {

QImage ToRgb888OnWhite(const QImage& image) {
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_RGB888)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage flat(image.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, image);
    painter.end();
    return flat;
}

namespace {

// The image turned upright by its orientation tag, as Qt's reader turns it:
// mirrored and flipped first, then turned a quarter clockwise.
QImage Upright(QImage image, QImageIOHandler::Transformations orientation) {
    if (orientation == QImageIOHandler::TransformationNone || image.isNull())
        return image;
    if (orientation == QImageIOHandler::TransformationRotate270)
        return Rotated(image, 90);
    if (orientation & QImageIOHandler::TransformationMirror)
        image = Flipped(image, FlipDirection::Horizontal);
    if (orientation & QImageIOHandler::TransformationFlip)
        image = Flipped(image, FlipDirection::Vertical);
    if (orientation & QImageIOHandler::TransformationRotate90)
        image = Rotated(image, -90);
    return image;
}

} // namespace

PictureLoad LoadPicture(const QString& path, int targetWidth) {
    const QString name = QFileInfo(path).fileName();
    const auto failure = [&](const QString& why) {
        PictureLoad result;
        result.Error = why.isEmpty() ? QStringLiteral("Cannot read picture %1").arg(name)
                                     : QStringLiteral("Cannot read picture %1: %2").arg(name, why);
        return result;
    };
    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(QString());
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        return failure(
            QStringLiteral("%1x%2 pixels is too large").arg(size.width()).arg(size.height()));
    // Four bytes a pixel for the largest picture accepted, plus headroom.
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 8 / (1024 * 1024)));
    const bool jpeg = size.isValid() && reader.format() == "jpeg";
    int denom = 1;
    if (targetWidth > 0 && jpeg) {
        // libjpeg decodes at 1/2, 1/4 or 1/8 in a fraction of the time; the
        // reduction stays at least as wide as the target.
        while (denom < 8 && size.width() / (denom * 2) >= targetWidth)
            denom *= 2;
    }
    if (jpeg) {
        // Straight into RGB888: Qt's reader would make a 32-bit image first
        // and the conversion would cost more than the decoding.
        if (std::optional<JpegDecode> decoded = DecodeJpeg(path, denom)) {
            if (decoded->Image.isNull())
                return failure(QString());
            PictureLoad result;
            result.Image = Upright(std::move(decoded->Image), reader.transformation());
            result.FullSize = size;
            if (reader.transformation() & QImageIOHandler::TransformationRotate90)
                result.FullSize.transpose();
            if (result.Image.isNull())
                return failure(QStringLiteral("out of memory"));
            return result;
        }
    }
    if (denom > 1)
        reader.setScaledSize(
            QSize((size.width() + denom - 1) / denom, (size.height() + denom - 1) / denom));
    // A picture whose header reads but whose pixels do not is as unreadable
    // as any other: one message for all.
    QImage image = reader.read();
    if (image.isNull())
        return failure(QString());
    PictureLoad result;
    result.FullSize = image.size();
    if (reader.scaledSize().isValid()) {
        result.FullSize = size;
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            result.FullSize.transpose();
    }
    result.Image = ToRgb888OnWhite(image);
    if (result.Image.isNull())
        return failure(QString());
    return result;
}

} // namespace tg
