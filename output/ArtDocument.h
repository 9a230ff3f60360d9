#pragma once
// The documents of a converted picture outside the window, as the window's
// Save command writes them: the shared entry of the converter.

#include "convert/Render.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

namespace tg {

// The format names: html, txt, rtf, bmp, jpg, gif, png.
const QStringList& ArtFormats();
// The format a path's extension names: html for ".htm" and ".html", txt, rtf,
// and for an image the encoder Qt or giflib has for it; empty for none.
QString ArtFormatForPath(const QString& path);

struct ArtDocument {
    QImage Work;                  // the working image
    const ArtText* Art = nullptr; // its text
    QColor Back = Qt::white;
    QFont Font = QFont(QStringLiteral("Courier New"), 8);
    QString Title;
};

// A bitmap that holds every cell of the art, drawn as the window draws it.
// Needs a QGuiApplication for the font.
QImage ArtBitmap(const ArtDocument& document);

// The file bytes of the document in the format; throws AppError for a format
// that no writer knows or an image that cannot be encoded.
QByteArray BuildArtDocument(const QString& format, const ArtDocument& document);

} // namespace tg
