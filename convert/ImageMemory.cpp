#include "convert/ImageMemory.h"

#include <cstdlib>
#include <limits>
#include <sys/mman.h>

namespace tg {

namespace {

constexpr qsizetype HugePage = qsizetype(2) << 20;

void Release(void* memory) {
    std::free(memory);
}

} // namespace

QImage NewRgb888(int width, int height) {
    if (width <= 0 || height <= 0)
        return {};
    const qsizetype bytesPerLine = (qsizetype(width) * 3 + 3) & ~qsizetype(3);
    if (bytesPerLine > std::numeric_limits<int>::max() / 2 ||
        bytesPerLine > std::numeric_limits<qsizetype>::max() / height)
        return {};
    const qsizetype bytes = bytesPerLine * height;
    if (bytes < 4 * HugePage)
        return QImage(width, height, QImage::Format_RGB888);
    const qsizetype rounded = (bytes + HugePage - 1) / HugePage * HugePage;
    void* memory = std::aligned_alloc(size_t(HugePage), size_t(rounded));
    if (memory == nullptr)
        return {};
#ifdef MADV_HUGEPAGE
    madvise(memory, size_t(rounded), MADV_HUGEPAGE);
#endif
    return QImage(static_cast<uchar*>(memory), width, height, bytesPerLine, QImage::Format_RGB888,
                  Release, memory);
}

} // namespace tg
