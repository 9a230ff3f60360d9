#pragma once
// A view of one bitmap on a background colour. The bitmap is shown at its
// own size from the top-left corner, or, with fitting on, scaled down to fit
// and centred.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QWidget>

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    const QImage& Bitmap() const { return BitmapImage; }
    void SetBitmap(QImage bitmap);
    QColor Background() const { return BackgroundColor; }
    void SetBackground(QColor color);
    void SetFit(bool fit);
    // What is shown in place of the bitmap while fitting: a scaled copy that
    // the owner may supply, so that a huge bitmap is not scaled at every paint.
    void SetDisplay(QImage display);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage BitmapImage;
    QImage DisplayImage;
    QPixmap Cached;
    QColor BackgroundColor = Qt::white;
    bool Fit = false;
};
