#include "convert/Geometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

QImage AsRgb888(const QImage& image) {
    return image.format() == QImage::Format_RGB888 ? image
                                                   : image.convertToFormat(QImage::Format_RGB888);
}

// Degrees reduced to [0, 360).
double Normalized(double degrees) {
    double d = std::fmod(degrees, 360.0);
    if (d < 0)
        d += 360.0;
    return d;
}

// The number of counter-clockwise quarter turns when degrees is a multiple
// of 90, else -1.
int QuarterTurns(double degrees) {
    const double d = Normalized(degrees);
    const double turns = d / 90.0;
    const double whole = std::round(turns);
    if (std::abs(turns - whole) > 1e-9)
        return -1;
    return int(whole) % 4;
}

// Exact quarter turns, in tiles so that both images are walked cache-friendly.
QImage QuarterTurn(const QImage& src, int turns) {
    const int w = src.width(), h = src.height();
    const bool swap = turns % 2 == 1;
    QImage out(swap ? h : w, swap ? w : h, QImage::Format_RGB888);
    if (out.isNull())
        return out;
    const int ow = out.width(), oh = out.height();
    constexpr int Tile = 64;
    for (int ty = 0; ty < oh; ty += Tile) {
        const int yEnd = std::min(oh, ty + Tile);
        for (int tx = 0; tx < ow; tx += Tile) {
            const int xEnd = std::min(ow, tx + Tile);
            for (int y = ty; y < yEnd; ++y) {
                uchar* d = out.scanLine(y) + 3 * tx;
                for (int x = tx; x < xEnd; ++x, d += 3) {
                    int sx, sy;
                    if (turns == 1) { // counter-clockwise: top-right to top-left
                        sx = w - 1 - y;
                        sy = x;
                    } else if (turns == 2) {
                        sx = w - 1 - x;
                        sy = h - 1 - y;
                    } else { // clockwise: bottom-left to top-left
                        sx = y;
                        sy = h - 1 - x;
                    }
                    const uchar* s = src.constScanLine(sy) + 3 * sx;
                    d[0] = s[0];
                    d[1] = s[1];
                    d[2] = s[2];
                }
            }
        }
    }
    return out;
}

QSize BoundingSize(QSize size, double radians) {
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    const double w = size.width() * c + size.height() * s;
    const double h = size.width() * s + size.height() * c;
    // A hair below a whole number is that number, not one more.
    return {std::max(1, int(std::ceil(w - 1e-6))), std::max(1, int(std::ceil(h - 1e-6)))};
}

// Bilinear turn by any angle; samples outside the source count as white, so
// the edges of the turned picture blend into the white corners.
QImage FreeTurn(const QImage& src, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const QSize size = BoundingSize(src.size(), radians);
    QImage out(size, QImage::Format_RGB888);
    if (out.isNull())
        return out;
    const int w = src.width(), h = src.height();
    const int ow = out.width(), oh = out.height();
    const double c = std::cos(radians), s = std::sin(radians);
    // Output pixel centre (X + .5, Y + .5), offset (dx, dy) from the output
    // centre, comes from source position (w/2 + dx c - dy s, h/2 + dx s + dy c);
    // minus .5 gives coordinates on the grid of source pixel centres.
    constexpr double One = 4294967296.0; // 32 fractional bits
    const qint64 stepX = qint64(std::llround(c * One));
    const qint64 stepY = qint64(std::llround(s * One));
    const uchar White = 255;
    const qsizetype stride = src.bytesPerLine();
    const uchar* base = src.constBits();
    for (int y = 0; y < oh; ++y) {
        uchar* d = out.scanLine(y);
        std::memset(d, White, size_t(3) * ow);
        const double dy = y + 0.5 - oh / 2.0;
        const double dx0 = 0.5 - ow / 2.0;
        const double u0 = w / 2.0 + dx0 * c - dy * s - 0.5;
        const double v0 = h / 2.0 + dx0 * s + dy * c - 0.5;
        // Only where the sample lies within (-1, w) x (-1, h) does a source
        // pixel contribute: solve u0 + x c and v0 + x s for that interval.
        double lo = 0, hi = ow - 1;
        const auto limit = [&](double start, double step, double min, double max) {
            if (std::abs(step) < 1e-12) {
                if (start <= min || start >= max)
                    hi = -1;
                return;
            }
            double a = (min - start) / step, b = (max - start) / step;
            if (a > b)
                std::swap(a, b);
            lo = std::max(lo, std::floor(a));
            hi = std::min(hi, std::ceil(b));
        };
        limit(u0, c, -1.0, double(w));
        limit(v0, s, -1.0, double(h));
        if (hi < lo)
            continue;
        const int xBegin = int(lo), xEnd = int(hi);
        qint64 fu = qint64(std::llround((u0 + xBegin * c) * One));
        qint64 fv = qint64(std::llround((v0 + xBegin * s) * One));
        d += 3 * xBegin;
        for (int x = xBegin; x <= xEnd; ++x, d += 3, fu += stepX, fv += stepY) {
            const int x0 = int(fu >> 32), y0 = int(fv >> 32);
            const int ax = int((fu >> 24) & 255), ay = int((fv >> 24) & 255);
            if (unsigned(x0) < unsigned(w - 1) && unsigned(y0) < unsigned(h - 1)) {
                const uchar* p = base + y0 * stride + 3 * x0;
                const uchar* q = p + stride;
                for (int k = 0; k < 3; ++k) {
                    const int top = p[k] * (256 - ax) + p[k + 3] * ax;
                    const int bottom = q[k] * (256 - ax) + q[k + 3] * ax;
                    d[k] = uchar((top * (256 - ay) + bottom * ay + 32768) >> 16);
                }
                continue;
            }
            if (x0 < -1 || x0 >= w || y0 < -1 || y0 >= h)
                continue;
            // On the edge: neighbours outside the source are white.
            const auto at = [&](int px, int py, int k) -> int {
                if (px < 0 || px >= w || py < 0 || py >= h)
                    return White;
                return base[py * stride + 3 * px + k];
            };
            for (int k = 0; k < 3; ++k) {
                const int top = at(x0, y0, k) * (256 - ax) + at(x0 + 1, y0, k) * ax;
                const int bottom = at(x0, y0 + 1, k) * (256 - ax) + at(x0 + 1, y0 + 1, k) * ax;
                d[k] = uchar((top * (256 - ay) + bottom * ay + 32768) >> 16);
            }
        }
    }
    return out;
}

} // namespace

QImage Flipped(const QImage& image, FlipDirection direction) {
    if (image.isNull())
        return image;
    const bool horizontal = direction == FlipDirection::Horizontal;
    return AsRgb888(image).mirrored(horizontal, !horizontal);
}

QImage Rotated(const QImage& image, double degrees) {
    if (image.isNull() || !std::isfinite(degrees))
        return image;
    const int turns = QuarterTurns(degrees);
    if (turns == 0)
        return image;
    const QImage src = AsRgb888(image);
    if (turns > 0)
        return QuarterTurn(src, turns);
    return FreeTurn(src, Normalized(degrees));
}

QSize RotatedSize(QSize size, double degrees) {
    if (!std::isfinite(degrees))
        return size;
    const int turns = QuarterTurns(degrees);
    if (turns == 0 || turns == 2)
        return size;
    if (turns > 0)
        return size.transposed();
    return BoundingSize(size, Normalized(degrees) * std::numbers::pi / 180.0);
}

std::optional<int> ParseWholeNumber(const QString& text) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    qint64 value = 0;
    for (; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (ch.unicode() - '0');
        if (value > qint64(INT_MAX) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return int(value);
}
