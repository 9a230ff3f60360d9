#include "convert/Adjust.h"

#include <algorithm>
#include <cmath>

namespace tg {

namespace {

uchar ClampLevel(double v) {
    return uchar(std::clamp(std::lround(v), 0L, 255L));
}

Adjustment Clamped(const Adjustment& a) {
    return {std::clamp(a.Brightness, MinBrightness, MaxBrightness),
            std::clamp(a.Contrast, MinContrast, MaxContrast),
            std::clamp(a.Saturation, MinSaturation, MaxSaturation)};
}

} // namespace

std::array<uchar, 256> ToneCurve(int brightness, int contrast) {
    brightness = std::clamp(brightness, MinBrightness, MaxBrightness);
    contrast = std::clamp(contrast, MinContrast, MaxContrast);
    // Full contrast is a threshold at the middle; a large finite gain gives it.
    const double gain = contrast <= 0    ? (100.0 + contrast) / 100.0
                        : contrast < 100 ? 100.0 / (100.0 - contrast)
                                         : 1e6;
    std::array<uchar, 256> curve{};
    for (int v = 0; v < 256; ++v) {
        double level = v;
        if (brightness < 0)
            level = v * (100.0 + brightness) / 100.0;
        else if (brightness > 0)
            level = 255.0 - (255.0 - v) * 100.0 / (100.0 + brightness);
        if (contrast != 0)
            level = 127.5 + (level - 127.5) * gain;
        curve[v] = ClampLevel(level);
    }
    return curve;
}

void AdjustImage(QImage& image, const Adjustment& adjustment) {
    const Adjustment a = Clamped(adjustment);
    if (image.isNull() || a.IsIdentity())
        return;
    if (image.format() != QImage::Format_RGB888)
        image = image.convertToFormat(QImage::Format_RGB888);
    // Detaches a shared image; a copy that cannot be had leaves it null.
    if (image.bits() == nullptr) {
        image = QImage();
        return;
    }
    const std::array<uchar, 256> tone = ToneCurve(a.Brightness, a.Contrast);
    const int w = image.width(), h = image.height();
    if (a.Saturation == 0) {
        for (int y = 0; y < h; ++y) {
            uchar* p = image.scanLine(y);
            for (int i = 0; i < 3 * w; ++i)
                p[i] = tone[p[i]];
        }
        return;
    }
    // Distances from the luma, -255..255, scaled by the saturation factor;
    // the sum with the luma is clamped through a table as well.
    const double factor = (100.0 + a.Saturation) / 100.0;
    std::array<int, 511> spread{};
    for (int d = -255; d <= 255; ++d)
        spread[d + 255] = int(std::lround(d * factor));
    // Luma plus a scaled distance lies within -510..765.
    constexpr int ClampBias = 510;
    std::array<uchar, 1276> clampTable{};
    for (int i = 0; i < int(clampTable.size()); ++i)
        clampTable[i] = uchar(std::clamp(i - ClampBias, 0, 255));
    for (int y = 0; y < h; ++y) {
        uchar* p = image.scanLine(y);
        for (int x = 0; x < w; ++x, p += 3) {
            const int r = tone[p[0]], g = tone[p[1]], b = tone[p[2]];
            const int luma = (77 * r + 150 * g + 29 * b + 128) >> 8;
            p[0] = clampTable[luma + spread[r - luma + 255] + ClampBias];
            p[1] = clampTable[luma + spread[g - luma + 255] + ClampBias];
            p[2] = clampTable[luma + spread[b - luma + 255] + ClampBias];
        }
    }
}

QImage Adjusted(QImage image, const Adjustment& adjustment) {
    AdjustImage(image, adjustment);
    return image;
}

} // namespace tg
