#pragma once
// Allocation of large working images.

#include <QImage>

namespace tg {

// A new RGB888 image of the given size with undefined contents, laid out as
// QImage lays out its own. Large images are placed on huge pages where the
// system offers them: touching fresh memory page by page costs more than
// filling it. A null image when the memory cannot be had.
QImage NewRgb888(int width, int height);

} // namespace tg
