#include "convert/WorkLimit.h"

namespace tg {

bool WorkSizeFits(QSize size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxWorkSide &&
           size.height() <= MaxWorkSide && qint64(size.width()) * size.height() <= MaxWorkCells;
}

QString WorkSizeRefusal(QSize size) {
    if (WorkSizeFits(size))
        return {};
    return QStringLiteral("The working image of %1 x %2 cells would be too large: at most %3 rows "
                          "or columns and %4 cells")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxWorkSide)
        .arg(MaxWorkCells);
}

} // namespace tg
