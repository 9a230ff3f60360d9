// Making the working image from the picture.
#include "convert/Resample.h"
#include "tests/core/CoreSupport.h"

#include <gtest/gtest.h>

TEST(Resample, SameSizeIsTheIdentity) {
    const QImage picture = Ramp(40, 30);
    EXPECT_EQ(tg::ImagePyramid(picture).Resample(40), picture);
    EXPECT_EQ(tg::ResampleLinear(picture, 40, 30), picture);
}

TEST(Resample, HeightFollowsTheProportionsAndIsAtLeastOne) {
    struct Case {
        QSize Picture;
        int Width;
        QSize Expected;
    };
    const Case cases[] = {
        {{1200, 900}, 300, {300, 225}}, {{1000, 3}, 300, {300, 1}},  {{5, 5}, 10, {10, 10}},
        {{4000, 3000}, 10, {10, 7}},    {{3, 1000}, 10, {10, 3333}},
    };
    for (const Case& c : cases) {
        const tg::ImagePyramid pyramid(Solid(c.Picture.width(), c.Picture.height(), Qt::gray));
        EXPECT_EQ(pyramid.Resample(c.Width).size(), c.Expected)
            << c.Picture.width() << "x" << c.Picture.height() << " at " << c.Width;
    }
    EXPECT_TRUE(tg::ImagePyramid().Resample(60).isNull());
}

TEST(Resample, LargeReductionsAverageInsteadOfSkipping) {
    // One-pixel stripes of black and white: a reduction that skipped pixels
    // would show stripes or a solid colour; averaging gives an even gray.
    QImage stripes(4096, 64, QImage::Format_RGB888);
    for (int y = 0; y < stripes.height(); ++y)
        for (int x = 0; x < stripes.width(); ++x)
            stripes.setPixelColor(x, y, x % 2 ? Qt::white : Qt::black);
    const QImage work = tg::ImagePyramid(stripes).Resample(100);
    ASSERT_EQ(work.size(), QSize(100, 1));
    for (int x = 0; x < work.width(); ++x)
        EXPECT_NEAR(qGray(work.pixel(x, 0)), 128, 3) << x;
}

TEST(Resample, EnlargingInterpolatesBetweenNeighbours) {
    QImage two(2, 1, QImage::Format_RGB888);
    two.setPixelColor(0, 0, Qt::black);
    two.setPixelColor(1, 0, Qt::white);
    const QImage wide = tg::ResampleLinear(two, 8, 1);
    for (int x = 1; x < 8; ++x)
        EXPECT_GE(qGray(wide.pixel(x, 0)), qGray(wide.pixel(x - 1, 0)));
    EXPECT_EQ(qGray(wide.pixel(0, 0)), 0);
    EXPECT_EQ(qGray(wide.pixel(7, 0)), 255);
}
