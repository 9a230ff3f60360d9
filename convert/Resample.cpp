#include "convert/Resample.h"

#include "convert/ImageMemory.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tg {

int WorkHeight(int width, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0)
        return 1;
    const qint64 height = qint64(width) * pictureHeight / pictureWidth;
    return int(std::clamp<qint64>(height, 1, std::numeric_limits<int>::max()));
}

namespace {

struct Tap {
    int I0, I1;
    int W1; // weight of I1 in 1/256
};

// Sample positions at pixel centres, clamped to the edges.
std::vector<Tap> MakeTaps(int target, int source) {
    std::vector<Tap> taps(target);
    const double scale = double(source) / target;
    for (int i = 0; i < target; ++i) {
        double pos = (i + 0.5) * scale - 0.5;
        pos = std::clamp(pos, 0.0, double(source - 1));
        const int i0 = int(pos);
        const int i1 = std::min(i0 + 1, source - 1);
        const int w1 = int(std::lround((pos - i0) * 256));
        taps[i] = {i0, i1, w1};
    }
    return taps;
}

} // namespace

QImage ResampleLinear(const QImage& source, int width, int height) {
    if (source.isNull() || width <= 0 || height <= 0)
        return {};
    const QImage src = source.format() == QImage::Format_RGB888
                           ? source
                           : source.convertToFormat(QImage::Format_RGB888);
    if (src.isNull() || (src.width() == width && src.height() == height))
        return src;
    // Made before the taps, whose size follows it: a size that cannot be had
    // gives a null image, never a write through one.
    QImage out = NewRgb888(width, height);
    if (out.isNull())
        return out;
    const std::vector<Tap> xs = MakeTaps(width, src.width());
    const std::vector<Tap> ys = MakeTaps(height, src.height());
    for (int y = 0; y < height; ++y) {
        const Tap ty = ys[y];
        const uchar* r0 = src.constScanLine(ty.I0);
        const uchar* r1 = src.constScanLine(ty.I1);
        uchar* d = out.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const Tap tx = xs[x];
            const uchar* a = r0 + 3 * tx.I0;
            const uchar* b = r0 + 3 * tx.I1;
            const uchar* c = r1 + 3 * tx.I0;
            const uchar* e = r1 + 3 * tx.I1;
            for (int k = 0; k < 3; ++k) {
                const int top = a[k] * (256 - tx.W1) + b[k] * tx.W1;
                const int bottom = c[k] * (256 - tx.W1) + e[k] * tx.W1;
                d[3 * x + k] = uchar((top * (256 - ty.W1) + bottom * ty.W1 + 32768) >> 16);
            }
        }
    }
    return out;
}

QImage HalveImage(const QImage& source) {
    const int w = std::max(1, source.width() / 2);
    const int h = std::max(1, source.height() / 2);
    QImage out = NewRgb888(w, h);
    if (out.isNull())
        return out;
    // Pixel pairs 2x, 2x + 1 lie inside the source whenever it is at least two
    // pixels across; a single column or row pairs with itself.
    const int dx = source.width() > 1 ? 3 : 0;
    for (int y = 0; y < h; ++y) {
        const uchar* r0 = source.constScanLine(std::min(2 * y, source.height() - 1));
        const uchar* r1 = source.constScanLine(std::min(2 * y + 1, source.height() - 1));
        uchar* d = out.scanLine(y);
        for (int x = 0; x < w; ++x, r0 += 6, r1 += 6, d += 3) {
            d[0] = uchar((r0[0] + r0[dx] + r1[0] + r1[dx] + 2) >> 2);
            d[1] = uchar((r0[1] + r0[dx + 1] + r1[1] + r1[dx + 1] + 2) >> 2);
            d[2] = uchar((r0[2] + r0[dx + 2] + r1[2] + r1[dx + 2] + 2) >> 2);
        }
    }
    return out;
}

ImagePyramid::ImagePyramid(QImage picture) {
    if (picture.isNull())
        return;
    if (picture.format() != QImage::Format_RGB888)
        picture = picture.convertToFormat(QImage::Format_RGB888);
    Levels.push_back(std::move(picture));
    // Halve down to the smallest working width, so that every target has a
    // level less than twice its size.
    while (Levels.back().width() / 2 >= 10 && Levels.back().height() / 2 >= 1) {
        QImage half = HalveImage(Levels.back());
        if (half.isNull())
            break; // fewer levels: resampling reads a larger one
        Levels.push_back(std::move(half));
    }
}

const QImage& ImagePyramid::Picture() const {
    static const QImage Empty;
    return IsEmpty() ? Empty : Levels.front();
}

QImage ImagePyramid::Resample(int width, int height) const {
    if (IsEmpty() || width <= 0)
        return {};
    if (height <= 0)
        height = WorkHeight(width, Width(), Height());
    // The smallest level at least as large as the target: it is less than
    // twice the target, so the linear reduction skips no pixel. The picture
    // itself serves any target larger than half of it.
    size_t level = 0;
    while (level + 1 < Levels.size() && Levels[level + 1].width() >= width &&
           Levels[level + 1].height() >= height)
        ++level;
    return ResampleLinear(Levels[level], width, height);
}

const QImage& ImagePyramid::LevelAtLeast(QSize size) const {
    if (IsEmpty())
        return Picture();
    size_t level = 0;
    while (level + 1 < Levels.size() && Levels[level + 1].width() >= size.width() &&
           Levels[level + 1].height() >= size.height())
        ++level;
    return Levels[level];
}

} // namespace tg
