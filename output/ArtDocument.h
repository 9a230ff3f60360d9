#pragma once
// What a document of a converted picture is made from, gathered by the window
// or the converter, and the bitmap of every cell.

#include "common/Product.h"
#include "convert/Render.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

namespace tg {

struct ArtDocument {
    QImage Work;                  // the working image, one cell a pixel
    QStringList Lines;            // the text rows, two characters a pixel
    const ArtText* Art = nullptr; // the cells, for drawing them anew; may be null
    QColor Back = Qt::white;
    bool BackGiven = false; // terminal text keeps the terminal's background unless given
    QFont Font = DefaultRenderingFont();
    QString Title;
    QString Caption = Product::Caption; // the generator and the credit
    QString Site = Product::Site;       // the credit link
    // The rows of the rich text, in its font and colour.
    QStringList RichRows;
    QFont RichFont = DefaultRenderingFont();
    QColor RichColor = Qt::black;
    // The picture as an image: null to draw every cell of Art anew.
    QImage Bitmap;
    // The image encoding (a name ImageFormatFor gives); empty for the type's own.
    QByteArray Encoder;
};

// A bitmap that holds every cell of the art, drawn as the window draws it.
// Needs a QGuiApplication for the font. Throws AppError when the bitmap cannot
// be allocated.
QImage ArtBitmap(const ArtDocument& document);

} // namespace tg
