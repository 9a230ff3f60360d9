// The bounds of the work: the largest working image, sizes that cannot be
// allocated, the check of a picture's size before it is decoded, and the
// large buffers.
#include "convert/Geometry.h"
#include "convert/ImageMemory.h"
#include "convert/Picture.h"
#include "convert/Resample.h"
#include "convert/WorkLimit.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <climits>
#include <gtest/gtest.h>

namespace {

QImage Pattern(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < 3 * width; ++x)
            row[x] = uchar((x * 7 + y * 13) % 251);
    }
    return image;
}

} // namespace

TEST(WorkLimit, RowsColumnsAndCells) {
    struct Case {
        QSize Size;
        bool Fits;
    };
    const Case cases[] = {
        {{300, 3000}, true},        {{3000, 300}, true},   {{1000, 1000}, true},
        {{3000, 333}, true},        {{10, 1}, true},       {{300, 3001}, false},
        {{3001, 1}, false},         {{1000, 1001}, false}, {{3000, 334}, false},
        {{10, 100'000'000}, false}, {{0, 10}, false},      {{INT_MAX, INT_MAX}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.Size.width() << " x " << c.Size.height());
        EXPECT_EQ(tg::WorkSizeFits(c.Size), c.Fits);
        EXPECT_EQ(tg::WorkSizeRefusal(c.Size).isEmpty(), c.Fits);
    }
    EXPECT_EQ(tg::WorkSizeRefusal({300, 3001}),
              "The working image of 300 x 3001 cells would be too "
              "large: at most 3000 rows or columns and 1000000 cells");
}

TEST(WorkLimit, TheHeightOfAnyPictureIsAnInt) {
    EXPECT_EQ(tg::WorkHeight(300, 1, 100'000'000), INT_MAX); // 3 * 10^10 does not wrap
    EXPECT_EQ(tg::WorkHeight(300, 1, INT_MAX), INT_MAX);
    EXPECT_EQ(tg::WorkHeight(10, 1, 10'000'000), 100'000'000);
    EXPECT_EQ(tg::WorkHeight(300, 1000, 3), 1);
}

