// Paints the sample pictures that lie in the folder "images" beside the
// application, so that a first "Open" has pictures to choose.
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

namespace {

QImage Sunset() {
    QImage image(640, 480, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 300);
    sky.setColorAt(0, QColor(30, 40, 110));
    sky.setColorAt(0.6, QColor(230, 110, 60));
    sky.setColorAt(1, QColor(250, 210, 120));
    p.fillRect(0, 0, 640, 300, sky);
    QRadialGradient sun(320, 300, 90);
    sun.setColorAt(0, QColor(255, 250, 200));
    sun.setColorAt(1, QColor(255, 160, 40, 0));
    p.setBrush(sun);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(320, 300), 90, 90);
    QLinearGradient sea(0, 300, 0, 480);
    sea.setColorAt(0, QColor(40, 70, 120));
    sea.setColorAt(1, QColor(5, 15, 40));
    p.fillRect(0, 300, 640, 180, sea);
    p.setPen(QPen(QColor(255, 200, 120), 2));
    for (int i = 0; i < 12; ++i)
        p.drawLine(320 - 80 + i * 5, 310 + i * 14, 320 + 80 - i * 5, 310 + i * 14);
    return image;
}

QImage Shapes() {
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawEllipse(30, 30, 160, 160);
    p.setBrush(QColor(40, 160, 60));
    p.drawRect(210, 30, 160, 160);
    p.setBrush(QColor(40, 80, 220));
    QPainterPath triangle;
    triangle.moveTo(110, 210);
    triangle.lineTo(190, 370);
    triangle.lineTo(30, 370);
    triangle.closeSubpath();
    p.drawPath(triangle);
    p.setBrush(QColor(240, 200, 30));
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 80 : 32;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF pt(290 + r * std::cos(a), 290 + r * std::sin(a));
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
    return image;
}

QImage GrayRamp() {
    QImage image(512, 128, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int g = x / 2;
            image.setPixel(x, y, qRgb(g, g, g));
        }
    return image;
}

// A photo-like test picture: smooth gradients, shapes and fine noise, so that
// JPEG has real detail to encode.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width, height);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.5, QColor(230, 190, 120));
    sky.setColorAt(1, QColor(30, 60, 30));
    p.fillRect(image.rect(), sky);
    for (int i = 0; i < 60; ++i) {
        const int r = (i * 7919) % (width / 6) + width / 40;
        const int x = (i * 104729) % width, y = (i * 1299709) % height;
        p.setBrush(QColor((i * 37) % 256, (i * 91) % 256, (i * 53) % 256, 160));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPoint(x, y), r, r);
    }
    p.end();
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 28) - 8;
            const QRgb c = row[x];
            row[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                          qBound(0, qBlue(c) + n, 255));
        }
    }
    return image;
}

QImage Rings() {
    QImage image(300, 300, QImage::Format_RGB32);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const double d = std::hypot(x - 150.0, y - 150.0);
            const int v = int(127.5 + 127.5 * std::cos(d / 6.0));
            image.setPixel(x, y, qRgb(v, (v + 85) % 256, 255 - v));
        }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc == 5 && QByteArray(argv[1]) == "--photo") {
        // make-samples --photo WIDTH HEIGHT FILE: one large test photo.
        const QImage photo = Photo(QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
        return photo.save(QString::fromLocal8Bit(argv[4]), nullptr, 90) ? 0 : 1;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: make-samples FOLDER | make-samples --photo W H FILE\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool ok = Sunset().save(folder + QStringLiteral("sunset.jpg"), "JPEG", 90);
    ok = Shapes().save(folder + QStringLiteral("shapes.png")) && ok;
    ok = GrayRamp().save(folder + QStringLiteral("grayramp.bmp")) && ok;
    ok = Rings().save(folder + QStringLiteral("rings.png")) && ok;
    if (!ok) {
        std::fprintf(stderr, "make-samples: cannot write the pictures\n");
        return 1;
    }
    return 0;
}
