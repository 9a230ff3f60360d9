#pragma once
// Support for tests of the widget-free work: readable text in failure
// messages and small pictures.

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '{';
    for (const QString& text : list)
        *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}

// An RGB888 image filled with one colour.
inline QImage Solid(int width, int height, QColor color) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(color);
    return image;
}

// An RGB888 image whose pixel (x, y) is gray (x + y * width) % 256.
inline QImage Ramp(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar g = uchar((x + y * width) % 256);
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = g;
        }
    }
    return image;
}
