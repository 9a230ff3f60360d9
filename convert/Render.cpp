#include "convert/Render.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>

namespace tg {

namespace {

int LevelStepOf(int symbolCount) {
    // More than 255 symbols would give a band of width 0: each of the first
    // symbols then serves one gray level.
    return std::max(1, 255 / symbolCount);
}

int PickIndex(int gray, int symbolCount) {
    int index = gray / LevelStepOf(symbolCount);
    if (index == 0)
        index = 1;
    if (index > symbolCount)
        index = symbolCount;
    return index;
}

QString CharAt(const QString& text, int index) {
    if (index < 1 || index > text.size())
        return {};
    return QString(text[index - 1]);
}

} // namespace

void PickSymbol(PickState& s) {
    if (s.SymbolCount == 0)
        s.SymbolCount = 1;
    s.PixelGray = (s.PixelR + s.PixelG + s.PixelB) / 3;
    s.LevelStep = LevelStepOf(s.SymbolCount);
    s.SymbolIndex = PickIndex(s.PixelGray, s.SymbolCount);
    s.CurrentSymbol = CharAt(s.SymbolString, s.SymbolIndex);
    s.SecondSymbol = s.CurrentSymbol;
}

ArtText RenderArtText(const QImage& work, const QString& symbolString, bool sentence) {
    ArtText art;
    PickState& s = art.Last;
    s.SymbolString = symbolString;
    s.SymbolCount = int(symbolString.size());
    s.SymbolIndex = 1;
    if (work.isNull())
        return art;
    const QImage image =
        work.format() == QImage::Format_RGB888 ? work : work.convertToFormat(QImage::Format_RGB888);
    art.Width = image.width();
    art.Height = image.height();
    art.Cells.resize(size_t(art.Width) * art.Height);
    art.Lines.reserve(art.Height);

    // The brightness pick depends on the gray value alone: one table per render.
    std::array<ArtCell, 256> table{};
    if (!sentence) {
        const int count = std::max(1, s.SymbolCount);
        for (int gray = 0; gray < 256; ++gray) {
            const int index = PickIndex(gray, count);
            if (index <= symbolString.size()) {
                const QChar ch = symbolString[index - 1];
                table[gray] = {ch, ch, 2};
            }
        }
    }
    const QChar blank(QLatin1Char(' '));
    int index = 1;
    for (int y = 0; y < art.Height; ++y) {
        const uchar* row = image.constScanLine(y);
        QString line;
        line.reserve(2 * art.Width);
        for (int x = 0; x < art.Width; ++x) {
            const int gray = (row[3 * x] + row[3 * x + 1] + row[3 * x + 2]) / 3;
            ArtCell cell;
            if (!sentence) {
                cell = table[gray];
            } else if (gray >= 255) {
                cell = {blank, blank, 2};
            } else {
                if (index >= 1 && index <= symbolString.size())
                    cell = {symbolString[index - 1], blank, 2};
                else
                    cell = {blank, QChar(), 1};
                index = index == s.SymbolCount ? 1 : index + 1;
            }
            art.Cells[size_t(y) * art.Width + x] = cell;
            if (cell.Length > 0)
                line.append(cell.First);
            if (cell.Length > 1)
                line.append(cell.Second);
        }
        art.Lines.append(line);
    }

    // Leave the working values as the last pixel left them.
    const uchar* last = image.constScanLine(art.Height - 1) + 3 * (art.Width - 1);
    s.PixelR = last[0];
    s.PixelG = last[1];
    s.PixelB = last[2];
    if (!sentence) {
        PickSymbol(s);
    } else {
        s.PixelGray = (s.PixelR + s.PixelG + s.PixelB) / 3;
        const ArtCell& cell = art.Cells.back();
        s.CurrentSymbol = cell.Length == 2 ? QString(cell.First) : QString();
        s.SecondSymbol = QStringLiteral(" ");
        s.SymbolIndex = index;
    }
    return art;
}

QFont RenderingPixelFont(const QFont& font) {
    QFont pixelFont = font;
    if (font.pointSizeF() > 0)
        pixelFont.setPixelSize(std::max(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    pixelFont.setStyleStrategy(QFont::PreferAntialias);
    return pixelFont;
}

int FontPoints(const QFont& font) {
    const double points =
        font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    return std::max(1, int(std::lround(points)));
}

GlyphCache::GlyphCache(const QFont& font) : CacheFont(RenderingPixelFont(font)) {}

const QImage& GlyphCache::Mask(const QString& text) {
    auto found = Masks.find(text);
    if (found != Masks.end())
        return *found;
    const QFontMetrics metrics(CacheFont);
    const int width = std::max(1, metrics.horizontalAdvance(text));
    const int height = std::max(1, metrics.height());
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setFont(CacheFont);
    painter.setPen(Qt::white);
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    return *Masks.insert(text, canvas.convertToFormat(QImage::Format_Alpha8));
}

QSize ArtExtent(int width, int height, double pitch, GlyphCache& glyphs) {
    if (width <= 0 || height <= 0)
        return {0, 0};
    const QSize cell = glyphs.Mask(QStringLiteral("WW")).size();
    return {std::max(CellPosition(pitch, width), CellPosition(pitch, width - 1) + cell.width()),
            std::max(CellPosition(pitch, height), CellPosition(pitch, height - 1) + cell.height())};
}

void DrawArt(QImage& bitmap, const QImage& work, const ArtText& art, GlyphCache& glyphs,
             double pitch, QColor back, QPoint origin) {
    if (bitmap.format() != QImage::Format_RGB32)
        bitmap = bitmap.convertToFormat(QImage::Format_RGB32);
    bitmap.fill(back);
    if (art.Cells.empty() || bitmap.isNull())
        return;
    const QImage image =
        work.format() == QImage::Format_RGB888 ? work : work.convertToFormat(QImage::Format_RGB888);
    if (image.isNull())
        return;
    const int backR = back.red(), backG = back.green(), backB = back.blue();
    const int bw = bitmap.width(), bh = bitmap.height();
    // Cells that start before the origin reach into the bitmap by at most
    // their text extent; the first one that may is found from the pitch.
    const QSize reach = glyphs.Mask(QStringLiteral("WW")).size();
    const auto first = [pitch](int from, int extent) {
        return from <= 0 ? 0 : std::max(0, int((from - extent) / pitch) - 1);
    };
    const int x0 = first(origin.x(), reach.width()), y0 = first(origin.y(), reach.height());
    QString text;
    for (int y = y0; y < art.Height; ++y) {
        const int top = CellPosition(pitch, y) - origin.y();
        if (top >= bh)
            break;
        const uchar* row = image.constScanLine(y);
        for (int x = x0; x < art.Width; ++x) {
            const int left = CellPosition(pitch, x) - origin.x();
            if (left >= bw)
                break;
            const ArtCell& cell = art.Cells[size_t(y) * art.Width + x];
            if (cell.Length == 0)
                continue;
            text.resize(cell.Length);
            text[0] = cell.First;
            if (cell.Length > 1)
                text[1] = cell.Second;
            const QImage& mask = glyphs.Mask(text);
            const int r = row[3 * x], g = row[3 * x + 1], b = row[3 * x + 2];
            // The part of the mask inside the bitmap.
            const int skipRows = std::max(0, -top), skipCols = std::max(0, -left);
            const int rows = std::min(mask.height(), bh - top);
            const int cols = std::min(mask.width(), bw - left);
            for (int my = skipRows; my < rows; ++my) {
                const uchar* m = mask.constScanLine(my);
                QRgb* d = reinterpret_cast<QRgb*>(bitmap.scanLine(top + my)) + left;
                for (int mx = skipCols; mx < cols; ++mx) {
                    const int a = m[mx];
                    d[mx] = qRgb((backR * (255 - a) + r * a + 127) / 255,
                                 (backG * (255 - a) + g * a + 127) / 255,
                                 (backB * (255 - a) + b * a + 127) / 255);
                }
            }
        }
    }
}

} // namespace tg
