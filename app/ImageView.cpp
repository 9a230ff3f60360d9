#include "app/ImageView.h"

#include <QPainter>

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageView::SetBitmap(QImage bitmap) {
    BitmapImage = std::move(bitmap);
    DisplayImage = QImage();
    Cached = QPixmap();
    update();
}

void ImageView::SetBackground(QColor color) {
    if (color == BackgroundColor)
        return;
    BackgroundColor = color;
    update();
}

void ImageView::SetFit(bool fit) {
    Fit = fit;
    Cached = QPixmap();
    update();
}

void ImageView::SetDisplay(QImage display) {
    DisplayImage = std::move(display);
    Cached = QPixmap();
    update();
}

void ImageView::resizeEvent(QResizeEvent* event) {
    Cached = QPixmap();
    QWidget::resizeEvent(event);
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), BackgroundColor);
    if (BitmapImage.isNull())
        return;
    if (!Fit) {
        painter.drawImage(0, 0, BitmapImage);
        return;
    }
    const QImage& source = DisplayImage.isNull() ? BitmapImage : DisplayImage;
    // A picture smaller than the view keeps its size; a larger one shrinks to fit.
    QSize target = BitmapImage.size();
    if (target.width() > width() || target.height() > height())
        target = target.scaled(size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    if (Cached.isNull() || Cached.size() != target)
        Cached = QPixmap::fromImage(
            source.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    painter.drawPixmap((width() - target.width()) / 2, (height() - target.height()) / 2, Cached);
}
