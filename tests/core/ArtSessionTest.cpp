// The picture session alone: how takes, widths and turns move the working size.
#include "convert/ArtSession.h"
#include "common/AppError.h"

#include <gtest/gtest.h>

namespace {

QImage Gray(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(100, 100, 100));
    return image;
}

TEST(ArtSession, WorkingSizeFollowsTakesWidthsAndTurns) {
    tg::ArtSession session;
    EXPECT_FALSE(session.HasPicture());
    session.SetWidth(500); // before a picture: only the width, clamped
    EXPECT_EQ(session.ArtWidth(), tg::MaxArtWidth);
    EXPECT_TRUE(session.WorkImage().isNull());
    EXPECT_TRUE(session.Render().Lines.isEmpty());

    session.TakePicture(Gray(400, 300));
    EXPECT_EQ(session.WorkSize(), QSize(300, 225));
    session.Turn(-30);
    EXPECT_EQ(session.WorkSize(), QSize(373, 345)); // a free turn enlarges
    EXPECT_EQ(session.ArtWidth(), 300);             // the width stays as chosen
    session.SetWidth(60);
    EXPECT_EQ(session.WorkSize(), QSize(60, 55)); // proportions of the turned picture
    session.Turn(90);
    EXPECT_EQ(session.WorkSize(), QSize(55, 60));
    EXPECT_EQ(session.WorkImage().size(), QSize(55, 60));
    EXPECT_EQ(session.Render().Lines.size(), 60);

    session.TakePicture(Gray(5, 5)); // a new picture: its width, clamped
    EXPECT_EQ(session.WorkSize(), QSize(10, 10));
    session.TakePicture(Gray(1000, 3));
    EXPECT_EQ(session.WorkSize(), QSize(300, 1));
}

TEST(ArtSession, ReducedScaleDecodesFollowTheFullSize) {
    tg::ArtSession session;
    // A 4000 x 3000 picture decoded at 1/8: the width is the picture's own.
    session.TakePicture(Gray(500, 375), QSize(4000, 3000));
    EXPECT_EQ(session.ArtWidth(), 300);
    EXPECT_EQ(session.WorkSize(), QSize(300, 225));
    session.Turn(90);
    session.SetWidth(100);
    EXPECT_EQ(session.WorkSize(), QSize(100, 133));
}

TEST(ArtSession, AdjustmentAndSymbolsApplyToTheCurrentPicture) {
    tg::ArtSession session;
    session.TakePicture(Gray(20, 10));
    session.SetAdjustment({-100, 0, 0});
    EXPECT_EQ(session.WorkImage().pixelColor(0, 0), QColor(0, 0, 0));
    EXPECT_EQ(session.Render().Lines.first(), QString(40, QLatin1Char('#')));
    session.Flip(tg::FlipDirection::Horizontal); // the adjustment stays
    EXPECT_EQ(session.WorkImage().pixelColor(0, 0), QColor(0, 0, 0));
    tg::SymbolChoice sentence;
    sentence.Custom = sentence.Sentence = true;
    sentence.CustomText = QStringLiteral("AB");
    session.SetSymbols(sentence);
    EXPECT_EQ(session.Render().Lines.at(1), QStringLiteral("A B ").repeated(10));
    session.SetAdjustment({});
    EXPECT_EQ(session.WorkImage().pixelColor(0, 0), QColor(100, 100, 100));
    EXPECT_EQ(session.Preview(QSize(5, 5)).pixelColor(0, 0), QColor(100, 100, 100));
}

TEST(ArtSession, ATurnTooLargeIsRefusedAndChangesNothing) {
    tg::ArtSession session;
    session.TakePicture(Gray(30000, 2));
    // Turned by 45 degrees it would be about 21200 x 21200 pixels, 450 MP.
    try {
        session.Turn(45);
        ADD_FAILURE() << "the turn was made";
    } catch (const tg::AppError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Out of memory"));
    }
    EXPECT_EQ(session.Picture().Picture().size(), QSize(30000, 2));
    EXPECT_EQ(session.WorkSize(), QSize(300, 1));
}

} // namespace
