#include "app/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

ColorSwatch::ColorSwatch(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    PictureImage = QImage(33, 20, QImage::Format_RGB32);
    PictureImage.fill(Qt::white);
}

void ColorSwatch::Fill(QColor color) {
    if (PictureImage.size() != size() && !size().isEmpty())
        PictureImage = QImage(size(), QImage::Format_RGB32);
    PictureImage.fill(color);
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, PictureImage);
    // A frame keeps a swatch of the panel's own colour (white) visible.
    painter.setPen(palette().color(QPalette::Dark));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    Pressed = event->button() == Qt::LeftButton;
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (Pressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit Clicked();
    Pressed = false;
}

void ColorSwatch::mouseMoveEvent(QMouseEvent*) {
    emit MouseMoved();
}

void ColorSwatch::resizeEvent(QResizeEvent* event) {
    if (PictureImage.size() != size() && !size().isEmpty()) {
        QImage resized(size(), QImage::Format_RGB32);
        resized.fill(PictureImage.isNull() ? QColor(Qt::white) : QColor(PictureImage.pixel(0, 0)));
        PictureImage = resized;
    }
    QWidget::resizeEvent(event);
}
