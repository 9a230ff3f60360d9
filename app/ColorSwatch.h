#pragma once
// A small picture filled with one colour that reports clicks and mouse moves.

#include <QImage>
#include <QWidget>

class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    // The swatch's picture, as large as the swatch.
    QImage& Picture() { return PictureImage; }
    // Fills the picture from (0, 0) to its width and height and repaints.
    void Fill(QColor color);

signals:
    void Clicked();
    void MouseMoved();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage PictureImage;
    bool Pressed = false;
};
