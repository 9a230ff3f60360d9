// The converter and the window take the same steps through the same session:
// after the same steps the converter's rows are the window's ArtLines, byte
// for byte, on pictures larger than the widest working image.
#include "common/Codepage.h"
#include "tests/TestSupport.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QInputDialog>
#include <QPushButton>
#include <QSlider>

namespace {

// Every pixel different, with a dark bar near the top left, so flips, turns
// and sizes show in the rows.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool bar = x > width / 10 && x < width / 3 && y > height / 8 && y < height / 4;
            image.setPixelColor(x, y,
                                bar ? QColor(10, 20, 30)
                                    : QColor(x * 255 / width, y * 255 / height, (x + y) % 256));
        }
    return image;
}

// One step, as the window's control takes it and as the converter's option.
struct Step {
    enum Kind {
        Width,
        FlipH,
        FlipV,
        Turn90,
        Turn180,
        Turn270,
        Free,
        Bright,
        Contrast,
        Satur,
        Sentence,
        Symbol
    } What;
    int Value = 0;
};

QStringList Arguments(const std::vector<Step>& steps) {
    QStringList out;
    for (const Step& s : steps) {
        const QString v = QString::number(s.Value);
        switch (s.What) {
        case Step::Width:
            out << "--width" << v;
            break;
        case Step::FlipH:
            out << "--flip"
                << "h";
            break;
        case Step::FlipV:
            out << "--flip"
                << "v";
            break;
        case Step::Turn90:
            out << "--rotate"
                << "-90";
            break; // the button turns counter-clockwise
        case Step::Turn180:
            out << "--rotate"
                << "180";
            break;
        case Step::Turn270:
            out << "--rotate"
                << "90";
            break;
        case Step::Free:
            out << "--rotate" << v;
            break;
        case Step::Bright:
            out << "--brightness" << v;
            break;
        case Step::Contrast:
            out << "--contrast" << v;
            break;
        case Step::Satur:
            out << "--saturation" << v;
            break;
        case Step::Sentence:
            out << "--sentence"
                << "ASCII ";
            break;
        case Step::Symbol:
            out << "--symbol"
                << "@";
            break;
        }
    }
    return out;
}

class SameStepsTest : public WindowTest {
protected:
    void Take(const Step& s) {
        switch (s.What) {
        case Step::Width:
            Form->TrackBarSize->setValue(s.Value);
            break;
        case Step::FlipH:
            Form->ButtonFlipH->click();
            break;
        case Step::FlipV:
            Form->ButtonFlipV->click();
            break;
        case Step::Turn90:
            Form->ButtonRotate90->click();
            break;
        case Step::Turn180:
            Form->Button180->click();
            break;
        case Step::Turn270:
            Form->ButtonRotate270->click();
            break;
        case Step::Free:
            Dialogs->Then([text = QString::number(s.Value)](QDialog& dialog) {
                auto& query = dynamic_cast<QInputDialog&>(dialog);
                query.setTextValue(text);
                query.accept();
                return query.result();
            });
            Form->ButtonRotateFree->click();
            break;
        case Step::Bright:
            Form->TrackBarBrightness->setValue(s.Value);
            break;
        case Step::Contrast:
            Form->TrackBarContrast->setValue(s.Value);
            break;
        case Step::Satur:
            Form->TrackBarSaturation->setValue(s.Value);
            break;
        case Step::Sentence:
            Form->CheckBoxCustom->click();
            Form->RadioGroupCustomItems->button(1)->click();
            break;
        case Step::Symbol:
            Form->CheckBoxRandom->click();
            break;
        }
    }
};

TEST_F(SameStepsTest, ConverterRowsAreTheWindowsArtLines) {
    const QString png = WritePicture(QStringLiteral("images/photo.png"), Photo(400, 300));
    const QString tall = WritePicture(QStringLiteral("images/tall.png"), Photo(310, 720));
    using S = Step;
    const struct {
        QString Picture;
        std::vector<Step> Steps;
        QSize Work; // the working size after the steps
    } cases[] = {
        {png, {}, {300, 225}},
        {png, {{S::Free, 30}}, {373, 345}},
        {png, {{S::Width, 60}, {S::Free, 30}}, {75, 69}},
        {png, {{S::Free, 30}, {S::Width, 60}}, {60, 55}},
        {png, {{S::Width, 80}, {S::Turn90}, {S::FlipH}, {S::Bright, 30}}, {60, 80}},
        {png, {{S::FlipV}, {S::Turn270}, {S::Width, 50}, {S::Contrast, 40}}, {50, 66}},
        {png,
         {{S::Contrast, -20}, {S::Turn180}, {S::Free, -45}, {S::Width, 120}, {S::Satur, -60}},
         {120, 120}},
        {png, {{S::Width, 40}, {S::Free, 15}, {S::Turn90}, {S::Free, 20}, {S::Sentence}}, {54, 58}},
        {tall,
         {{S::Width, 100}, {S::Symbol}, {S::FlipH}, {S::Turn90}, {S::Bright, -40}},
         {232, 100}},
    };
    for (const auto& c : cases) {
        const QStringList arguments = QStringList{c.Picture} + Arguments(c.Steps);
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const ConverterRun run = RunConverter(arguments);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();

        Form = std::make_unique<TForm1>(Folder.path());
        Form->FirstStart = false;
        Form->show();
        Open(c.Picture);
        for (const Step& s : c.Steps)
            Take(s);
        EXPECT_EQ(Form->WorkView.size(), c.Work);
        EXPECT_EQ(run.Out, tg::LinesToBytes(Form->ArtLines));
        EXPECT_EQ(Form->ArtLines.size(), c.Work.height());
    }
    EXPECT_TRUE(Dialogs->Errors.isEmpty()) << Dialogs->Errors.join(' ').toStdString();
    EXPECT_EQ(Dialogs->Unexpected, 0);
}

} // namespace
