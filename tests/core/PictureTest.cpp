// Reading picture files of every kind into 24-bit colour.
#include "convert/Picture.h"
#include "tests/core/CoreSupport.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gif_lib.h>

namespace {

class PictureFiles : public ::testing::Test {
protected:
    QString Write(const QString& name, const QImage& image, const char* format = nullptr) {
        const QString path = Folder.filePath(name);
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(image))
            << name.toStdString() << ": " << writer.errorString().toStdString();
        return path;
    }
    QString WriteBytes(const QString& name, const QByteArray& bytes) {
        const QString path = Folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir Folder;
};

// A picture whose left half is red and right half blue.
QImage Halves(QImage::Format format) {
    QImage image(8, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, x < 4 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image.convertToFormat(format);
}

void ExpectRgb(const QImage& image, int x, int y, QRgb expected, int tolerance = 0) {
    ASSERT_EQ(image.format(), QImage::Format_RGB888);
    const QRgb c = image.pixel(x, y);
    EXPECT_NEAR(qRed(c), qRed(expected), tolerance) << x << "," << y;
    EXPECT_NEAR(qGreen(c), qGreen(expected), tolerance) << x << "," << y;
    EXPECT_NEAR(qBlue(c), qBlue(expected), tolerance) << x << "," << y;
}

QByteArray LittleEndian(quint32 value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out += char((value >> (8 * i)) & 0xFF);
    return out;
}

} // namespace

TEST_F(PictureFiles, EveryFormatAndPixelFormatArrivesAsRgb888) {
    struct Case {
        const char* Name;
        QImage::Format Format;
        const char* Writer;
        int Tolerance;
    };
    const Case cases[] = {
        {"colour.png", QImage::Format_RGB32, nullptr, 0},
        {"paletted.png", QImage::Format_Indexed8, nullptr, 0},
        {"rgb48.png", QImage::Format_RGBX64, nullptr, 0},
        {"picture.bmp", QImage::Format_RGB888, nullptr, 0},
        {"picture.jpg", QImage::Format_RGB32, nullptr, 40},
        {"picture.tif", QImage::Format_RGB32, "tiff", 0},
        {"picture.webp", QImage::Format_RGB32, "webp", 60},
        {"picture.ppm", QImage::Format_RGB32, "ppm", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const tg::PictureLoad load = tg::LoadPicture(Write(c.Name, Halves(c.Format), c.Writer));
        ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
        EXPECT_EQ(load.Image.size(), QSize(8, 4));
        ExpectRgb(load.Image, 0, 0, qRgb(255, 0, 0), c.Tolerance);
        ExpectRgb(load.Image, 7, 3, qRgb(0, 0, 255), c.Tolerance);
    }
}

TEST_F(PictureFiles, GrayAndBlackAndWhitePictures) {
    QImage mono(8, 2, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(0);
    for (int x = 4; x < 8; ++x)
        mono.setPixel(x, 0, 1);
    QImage gray(4, 1, QImage::Format_Grayscale8);
    gray.fill(77);
    QImage gray16(4, 1, QImage::Format_Grayscale16);
    gray16.fill(QColor(200, 200, 200));
    for (const QString& path : {Write("mono.png", mono), Write("mono.pbm", mono, "pbm"),
                                Write("mono.wbmp", mono, "wbmp")}) {
        SCOPED_TRACE(path.toStdString());
        const tg::PictureLoad load = tg::LoadPicture(path);
        ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
        ExpectRgb(load.Image, 0, 0, qRgb(0, 0, 0));
        ExpectRgb(load.Image, 7, 0, qRgb(255, 255, 255));
    }
    ExpectRgb(tg::LoadPicture(Write("gray.pgm", gray, "pgm")).Image, 1, 0, qRgb(77, 77, 77));
    ExpectRgb(tg::LoadPicture(Write("gray16.png", gray16)).Image, 1, 0, qRgb(200, 200, 200), 1);
}

TEST_F(PictureFiles, TransparencyIsCompositedOnWhite) {
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));     // transparent
    image.setPixel(1, 0, qRgba(255, 0, 0, 255)); // opaque red
    image.setPixel(2, 0, qRgba(0, 0, 0, 128));   // half black
    image.setPixel(3, 0, qRgba(0, 0, 255, 0));   // transparent blue
    const tg::PictureLoad load = tg::LoadPicture(Write("alpha.png", image));
    ASSERT_TRUE(load.Ok());
    ExpectRgb(load.Image, 0, 0, qRgb(255, 255, 255));
    ExpectRgb(load.Image, 1, 0, qRgb(255, 0, 0));
    ExpectRgb(load.Image, 2, 0, qRgb(127, 127, 127), 1);
    ExpectRgb(load.Image, 3, 0, qRgb(255, 255, 255));
}

TEST_F(PictureFiles, TargaFromItsBytes) {
    // An uncompressed 24-bit TGA of 2 x 1 pixels, bottom-up, blue green red.
    QByteArray tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 1;
    tga[16] = 24;
    tga += QByteArray("\x00\x00\xFF\xFF\x00\x00", 6); // red, blue
    tga += QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
    const tg::PictureLoad load = tg::LoadPicture(WriteBytes("picture.tga", tga));
    ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
    ExpectRgb(load.Image, 0, 0, qRgb(255, 0, 0));
    ExpectRgb(load.Image, 1, 0, qRgb(0, 0, 255));
}

TEST_F(PictureFiles, OrientationTagTurnsThePictureUpright) {
    const QString path = Folder.filePath("turned.tif");
    QImageWriter writer(path, "tiff");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(Halves(QImage::Format_RGB32)));
    const tg::PictureLoad load = tg::LoadPicture(path);
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Image.size(), QSize(4, 8));
    ExpectRgb(load.Image, 0, 0, qRgb(255, 0, 0)); // the red half is now on top
    ExpectRgb(load.Image, 0, 7, qRgb(0, 0, 255));
}

