#include "convert/Picture.h"

#include "convert/Geometry.h"
#include "convert/ImageMemory.h"
#include "convert/JpegDecode.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <algorithm>

namespace tg {

void SetImageAllocationLimit() {
    // Four bytes a pixel for the largest picture accepted, plus headroom.
    QImageReader::setAllocationLimit(int(MaxPicturePixels * 8 / (1024 * 1024)));
}

namespace {

// Whether a Targa file is long enough for the pixels its header claims: the
// reader walks every pixel of that size even past the end of a short file,
// which takes minutes for a few dozen bytes.
bool TargaHoldsItsPixels(QIODevice& device, QSize size) {
    if (device.isSequential())
        return true;
    const QByteArray header = device.peek(18);
    if (header.size() < 18)
        return false;
    const auto byte = [&](int i) { return qint64(uchar(header[i])); };
    const qint64 bytesPerPixel = std::max<qint64>(1, (byte(16) + 7) / 8);
    const qint64 palette = byte(1) != 0 ? (byte(5) | byte(6) << 8) * ((byte(7) + 7) / 8) : 0;
    qint64 available = device.size() - 18 - byte(0) - palette;
    const qint64 start = device.pos();
    if (device.seek(start + device.size() - 18)) {
        if (device.peek(18) == QByteArray("TRUEVISION-XFILE.\0", 18))
            available -= 26; // the footer
        device.seek(start);
    }
    const qint64 pixels = qint64(size.width()) * size.height();
    // Run-length packets hold at most 128 pixels, each with a byte of its own.
    const qint64 needed =
        (byte(2) & 8) != 0 ? (pixels + 127) / 128 * (1 + bytesPerPixel) : pixels * bytesPerPixel;
    return available >= needed;
}

} // namespace

QImage ToRgb888OnWhite(const QImage& image) {
    if (image.isNull())
        return {};
    if (image.format() == QImage::Format_RGB888)
        return image;
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB888);
    QImage flat = NewRgb888(image.width(), image.height());
    if (flat.isNull())
        return flat;
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

PictureLoad LoadPicture(QIODevice& device, const QString& name, const PictureRequest& request) {
    const auto failure = [&](const QString& why) {
        PictureLoad result;
        result.Error = why.isEmpty() ? QStringLiteral("Cannot read picture %1").arg(name)
                                     : QStringLiteral("Cannot read picture %1: %2").arg(name, why);
        return result;
    };
    const auto refused = [](const QString& why) {
        PictureLoad result;
        result.Error = why;
        return result;
    };
    // The extension is a hint: a file whose content is of another kind is
    // read by its content, as a file name would be.
    QImageReader reader(&device, QFileInfo(name).suffix().toLower().toLatin1());
    if (!reader.format().isEmpty() && !reader.canRead()) {
        reader.setDevice(nullptr);
        if (device.isOpen() && !device.isSequential())
            device.seek(0);
        reader.setFormat(QByteArray());
        reader.setDevice(&device);
    }
    reader.setAutoTransform(true);
    if (!reader.canRead())
        return failure(QString());
    const QByteArray format = reader.format();
    const bool jpeg = format == "jpeg" || format == "jpg" || format == "jpe" || format == "jfif";
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > MaxPicturePixels)
        return failure(
            QStringLiteral("%1x%2 pixels is too large").arg(size.width()).arg(size.height()));
    if (size.isValid() && format == "tga" && !TargaHoldsItsPixels(device, size))
        return failure(QStringLiteral("the file is too short for its pixels"));
    QSize checked;
    if (size.isValid() && request.Refusal) {
        checked = reader.transformation() & QImageIOHandler::TransformationRotate90
                      ? size.transposed()
                      : size;
        if (const QString why = request.Refusal(checked); !why.isEmpty())
            return refused(why);
    }
    int denom = 1;
    if (request.TargetWidth > 0 && size.isValid() && jpeg) {
        // libjpeg decodes at 1/2, 1/4 or 1/8 in a fraction of the time; the
        // reduction stays at least as wide as the target.
        while (denom < 8 && size.width() / (denom * 2) >= request.TargetWidth)
            denom *= 2;
    }
    if (jpeg) {
        // Straight into RGB888: Qt's reader would make a 32-bit image first
        // and the conversion would cost more than the decoding.
        if (!device.isOpen() && !device.open(QIODevice::ReadOnly))
            return failure(QString());
        device.seek(0);
        const QByteArray bytes = device.readAll();
        if (std::optional<JpegDecode> decoded = DecodeJpeg(bytes, denom)) {
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
        // Left to Qt's reader, which reads the file again from its start.
        device.seek(0);
        reader.setDevice(nullptr);
        reader.setDevice(&device);
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
    // A header that gave no size, or another one than the pixels have.
    if (request.Refusal && result.FullSize != checked) {
        if (const QString why = request.Refusal(result.FullSize); !why.isEmpty())
            return refused(why);
    }
    result.Image = ToRgb888OnWhite(image);
    if (result.Image.isNull())
        return failure(QString());
    return result;
}

PictureLoad LoadPicture(const QString& path, const PictureRequest& request) {
    // The reader opens the file; one it cannot open is reported as unreadable.
    QFile file(path);
    return LoadPicture(file, QFileInfo(path).fileName(), request);
}

PictureLoad LoadPicture(const QString& path, int targetWidth) {
    PictureRequest request;
    request.TargetWidth = targetWidth;
    return LoadPicture(path, request);
}

} // namespace tg
