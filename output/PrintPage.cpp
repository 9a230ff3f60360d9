#include "output/PrintPage.h"

#include <QPainter>

namespace tg {

QRect FitRect(QSize picture, const QRect& page) {
    if (picture.isEmpty() || page.isEmpty())
        return {};
    const QSize fitted = picture.scaled(page.size(), Qt::KeepAspectRatio);
    return QRect(page.x() + (page.width() - fitted.width()) / 2,
                 page.y() + (page.height() - fitted.height()) / 2, fitted.width(), fitted.height());
}

void PaintPicturePage(QPainter& painter, const QRect& page, const QImage& picture) {
    const QRect target = FitRect(picture.size(), page);
    if (target.isEmpty())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
}

} // namespace tg
