#pragma once
// Placing a picture on a printed page.

#include <QImage>
#include <QRect>

class QPainter;

namespace tg {

// The largest rectangle of the picture's proportions that fits into page,
// centred in it; empty for an empty picture or page.
QRect FitRect(QSize picture, const QRect& page);

// Draws the picture into the fitted rectangle of page.
void PaintPicturePage(QPainter& painter, const QRect& page, const QImage& picture);

} // namespace tg
