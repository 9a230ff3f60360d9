#pragma once
// One picture on its way to characters: the picture with its flips and turns,
// the working size, the adjustment and the symbols, and the working image and
// text they give. The Image page and the converter drive the same operations.

#include "common/AppError.h"
#include "convert/Adjust.h"
#include "convert/Geometry.h"
#include "convert/Render.h"
#include "convert/Resample.h"
#include "convert/Symbols.h"

#include <QImage>
#include <QSize>
#include <optional>

namespace tg {

// A take, a width or a turn that would make a working image beyond the
// largest (convert/WorkLimit.h); the session stays as it was.
class WorkSizeRefused : public AppError {
public:
    using AppError::AppError;
};

// The range of the working width, and its width before any picture.
inline constexpr int MinArtWidth = 10, MaxArtWidth = 300, DefaultArtWidth = 60;

class ArtSession {
public:
    // Replaces the picture (an image of any format; it becomes RGB888) and
    // sets the width to the given one, or without one to the picture's,
    // clamped to the range. fullSize is the picture's own size where the
    // image was decoded at a reduced scale; the working size follows it. The
    // adjustment and the symbols stay.
    void TakePicture(QImage picture, QSize fullSize = QSize(), int width = 0);
    // Why a picture of this size cannot be taken at that width (its working
    // image would be too large); empty when it can. Asked before the picture
    // is decoded.
    static QString TakeRefusal(QSize pictureSize, int width = 0);
    // The working width; the height follows the picture's proportions. The
    // width is clamped to the range.
    void SetWidth(int width);
    void Flip(FlipDirection direction);
    // Turns by degrees, positive counter-clockwise: quarter turns swap the
    // working size, other angles enlarge it as they enlarge the picture.
    // Throws AppError "Out of memory" when the turned picture would exceed the
    // largest picture accepted, changing nothing. Every operation that changes
    // the working size throws WorkSizeRefused, changing nothing, when the
    // working image would exceed the largest.
    void Turn(double degrees);
    void SetAdjustment(const Adjustment& adjustment);
    void SetSymbols(const SymbolChoice& symbols);

    bool HasPicture() const { return !Pyramid.IsEmpty(); }
    // The picture with every flip and turn applied, with its halved copies.
    const ImagePyramid& Picture() const { return Pyramid; }
    int ArtWidth() const { return Width; }
    // Empty before the first picture.
    QSize WorkSize() const { return Work; }
    const Adjustment& Adjust() const { return Values; }
    const SymbolChoice& Symbols() const { return Choice; }

    // The working image: the picture resampled to WorkSize and adjusted
    // (RGB888); null before the first picture.
    const QImage& WorkImage() const;
    // Its text with the current symbols.
    ArtText Render() const;
    // The adjusted picture at a level at least as large as size, for a view.
    QImage Preview(QSize size) const;

private:
    // Every change of the working size is decided here, before the picture
    // changes: the size that a take, a width or a turn asks for, as the
    // working image will have it.
    QSize DecideWorkSize(QSize proposed) const;
    // The working size a picture of this size is taken with.
    static QSize TakeWorkSize(QSize pictureSize, int width);
    // Installs a new picture and working size.
    void Replace(QImage picture, QSize pictureSize, QSize workSize);

    ImagePyramid Pyramid;
    QSize PictureSize; // the picture's own size, turned with it
    int Width = DefaultArtWidth;
    QSize Work;
    Adjustment Values;
    SymbolChoice Choice;
    mutable std::optional<QImage> WorkCache;
};

} // namespace tg