TEST_F(PictureFiles, JpegsArriveAsQtsReaderGivesThemInEveryOrientation) {
    // A picture of distinct, smooth colours, so any misplaced pixel shows.
    QImage picture(37, 23, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 7, y * 11, (x + y) * 3));
    QByteArray plain;
    {
        QBuffer buffer(&plain);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(picture.save(&buffer, "JPEG", 90));
    }
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        // An Exif segment with the one orientation tag, right after the start.
        QByteArray exif =
            QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0", 25);
        exif += char(orientation);
        exif += QByteArray(6, '\0');
        const QByteArray segment = QByteArray("\xFF\xE1") + char((exif.size() + 2) >> 8) +
                                   char((exif.size() + 2) & 0xFF) + exif;
        const QString path = WriteBytes(QStringLiteral("o%1.jpg").arg(orientation),
                                        plain.left(2) + segment + plain.mid(2));
        QImageReader reader(path);
        reader.setAutoTransform(true);
        EXPECT_EQ(reader.transformation() == QImageIOHandler::TransformationNone, orientation == 1);
        const QImage expected = reader.read().convertToFormat(QImage::Format_RGB888);
        const tg::PictureLoad load = tg::LoadPicture(path);
        ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
        EXPECT_EQ(load.Image, expected);
        EXPECT_EQ(load.FullSize, expected.size());
    }
    // Gray JPEGs arrive in colour; a cut-off file keeps what was decoded.
    const QString gray = Write("gray.jpg", picture.convertToFormat(QImage::Format_Grayscale8));
    const tg::PictureLoad load = tg::LoadPicture(gray);
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.Image, QImageReader(gray).read().convertToFormat(QImage::Format_RGB888));
    const QString cut = WriteBytes("cut.jpg", plain.left(400));
    const tg::PictureLoad partial = tg::LoadPicture(cut);
    EXPECT_EQ(partial.Ok(), !QImageReader(cut).read().isNull());
}

TEST_F(PictureFiles, MultiFrameFilesGiveTheirFirstFrame) {
    const QString path = Folder.filePath("two.gif");
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[2] = {{255, 0, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifSetGifVersion(gif, true);
    ASSERT_EQ(EGifPutScreenDesc(gif, 2, 2, 1, 0, map), GIF_OK);
    for (GifPixelType index : {GifPixelType(0), GifPixelType(1)}) {
        ASSERT_EQ(EGifPutImageDesc(gif, 0, 0, 2, 2, false, nullptr), GIF_OK);
        GifPixelType line[2] = {index, index};
        for (int y = 0; y < 2; ++y)
            ASSERT_EQ(EGifPutLine(gif, line, 2), GIF_OK);
    }
    ASSERT_EQ(EGifCloseFile(gif, &error), GIF_OK);
    GifFreeMapObject(map);
    const tg::PictureLoad load = tg::LoadPicture(path);
    ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
    ExpectRgb(load.Image, 1, 1, qRgb(255, 0, 0));
}

TEST_F(PictureFiles, UnreadableAndAbsurdFilesAreRefusedWithAMessage) {
    EXPECT_EQ(tg::LoadPicture(Folder.filePath("missing.png")).Error,
              "Cannot read picture missing.png");
    EXPECT_FALSE(tg::LoadPicture(WriteBytes("garbage.png", "not a picture at all")).Ok());
    EXPECT_FALSE(tg::LoadPicture(WriteBytes("empty.jpg", QByteArray())).Ok());
    // The header reads, the pixels do not: the same wording as any other.
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(Ramp(64, 64).save(&buffer, "PNG"));
    }
    EXPECT_EQ(tg::LoadPicture(WriteBytes("cut.png", png.left(png.size() / 2))).Error,
              "Cannot read picture cut.png");

    // A bitmap header that claims 60000 x 60000 pixels and holds none.
    QByteArray bmp = "BM" + LittleEndian(54, 4) + LittleEndian(0, 4) + LittleEndian(54, 4);
    bmp += LittleEndian(40, 4) + LittleEndian(60000, 4) + LittleEndian(60000, 4) +
           LittleEndian(1, 2) + LittleEndian(24, 2) + QByteArray(24, '\0');
    const tg::PictureLoad huge = tg::LoadPicture(WriteBytes("huge.bmp", bmp));
    EXPECT_FALSE(huge.Ok());
    EXPECT_TRUE(huge.Error.startsWith("Cannot read picture huge.bmp")) << huge.Error.toStdString();
    EXPECT_TRUE(huge.Image.isNull());
}

TEST_F(PictureFiles, HundredMegapixelPhotos) {
    QImage big(10000, 10000, QImage::Format_RGB888);
    big.fill(QColor(10, 120, 230));
    const tg::PictureLoad load = tg::LoadPicture(Write("big.png", big));
    ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
    EXPECT_EQ(load.Image.size(), QSize(10000, 10000));
    ExpectRgb(load.Image, 9999, 9999, qRgb(10, 120, 230));
}

TEST_F(PictureFiles, ReducedScaleJpegKeepsTheFullSize) {
    QImage photo(2400, 1600, QImage::Format_RGB32);
    photo.fill(QColor(90, 90, 90));
    const QString path = Write("photo.jpg", photo);
    const tg::PictureLoad load = tg::LoadPicture(path, 300);
    ASSERT_TRUE(load.Ok());
    EXPECT_EQ(load.FullSize, QSize(2400, 1600));
    EXPECT_EQ(load.Image.size(), QSize(300, 200)); // decoded at an eighth
    EXPECT_EQ(tg::LoadPicture(path).Image.size(), QSize(2400, 1600));
}
