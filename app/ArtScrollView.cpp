#include "app/ArtScrollView.h"

#include "app/ImageView.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

ArtScrollView::ArtScrollView(ImageView* view, QWidget* parent) : QWidget(parent), View(view) {
    View->setParent(this);
    View->installEventFilter(this);
    HorizontalBar = new QScrollBar(Qt::Horizontal, this);
    HorizontalBar->setObjectName(QStringLiteral("HorizontalBar"));
    VerticalBar = new QScrollBar(Qt::Vertical, this);
    VerticalBar->setObjectName(QStringLiteral("VerticalBar"));
    for (QScrollBar* bar : {HorizontalBar, VerticalBar}) {
        bar->setRange(0, 0);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, [this] {
            if (!Arranging)
                emit ViewChanged();
        });
    }
}

QPoint ArtScrollView::Origin() const {
    return {HorizontalBar->value(), VerticalBar->value()};
}

void ArtScrollView::SetContentSize(QSize size) {
    Content = size;
    Arrange();
}

bool ArtScrollView::Arrange() {
    const QSize before = View->size();
    const QPoint origin = Origin();
    Arranging = true;
    const QSize full = size();
    const int barWidth = VerticalBar->sizeHint().width();
    const int barHeight = HorizontalBar->sizeHint().height();
    // A bar takes room from the other direction, which may then need its own.
    bool across = Content.width() > full.width();
    bool down = Content.height() > full.height() - (across ? barHeight : 0);
    across = Content.width() > full.width() - (down ? barWidth : 0);
    const QSize area(std::max(0, full.width() - (down ? barWidth : 0)),
                     std::max(0, full.height() - (across ? barHeight : 0)));
    View->setGeometry(0, 0, area.width(), area.height());
    HorizontalBar->setGeometry(0, area.height(), area.width(), barHeight);
    VerticalBar->setGeometry(area.width(), 0, barWidth, area.height());
    HorizontalBar->setVisible(across);
    VerticalBar->setVisible(down);
    HorizontalBar->setRange(0, std::max(0, Content.width() - area.width()));
    VerticalBar->setRange(0, std::max(0, Content.height() - area.height()));
    HorizontalBar->setPageStep(std::max(1, area.width()));
    VerticalBar->setPageStep(std::max(1, area.height()));
    HorizontalBar->setSingleStep(20);
    VerticalBar->setSingleStep(20);
    Arranging = false;
    return View->size() != before || Origin() != origin;
}

bool ArtScrollView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == View) {
        switch (event->type()) {
        case QEvent::Wheel:
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        case QEvent::MouseButtonPress:
            mousePressEvent(static_cast<QMouseEvent*>(event));
            return event->isAccepted();
        case QEvent::MouseMove:
            mouseMoveEvent(static_cast<QMouseEvent*>(event));
            return event->isAccepted();
        case QEvent::MouseButtonRelease:
            mouseReleaseEvent(static_cast<QMouseEvent*>(event));
            return event->isAccepted();
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ArtScrollView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (Arrange())
        emit ViewChanged();
}

void ArtScrollView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const bool across = std::abs(delta.x()) > std::abs(delta.y()) ||
                        (event->modifiers() & Qt::ShiftModifier) || !VerticalBar->isVisible();
    QCoreApplication::sendEvent(across ? HorizontalBar : VerticalBar, event);
    event->accept();
}

void ArtScrollView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    Dragging = true;
    DragStart = event->globalPosition().toPoint();
    DragOrigin = Origin();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void ArtScrollView::mouseMoveEvent(QMouseEvent* event) {
    if (!Dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint moved = event->globalPosition().toPoint() - DragStart;
    HorizontalBar->setValue(DragOrigin.x() - moved.x());
    VerticalBar->setValue(DragOrigin.y() - moved.y());
    event->accept();
}

void ArtScrollView::mouseReleaseEvent(QMouseEvent* event) {
    if (Dragging && event->button() == Qt::LeftButton) {
        Dragging = false;
        unsetCursor();
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
