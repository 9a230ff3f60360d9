#include "convert/Geometry.h"

#include "convert/Picture.h"

#include "convert/ImageMemory.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <thread>
#include <vector>

namespace tg {

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

// Exact quarter turns. A half turn reverses each row into its mirrored row;
// the others walk the source down a column for each output row, in tiles, so
// that the source lines touched stay in the cache.
QImage QuarterTurn(const QImage& src, int turns) {
    const int w = src.width(), h = src.height();
    const bool swap = turns % 2 == 1;
    QImage out = NewRgb888(swap ? h : w, swap ? w : h);
    if (out.isNull())
        return out;
    const qsizetype stride = src.bytesPerLine();
    const uchar* base = src.constBits();
    if (turns == 2) {
        for (int y = 0; y < h; ++y) {
            uchar* d = out.scanLine(y);
            const uchar* s = base + (h - 1 - y) * stride + 3 * (w - 1);
            for (int x = 0; x < w; ++x, d += 3, s -= 3) {
                d[0] = s[0];
                d[1] = s[1];
                d[2] = s[2];
            }
        }
        return out;
    }
    const int ow = out.width(), oh = out.height();
    constexpr int Tile = 32;
    for (int ty = 0; ty < oh; ty += Tile) {
        const int yEnd = std::min(oh, ty + Tile);
        for (int tx = 0; tx < ow; tx += Tile) {
            const int xEnd = std::min(ow, tx + Tile);
            for (int y = ty; y < yEnd; ++y) {
                uchar* d = out.scanLine(y) + 3 * tx;
                // Counter-clockwise, output (x, y) is source (w - 1 - y, x):
                // top-right goes to top-left. Clockwise it is source
                // (y, h - 1 - x): bottom-left goes to top-left.
                const uchar* s = turns == 1 ? base + tx * stride + 3 * (w - 1 - y)
                                            : base + (h - 1 - tx) * stride + 3 * y;
                const qsizetype step = turns == 1 ? stride : -stride;
                for (int x = tx; x < xEnd; ++x, d += 3, s += step) {
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
    QImage out = NewRgb888(size.width(), size.height());
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
    // Per output row: the columns whose sample lies within (-1, w) x (-1, h),
    // where a source pixel contributes, and the sample position at column 0.
    struct Span {
        int Begin = 0, End = -1;
        qint64 U = 0, V = 0;
    };
    std::vector<Span> spans(static_cast<size_t>(oh));
    for (int y = 0; y < oh; ++y) {
        std::memset(out.scanLine(y), White, size_t(3) * ow);
        const double dy = y + 0.5 - oh / 2.0;
        const double dx0 = 0.5 - ow / 2.0;
        const double u0 = w / 2.0 + dx0 * c - dy * s - 0.5;
        const double v0 = h / 2.0 + dx0 * s + dy * c - 0.5;
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
        Span& span = spans[size_t(y)];
        if (hi < lo)
            continue;
        span.Begin = int(lo);
        span.End = int(hi);
        span.U = qint64(std::llround(u0 * One));
        span.V = qint64(std::llround(v0 * One));
    }
    // On the edge: neighbours outside the source are white.
    const auto at = [&](int px, int py, int k) -> int {
        if (px < 0 || px >= w || py < 0 || py >= h)
            return White;
        return base[py * stride + 3 * px + k];
    };
    // The threads write through a plain pointer: QImage's row access is not
    // for concurrent use.
    uchar* const outBits = out.bits();
    const qsizetype outStride = out.bytesPerLine();
    // In tiles, so that the source lines a tile reads stay in the cache; bands
    // of tile rows go to separate threads, each writing its own rows.
    constexpr int TileRows = 32, TileColumns = 128;
    const auto band = [&](int firstTile, int tileStep) {
        for (int ty = firstTile * TileRows; ty < oh; ty += tileStep * TileRows) {
            const int yEnd = std::min(oh, ty + TileRows);
            for (int tx = 0; tx < ow; tx += TileColumns) {
                const int txEnd = std::min(ow, tx + TileColumns) - 1;
                for (int y = ty; y < yEnd; ++y) {
                    const Span& span = spans[size_t(y)];
                    const int xBegin = std::max(span.Begin, tx), xEnd = std::min(span.End, txEnd);
                    if (xEnd < xBegin)
                        continue;
                    qint64 fu = span.U + xBegin * stepX;
                    qint64 fv = span.V + xBegin * stepY;
                    uchar* d = outBits + y * outStride + 3 * xBegin;
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
                        for (int k = 0; k < 3; ++k) {
                            const int top = at(x0, y0, k) * (256 - ax) + at(x0 + 1, y0, k) * ax;
                            const int bottom =
                                at(x0, y0 + 1, k) * (256 - ax) + at(x0 + 1, y0 + 1, k) * ax;
                            d[k] = uchar((top * (256 - ay) + bottom * ay + 32768) >> 16);
                        }
                    }
                }
            }
        }
    };
    const int tiles = (oh + TileRows - 1) / TileRows;
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, std::min(8, tiles));
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(band, t, threads);
    band(0, threads);
    for (std::thread& worker : workers)
        worker.join();
    return out;
}

} // namespace

QImage Flipped(const QImage& image, FlipDirection direction) {
    if (image.isNull())
        return image;
    const QImage src = AsRgb888(image);
    const int w = src.width(), h = src.height();
    QImage out = NewRgb888(w, h);
    if (out.isNull())
        return out;
    for (int y = 0; y < h; ++y) {
        uchar* d = out.scanLine(y);
        if (direction == FlipDirection::Vertical) {
            std::memcpy(d, src.constScanLine(h - 1 - y), size_t(3) * w);
            continue;
        }
        const uchar* s = src.constScanLine(y) + 3 * (w - 1);
        for (int x = 0; x < w; ++x, d += 3, s -= 3) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
        }
    }
    return out;
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

bool TurnFits(QSize size, double degrees) {
    const QSize turned = RotatedSize(size, degrees);
    return qint64(turned.width()) * turned.height() <= MaxPicturePixels;
}

} // namespace tg
