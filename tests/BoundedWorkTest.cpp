// The working image stays within its bounds for pictures of any shape, in the
// window and in the converter: steps beyond them are refused with a message,
// quickly, and everything stays as it was.
#include "convert/WorkLimit.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QtEndian>

namespace {

// A run-length encoded 8-bit bitmap of width x height pixels that holds four
// white pixels and then ends: a few dozen bytes for any size.
QByteArray RleBitmap(int width, int height) {
    const auto le = [](quint32 value, int bytes) {
        QByteArray out(bytes, '\0');
        for (int i = 0; i < bytes; ++i)
            out[i] = char((value >> (8 * i)) & 0xFF);
        return out;
    };
    const QByteArray palette("\x00\x00\x00\x00\xFF\xFF\xFF\x00", 8);
    const QByteArray pixels("\x04\x01\x00\x00\x00\x01", 6); // 4 x white, end of line, end
    const int offset = 14 + 40 + palette.size();
    QByteArray bmp = "BM" + le(offset + pixels.size(), 4) + le(0, 4) + le(offset, 4);
    bmp += le(40, 4) + le(quint32(width), 4) + le(quint32(height), 4) + le(1, 2) + le(8, 2);
    bmp += le(1, 4) /* RLE8 */ + le(pixels.size(), 4) + le(2835, 4) + le(2835, 4) + le(2, 4) +
           le(0, 4);
    return bmp + palette + pixels;
}

std::function<int(QDialog&)> EnterAngle(const QString& text) {
    return [text](QDialog& dialog) {
        auto& query = dynamic_cast<QInputDialog&>(dialog);
        query.setTextValue(text);
        query.accept();
        return query.result();
    };
}

class BoundedWorkTest : public WindowTest {
protected:
    QString WriteBytes(const QString& name, const QByteArray& bytes) {
        const QString path = Path(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString Message() const { return Form->StatusBar1->currentMessage(); }
    static bool Refusal(const QString& message) {
        return message.startsWith(QStringLiteral("The working image of")) &&
               message.contains(QStringLiteral("would be too large"));
    }
};

struct Hostile {
    const char* Name;
    int Width, Height;
    QStringList Arguments; // for the converter
    const char* Size;      // of the working image the converter refuses
};

const Hostile HostilePictures[] = {
    {"tall1.bmp", 1, 10'000'000, {"--width", "10"}, "10 x 100000000"},
    {"tall40.bmp", 40, 65'509, {"--width", "300"}, "300 x 491317"},
    {"tall40-default.bmp", 40, 65'509, {}, "40 x 65509"},
    // 300 x 10^10 rows does not fit an int: the height must not wrap to a small one.
    {"tall100m.bmp", 1, 100'000'000, {"--width", "300"}, "300 x 2147483647"},
};

} // namespace

TEST_F(BoundedWorkTest, HostilePicturesAreRefusedAndThePreviousOneStays) {
    Open(WritePicture(QStringLiteral("ordinary.png"), Ramp(60, 40)));
    ASSERT_EQ(Form->WorkView.size(), QSize(60, 40));
    const QImage work = Form->WorkView;
    const QStringList lines = Form->ArtLines;
    for (const Hostile& h : HostilePictures) {
        SCOPED_TRACE(h.Name);
        Open(WriteBytes(QString::fromLatin1(h.Name), RleBitmap(h.Width, h.Height)));
        EXPECT_TRUE(Refusal(Message())) << Message().toStdString();
        EXPECT_EQ(Form->Picture.Width(), 60);
        EXPECT_EQ(Form->WorkView, work);
        EXPECT_EQ(Form->ArtLines, lines);
        EXPECT_EQ(Form->ImageFileName, "ordinary.png");
        EXPECT_EQ(Form->TrackBarSize->value(), 60);
    }
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join('\n').toStdString();
}

TEST_F(BoundedWorkTest, ASizeStepBeyondTheBoundIsRefusedAndTheSliderGoesBack) {
    // 100 x 1001: at width 299 the working image has 2992 rows, at 300 it
    // would have 3003.
    Open(WriteBytes(QStringLiteral("narrow.bmp"), RleBitmap(100, 1001)));
    ASSERT_EQ(Form->WorkView.size(), QSize(100, 1001));
    Form->TrackBarSize->setValue(299);
    EXPECT_EQ(Form->WorkView.size(), QSize(299, 2992));
    EXPECT_EQ(Form->ArtLines.size(), 2992);
    const QStringList lines = Form->ArtLines;

    Form->TrackBarSize->setValue(300);
    EXPECT_EQ(Message(), "The working image of 300 x 3003 cells would be too large: at most 3000 "
                         "rows or columns and 1000000 cells");
    EXPECT_EQ(Form->TrackBarSize->value(), 299);
    EXPECT_EQ(Form->ArtWidth, 299);
    EXPECT_EQ(Form->EditImageSize->text(), "299");
    EXPECT_EQ(Form->WorkView.size(), QSize(299, 2992));
    EXPECT_EQ(Form->ArtLines, lines);

    // The next step that fits is taken, and the message goes.
    Form->TrackBarSize->setValue(150);
    EXPECT_EQ(Form->WorkView.size(), QSize(150, 1501));
    EXPECT_TRUE(Message().isEmpty());
}

TEST_F(BoundedWorkTest, NineFreeTurnsStopAtTheBound) {
    Open(WritePicture(QStringLiteral("photo.png"), Ramp(400, 300)));
    ASSERT_EQ(Form->WorkView.size(), QSize(300, 225));
    int turned = 0;
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        const QImage before = Form->WorkView;
        const QSize picture = Form->Picture.Picture().size();
        Dialogs->Then(EnterAngle(QStringLiteral("45")));
        Form->ButtonRotateFree->click();
        EXPECT_TRUE(tg::WorkSizeFits(Form->WorkView.size()));
        if (Form->WorkView.size() != before.size()) {
            ++turned;
            EXPECT_TRUE(Message().isEmpty());
            continue;
        }
        // Refused: the working image, the picture and the text stay.
        EXPECT_TRUE(Refusal(Message())) << Message().toStdString();
        EXPECT_EQ(Form->WorkView, before);
        EXPECT_EQ(Form->Picture.Picture().size(), picture);
        EXPECT_EQ(Form->ArtLines.size(), before.height());
    }
    // 300 x 225 -> 372, 527, 746 square; 1055 x 1055 has too many cells.
    EXPECT_EQ(turned, 3);
    EXPECT_EQ(Form->WorkView.size(), QSize(746, 746));
    // A smaller width gives a working image of the turned picture again.
    Form->TrackBarSize->setValue(100);
    EXPECT_EQ(Form->WorkView.size(), QSize(100, 100));
}

TEST_F(BoundedWorkTest, ATurnBeyondTheLargestPictureIsRefused) {
    // 28300 x 1 pixels turned by 45 degrees needs 20012 x 20012, more than
    // the 400 megapixels accepted, while its working image stays small.
    const QString path = WriteBytes(QStringLiteral("line.bmp"), RleBitmap(28'300, 1));
    Open(path);
    ASSERT_EQ(Form->Picture.Width(), 28'300);
    const QImage work = Form->WorkView;
    Dialogs->Then(EnterAngle(QStringLiteral("45")));
    Form->ButtonRotateFree->click();
    EXPECT_EQ(Dialogs->Errors, QStringList{"Out of memory"});
    EXPECT_EQ(Form->Picture.Picture().size(), QSize(28'300, 1));
    EXPECT_EQ(Form->WorkView, work);

    const ConverterRun run = RunConverter({path, QStringLiteral("--rotate"), QStringLiteral("45")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "tessaglyph-convert: Out of memory\n");
}

TEST_F(BoundedWorkTest, TheConverterRefusesHostilePicturesWithOneLine) {
    for (const Hostile& h : HostilePictures) {
        SCOPED_TRACE(h.Name);
        const QString picture =
            WriteBytes(QString::fromLatin1(h.Name), RleBitmap(h.Width, h.Height));
        const QString output = Path(QStringLiteral("out.html"));
        const ConverterRun run =
            RunConverter(QStringList{picture, QStringLiteral("-o"), output} + h.Arguments);
        EXPECT_EQ(run.Status, 1);
        EXPECT_EQ(run.Err, QByteArray("tessaglyph-convert: The working image of ") + h.Size +
                               " cells would be too large: at most 3000 rows or columns and "
                               "1000000 cells\n");
        EXPECT_FALSE(QFile::exists(output));
    }
    // The largest working image is made: 300 x 3000 cells.
    const QString largest = WriteBytes(QStringLiteral("largest.bmp"), RleBitmap(100, 1000));
    const ConverterRun run =
        RunConverter({largest, QStringLiteral("--width"), QStringLiteral("300")});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_EQ(run.Out.count("\r\n"), 3000);
}
