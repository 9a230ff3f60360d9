#include "convert/ArtSession.h"

#include "common/AppError.h"
#include "convert/Geometry.h"
#include "convert/Picture.h"
#include "convert/WorkLimit.h"

#include <algorithm>

namespace tg {

QSize ArtSession::DecideWorkSize(QSize proposed) const {
    const QSize size(std::max(1, proposed.width()), std::max(1, proposed.height()));
    if (const QString refusal = WorkSizeRefusal(size); !refusal.isEmpty())
        throw WorkSizeRefused(refusal);
    return size;
}

void ArtSession::Replace(QImage picture, QSize pictureSize, QSize workSize) {
    if (picture.isNull())
        throw AppError(QStringLiteral("Out of memory"));
    Pyramid = ImagePyramid(std::move(picture));
    PictureSize = pictureSize;
    Work = workSize;
    WorkCache.reset();
}

void ArtSession::TakePicture(QImage picture, QSize fullSize, int width) {
    if (picture.isNull())
        return;
    if (picture.format() != QImage::Format_RGB888)
        picture = ToRgb888OnWhite(picture);
    if (fullSize.isEmpty())
        fullSize = picture.size();
    const QSize work = DecideWorkSize(TakeWorkSize(fullSize, width));
    Replace(std::move(picture), fullSize, work);
    Width = work.width();
}

QSize ArtSession::TakeWorkSize(QSize pictureSize, int width) {
    width = std::clamp(width > 0 ? width : pictureSize.width(), MinArtWidth, MaxArtWidth);
    return QSize(width, WorkHeight(width, pictureSize.width(), pictureSize.height()));
}

QString ArtSession::TakeRefusal(QSize pictureSize, int width) {
    return WorkSizeRefusal(TakeWorkSize(pictureSize, width));
}

void ArtSession::SetWidth(int width) {
    width = std::clamp(width, MinArtWidth, MaxArtWidth);
    if (!HasPicture()) {
        Width = width;
        return;
    }
    const QSize work =
        DecideWorkSize(QSize(width, WorkHeight(width, PictureSize.width(), PictureSize.height())));
    Width = width;
    Work = work;
    WorkCache.reset();
}

void ArtSession::Flip(FlipDirection direction) {
    if (HasPicture())
        Replace(Flipped(Pyramid.Picture(), direction), PictureSize, Work);
}

void ArtSession::Turn(double degrees) {
    if (!HasPicture())
        return;
    // A picture beyond the largest accepted is refused, not made.
    if (!TurnFits(Pyramid.Picture().size(), degrees))
        throw AppError(QStringLiteral("Out of memory"));
    const QSize work = DecideWorkSize(RotatedSize(Work, degrees));
    Replace(Rotated(Pyramid.Picture(), degrees), RotatedSize(PictureSize, degrees), work);
}

void ArtSession::SetAdjustment(const Adjustment& adjustment) {
    if (adjustment == Values)
        return;
    Values = adjustment;
    WorkCache.reset();
}

void ArtSession::SetSymbols(const SymbolChoice& symbols) {
    Choice = symbols;
}

const QImage& ArtSession::WorkImage() const {
    if (!WorkCache) {
        WorkCache = HasPicture() ? Adjusted(Pyramid.Resample(Work.width(), Work.height()), Values)
                                 : QImage();
    }
    return *WorkCache;
}

ArtText ArtSession::Render() const {
    return RenderArtText(WorkImage(), Choice.SymbolString(), Choice.SentenceStep());
}

QImage ArtSession::Preview(QSize size) const {
    if (!HasPicture())
        return {};
    return Adjusted(Pyramid.LevelAtLeast(size), Values);
}

} // namespace tg