TEST(LargeImages, SizesThatCannotBeHadGiveNullImagesNotWrites) {
    // Terabytes: no allocator gives them.
    EXPECT_TRUE(tg::NewRgb888(1'000'000, 1'000'000).isNull());
    EXPECT_TRUE(tg::NewRgb888(INT_MAX, INT_MAX).isNull());
    const QImage small = Pattern(20, 10);
    EXPECT_TRUE(tg::ResampleLinear(small, 300, 2'000'000'000).isNull());
    EXPECT_TRUE(tg::ResampleLinear(small, 2'000'000'000, 300).isNull());
    // A resample that fits still works.
    EXPECT_EQ(tg::ResampleLinear(small, 300, 3000).size(), QSize(300, 3000));
}

TEST(LargeImages, HugePageBuffersAreLaidOutAsQImagesOwn) {
    // Odd widths pad their lines; more than 8 MB takes the huge-page path.
    for (const QSize size : {QSize(1001, 3001), QSize(4096, 1024), QSize(3, 1'000'003)}) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        QImage image = tg::NewRgb888(size.width(), size.height());
        ASSERT_FALSE(image.isNull());
        const QImage reference(size, QImage::Format_RGB888);
        EXPECT_EQ(image.bytesPerLine(), reference.bytesPerLine());
        EXPECT_EQ(image.sizeInBytes(), reference.sizeInBytes());
        // Every byte of every line is the image's own.
        for (int y = 0; y < image.height(); ++y)
            std::memset(image.scanLine(y), y % 256, size_t(image.bytesPerLine()));
        EXPECT_EQ(image.constScanLine(image.height() - 1)[image.bytesPerLine() - 1],
                  (image.height() - 1) % 256);
    }
    // Flips and exact turns through such buffers move every pixel as Qt does.
    const QImage picture = Pattern(1501, 2003);
    EXPECT_EQ(tg::Flipped(picture, tg::FlipDirection::Horizontal), picture.mirrored(true, false));
    EXPECT_EQ(tg::Flipped(picture, tg::FlipDirection::Vertical), picture.mirrored(false, true));
    EXPECT_EQ(tg::Rotated(picture, 180), picture.mirrored(true, true));
    EXPECT_EQ(tg::Rotated(picture, 90), picture.transformed(QTransform().rotate(-90)));
    EXPECT_EQ(tg::Rotated(picture, 270), picture.transformed(QTransform().rotate(90)));
}

TEST(PictureIntake, TheSizeIsCheckedUprightBeforeDecoding) {
    // 8 x 4 pixels stored, tagged to be shown turned: 4 x 8 upright.
    QBuffer tiff;
    tiff.open(QIODevice::WriteOnly);
    QImageWriter writer(&tiff, "tiff");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(Pattern(8, 4)));
    tiff.close();

    QList<QSize> asked;
    tg::PictureRequest request;
    request.Refusal = [&](QSize size) {
        asked.append(size);
        return QStringLiteral("refused");
    };
    QBuffer device(&tiff.buffer());
    const tg::PictureLoad refused = tg::LoadPicture(device, QStringLiteral("turned.tif"), request);
    EXPECT_EQ(refused.Error, "refused");
    EXPECT_TRUE(refused.Image.isNull());
    EXPECT_EQ(asked, QList<QSize>{QSize(4, 8)});

    request.Refusal = [](QSize) { return QString(); };
    QBuffer again(&tiff.buffer());
    const tg::PictureLoad load = tg::LoadPicture(again, QStringLiteral("turned.tif"), request);
    ASSERT_TRUE(load.Ok()) << load.Error.toStdString();
    EXPECT_EQ(load.Image.size(), QSize(4, 8));
}

TEST(PictureIntake, AReadKeepsTheProcesssAllocationLimit) {
    // Set once at start, to what the largest picture accepted needs.
    const int limit = QImageReader::allocationLimit();
    EXPECT_GE(qint64(limit) * 1024 * 1024, tg::MaxPicturePixels * 4);
    QImageReader::setAllocationLimit(64);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(Pattern(30, 20).save(&png, "PNG"));
    png.close();
    QBuffer device(&png.buffer());
    EXPECT_TRUE(tg::LoadPicture(device, QStringLiteral("p.png"), {}).Ok());
    EXPECT_EQ(QImageReader::allocationLimit(), 64);
    QImageReader::setAllocationLimit(limit);
}

TEST(PictureIntake, ShortTargaFilesAreRefusedBeforeDecoding) {
    // Found by the picture fuzz target: 42 bytes whose header claims 47545 x
    // 262 pixels kept the reader busy for half a minute.
    for (const char* name : {"fuzz-picture-timeout.tga", "fuzz-picture-slow.tga"}) {
        SCOPED_TRACE(name);
        const tg::PictureLoad load = tg::LoadPicture(
            QStringLiteral(TESSAGLYPH_SOURCE_DIR "/tests/core/data/") + QLatin1String(name));
        EXPECT_EQ(load.Error,
                  QStringLiteral("Cannot read picture %1: the file is too short for its pixels")
                      .arg(QLatin1String(name)));
    }
    // A whole one still reads: 2 x 1 pixels, uncompressed.
    QByteArray tga(18, '\0');
    tga[2] = 2;
    tga[12] = 2;
    tga[14] = 1;
    tga[16] = 24;
    const QByteArray footer = QByteArray(8, '\0') + QByteArray("TRUEVISION-XFILE.", 18);
    QByteArray whole = tga + QByteArray("\x00\x00\xFF\xFF\x00\x00", 6) + footer;
    QBuffer device(&whole);
    EXPECT_TRUE(tg::LoadPicture(device, QStringLiteral("whole.tga"), {}).Ok());
}
