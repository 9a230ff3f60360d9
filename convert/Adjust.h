#pragma once
// Brightness, contrast and saturation of an RGB888 image, by lookup tables.

#include <QImage>
#include <array>

namespace tg {

// The ranges of the three values.
inline constexpr int MinBrightness = -100, MaxBrightness = 512;
inline constexpr int MinContrast = -100, MaxContrast = 100;
inline constexpr int MinSaturation = -100, MaxSaturation = 100;

struct Adjustment {
    int Brightness = 0;
    int Contrast = 0;
    int Saturation = 0;
    bool IsIdentity() const { return Brightness == 0 && Contrast == 0 && Saturation == 0; }
    bool operator==(const Adjustment&) const = default;
};

// The channel curve of brightness followed by contrast, one entry a level:
//   brightness b < 0:  v' = v * (100 + b) / 100             (towards black)
//   brightness b > 0:  v' = 255 - (255 - v) * 100 / (100 + b) (towards white)
//   contrast c:        v'' = 127.5 + (v' - 127.5) * k,
//                      k = (100 + c) / 100 for c <= 0, 100 / (100 - c) for c > 0
// rounded to the nearest level and clamped to 0..255; 0, 0 is the identity.
std::array<uchar, 256> ToneCurve(int brightness, int contrast);

// Applies the three values to every pixel of an RGB888 image in one pass:
// each channel through ToneCurve, then the colour is moved away from or
// towards its luma L = (77 R + 150 G + 29 B) / 256 by the factor
// (100 + saturation) / 100. 0, 0, 0 leaves the image as it is. Values are
// clamped to their ranges.
void AdjustImage(QImage& image, const Adjustment& adjustment);
// The adjusted copy of an image (the image itself when nothing changes).
QImage Adjusted(QImage image, const Adjustment& adjustment);

} // namespace tg
