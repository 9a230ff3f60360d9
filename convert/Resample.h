#pragma once
// Resampling the picture into the working image.

#include <QImage>
#include <vector>

namespace tg {

// Height of the working image for a picture of w x h at the given width:
// width * h div w, at least 1 and at most the largest int.
int WorkHeight(int width, int pictureWidth, int pictureHeight);

// Linear resampling of an RGB888 image to w x h; the identity when the size
// does not change; null when the result cannot be allocated.
QImage ResampleLinear(const QImage& source, int width, int height);

// The picture with a chain of halved copies, so that a small working image is
// made from a level close to its size: each resample costs in proportion to
// the target, not to the picture, and heavy reductions do not alias.
class ImagePyramid {
public:
    ImagePyramid() = default;
    explicit ImagePyramid(QImage picture);

    bool IsEmpty() const { return Levels.empty() || Levels.front().isNull(); }
    const QImage& Picture() const;
    int Width() const { return IsEmpty() ? 0 : Levels.front().width(); }
    int Height() const { return IsEmpty() ? 0 : Levels.front().height(); }

    // The picture resampled to width x height, by default WorkHeight of the
    // width; null when empty.
    QImage Resample(int width, int height = 0) const;
    // The smallest stored level at least as large as size in both directions
    // (the picture itself when none is smaller): a cheap source for previews.
    const QImage& LevelAtLeast(QSize size) const;

private:
    std::vector<QImage> Levels; // level 0 is the picture itself
};

// An RGB888 image at half the size, each pixel the mean of a 2 x 2 block.
QImage HalveImage(const QImage& source);

} // namespace tg
