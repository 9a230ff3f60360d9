#include "output/ArtDocument.h"

#include "common/AppError.h"

#include <algorithm>
#include <cmath>

namespace tg {

QImage ArtBitmap(const ArtDocument& document) {
    const int fontSize = std::max(1, document.Font.pointSize());
    const double pitch = CellPitch(fontSize);
    const int width = std::max(1, int(std::ceil(pitch * document.Work.width())));
    const int height = std::max(1, int(std::ceil(pitch * document.Work.height())));
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull())
        throw AppError(QStringLiteral("Cannot save image: out of memory"));
    if (document.Art == nullptr) {
        bitmap.fill(document.Back);
        return bitmap;
    }
    GlyphCache glyphs(document.Font);
    DrawArt(bitmap, document.Work, *document.Art, glyphs, pitch, document.Back);
    return bitmap;
}

} // namespace tg
