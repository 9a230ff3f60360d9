#pragma once
// Scroll bars, wheel and drag panning over the rendered art. The view it
// holds is always exactly the visible area; the owner draws into the view's
// bitmap the cells from Origin() on, so what the view's bitmap holds is what
// the user sees.

#include <QPoint>
#include <QSize>
#include <QWidget>

class ImageView;
class QScrollBar;

class ArtScrollView : public QWidget {
    Q_OBJECT
public:
    // Takes view as its child, placed in the area beside the scroll bars.
    ArtScrollView(ImageView* view, QWidget* parent = nullptr);

    // The extent of the whole art in pixels. Shows or hides the scroll bars
    // and resizes the view at once, clamping the position; emits nothing, as
    // the caller is about to draw.
    void SetContentSize(QSize size);
    QSize ContentSize() const { return Content; }
    // The art's pixel at the view's top-left corner.
    QPoint Origin() const;

    QScrollBar* HorizontalBar = nullptr;
    QScrollBar* VerticalBar = nullptr;

signals:
    // The view was scrolled or changed its size: it needs a new drawing.
    void ViewChanged();

protected:
    // The view's wheel and mouse events scroll; they reach this widget
    // whether or not the view would pass them on.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Places the view and the bars for the current size and content; true
    // when the view's size or the position changed.
    bool Arrange();

    ImageView* View = nullptr;
    QSize Content;
    bool Arranging = false;
    bool Dragging = false;
    QPoint DragStart;
    QPoint DragOrigin;
};
