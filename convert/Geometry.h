#pragma once
// Mirroring and turning RGB888 images.

#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

namespace tg {

enum class FlipDirection { Horizontal, Vertical };

// The image mirrored left to right (Horizontal) or top to bottom (Vertical).
QImage Flipped(const QImage& image, FlipDirection direction);

// The image turned by degrees, positive counter-clockwise. Multiples of 90
// move pixels exactly (90 and 270 swap width and height; 0 returns the image
// as it is). Any other angle enlarges the image to hold the whole turned
// picture, samples it bilinearly and fills the uncovered corners with white.
// A null image when the result cannot be allocated.
QImage Rotated(const QImage& image, double degrees);

// The size of Rotated's result for an image of the given size.
QSize RotatedSize(QSize size, double degrees);
// Whether that result stays within the largest picture accepted.
bool TurnFits(QSize size, double degrees);

// A whole number of decimal digits with an optional sign that fits an int;
// nothing for any other text.
std::optional<int> ParseWholeNumber(const QString& text);

} // namespace tg
