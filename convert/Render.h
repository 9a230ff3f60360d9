#pragma once
// Turning the working image into characters: the symbol pick per pixel, the
// text lines and the drawn cells.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace tg {

// The working values of one pick, named as the window's fields.
struct PickState {
    QString SymbolString;
    int SymbolCount = 0;
    int SymbolIndex = 1; // 1-based
    int LevelStep = 0;
    int PixelR = 0, PixelG = 0, PixelB = 0;
    int PixelGray = 0;
    QString CurrentSymbol;
    QString SecondSymbol;
};

// Brightness pick for the pixel in state: the band of 255 div SymbolCount
// (at least 1) that holds the gray value, darkest symbol first.
void PickSymbol(PickState& state);

// One cell: the zero, one or two characters drawn for a pixel.
struct ArtCell {
    QChar First, Second;
    quint8 Length = 0;
};

struct ArtText {
    int Width = 0, Height = 0;
    std::vector<ArtCell> Cells; // row-major, Width x Height
    QStringList Lines;          // one per row, top first
    PickState Last;             // the state after the last pixel
};

// The text of the working image with the given symbols; sentence selects the
// sentence step instead of the brightness pick: each pixel takes the next
// character of the sentence and a blank, a pure white pixel two blanks
// without using up a character. The sentence position runs on from row to
// row and starts anew with every call.
ArtText RenderArtText(const QImage& work, const QString& symbolString, bool sentence);

// Distance of the cells across and down for a font size in points.
inline double CellPitch(int fontSize) {
    return fontSize * 1.6;
}
// Position of cell i: trunc(pitch * i).
inline int CellPosition(double pitch, int i) {
    return int(pitch * i);
}

// The glyph masks of cell texts in one font, laid out once and kept.
class GlyphCache {
public:
    explicit GlyphCache(const QFont& font);
    const QFont& Font() const { return CacheFont; }
    // Coverage of the text's extent, 0 to 255 a pixel (Format_Alpha8).
    const QImage& Mask(const QString& text);

private:
    QFont CacheFont;
    QHash<QString, QImage> Masks;
};

// The rendering font at start-up.
inline constexpr const char* DefaultFontFamily = "Courier New";
inline constexpr int DefaultFontSize = 8;
inline QFont DefaultRenderingFont() {
    return QFont(QString::fromLatin1(DefaultFontFamily), DefaultFontSize);
}

// The font at the pixel size of its point size on a 96 dpi surface.
QFont RenderingPixelFont(const QFont& font);
// The font's size in whole points, at least 1: its point size rounded, or
// its pixel size as points at 96 dpi for a font sized in pixels.
int FontPoints(const QFont& font);

// Fills bitmap with back and draws every cell that reaches into it: the
// cell's text extent in back, its glyphs in the colour of its pixel of work.
// Later cells paint over earlier ones where they overlap. The bitmap's
// top-left corner shows the art's pixel origin; at (0, 0) exactly the cells
// that start inside the bitmap are drawn.
void DrawArt(QImage& bitmap, const QImage& work, const ArtText& art, GlyphCache& glyphs,
             double pitch, QColor back, QPoint origin = QPoint(0, 0));

// The pixels the art of width x height cells covers: the cells at their
// pitch, the last ones with their whole text extent.
QSize ArtExtent(int width, int height, double pitch, GlyphCache& glyphs);

} // namespace tg
