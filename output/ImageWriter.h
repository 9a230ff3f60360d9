#pragma once
// Raster images of the converted picture: BMP, JPEG, PNG and the other
// formats Qt writes, and GIF through giflib.

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tg {

// The encoder for a path, chosen by its lower-cased extension: "jpeg" for
// ".jpg", ".jpeg", ".jpe" and ".jif", "gif" for ".gif", and otherwise the
// extension itself when Qt writes that format. Empty when the path has no
// extension or one that no encoder knows.
QByteArray ImageFormatFor(const QString& path);

// The image encoded in the format (a name ImageFormatFor gives); empty when
// the encoder fails.
QByteArray EncodeImage(const QImage& image, const QByteArray& format);

// GIF: at most 256 colours; an image with more is reduced by median cut over
// its colours weighted by their frequency, each pixel taking the nearest
// palette colour, after a few rounds that move every palette colour to the
// mean of the colours it serves.
QByteArray EncodeGif(const QImage& image);

// Writes the image to path in the format its extension names, replacing the
// file atomically. Throws AppError "Cannot save image: unknown file type" when
// the extension names no format (nothing is written), and "Cannot create file
// %s" when the file cannot be written.
void SaveImage(const QImage& image, const QString& path);

} // namespace tg
