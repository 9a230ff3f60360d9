// Brightness, contrast and saturation, flips and turns: the colour arithmetic,
// the window's handlers and the converter's picture options.
#include "convert/Adjust.h"
#include "common/Codepage.h"
#include "convert/Geometry.h"
#include "tests/TestSupport.h"

#include <QInputDialog>
#include <QProcess>
#include <QPushButton>
#include <QSlider>
#include <functional>

namespace {

// 60 x 45 pixels, every one different: flips and turns show in every pixel.
QImage Pattern(int width = 60, int height = 45) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x * 4 % 256, y * 5 % 256, (x * y + 40) % 256));
    return image;
}

struct Stats {
    double Mean = 0;   // mean channel level
    double Spread = 0; // mean distance of the gray from the image's mean gray
    double Chroma = 0; // mean difference of the largest and smallest channel
};

Stats Measure(const QImage& image) {
    Stats s;
    const int n = image.width() * image.height();
    std::vector<double> grays;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const double gray = (c.red() + c.green() + c.blue()) / 3.0;
            grays.push_back(gray);
            s.Mean += gray / n;
            s.Chroma += double(std::max({c.red(), c.green(), c.blue()}) -
                               std::min({c.red(), c.green(), c.blue()})) /
                        n;
        }
    for (double gray : grays)
        s.Spread += std::abs(gray - s.Mean) / n;
    return s;
}

int Sign(double d) {
    return d > 0.5 ? 1 : d < -0.5 ? -1 : 0;
}

// Answers the free rotation query with text; offered receives the preset text.
std::function<int(QDialog&)> Enter(const QString& text, QString* offered = nullptr) {
    return [text, offered](QDialog& dialog) {
        auto& query = dynamic_cast<QInputDialog&>(dialog);
        EXPECT_EQ(query.windowTitle(), QStringLiteral("Free Rotation"));
        EXPECT_EQ(query.labelText(), QStringLiteral("Enter Angle"));
        if (offered != nullptr)
            *offered = query.textValue();
        query.setTextValue(text);
        query.accept();
        return query.result();
    };
}

const QStringList Sentinel = {QStringLiteral("not rendered")};

class AdjustTest : public WindowTest {
public:
    void SetUp() override {
        WindowTest::SetUp();
        PatternPath = WritePicture(QStringLiteral("images/pattern.png"), Pattern());
    }
    void OpenIn(TForm1& form, const QString& path) {
        Dialogs->ChooseFile(path);
        form.ButtonOpenImage->click();
    }
    void Rotate(TForm1& form, const QString& text) {
        Dialogs->Then(Enter(text));
        form.ButtonRotateFree->click();
    }
    std::unique_ptr<TForm1> NewWindow() {
        auto form = std::make_unique<TForm1>(Folder.path());
        form->FirstStart = false;
        form->show();
        return form;
    }
    QString PatternPath;
};

} // namespace

TEST(Adjust, ColourEffectsFollowTheSigns) {
    const QImage source = Pattern();
    const Stats base = Measure(source);
    EXPECT_EQ(tg::Adjusted(source, {}), source);
    struct Case {
        tg::Adjustment Values;
        int Mean, Spread, Chroma; // expected sign of the change; 2: any
    } const cases[] = {
        {{-50, 0, 0}, -1, -1, -1}, {{60, 0, 0}, 1, -1, -1}, {{512, 0, 0}, 1, -1, -1},
        {{0, -50, 0}, 2, -1, -1},  {{0, 50, 0}, 2, 1, 2},   {{0, 0, -50}, 2, 2, -1},
        {{0, 0, 60}, 2, 2, 1},     {{20, 10, 30}, 1, 2, 2},
    };
    for (const Case& c : cases) {
        const tg::Adjustment& a = c.Values;
        const Stats s = Measure(tg::Adjusted(source, a));
        const std::string name = std::to_string(a.Brightness) + "," + std::to_string(a.Contrast) +
                                 "," + std::to_string(a.Saturation);
        if (c.Mean != 2) {
            EXPECT_EQ(Sign(s.Mean - base.Mean), c.Mean) << name;
        }
        if (c.Spread != 2) {
            EXPECT_EQ(Sign(s.Spread - base.Spread), c.Spread) << name;
        }
        if (c.Chroma != 2) {
            EXPECT_EQ(Sign(s.Chroma - base.Chroma), c.Chroma) << name;
        }
    }
    // The ends of the sliders.
    const QImage black = tg::Adjusted(source, {-100, 0, 0});
    EXPECT_EQ(black, Solid(60, 45, Qt::black));
    const QImage flat = tg::Adjusted(source, {0, -100, 0});
    EXPECT_EQ(flat, Solid(60, 45, QColor(128, 128, 128)));
    const QImage gray = tg::Adjusted(source, {0, 0, -100});
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 60; ++x) {
            const QColor c = gray.pixelColor(x, y);
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
        }
    const QImage threshold = tg::Adjusted(source, {0, 100, 0});
    const uchar* p = threshold.constBits();
    for (qsizetype i = 0; i < threshold.sizeInBytes(); ++i)
        ASSERT_TRUE(p[i] == 0 || p[i] == 255 || i % threshold.bytesPerLine() >= 180);
}

TEST(Adjust, ToneCurveIsMonotoneAndKeepsBlackAndWhiteWhereItShould) {
    for (int b = tg::MinBrightness; b <= tg::MaxBrightness; b += 7)
        for (int c = tg::MinContrast; c <= tg::MaxContrast; c += 9) {
            const auto curve = tg::ToneCurve(b, c);
            for (int v = 1; v < 256; ++v)
                ASSERT_LE(curve[v - 1], curve[v]) << b << " " << c << " at " << v;
        }
    // Brightening keeps white and darkening keeps black, at any step.
    for (int b : {-100, -30, 1, 30, 512}) {
        const auto curve = tg::ToneCurve(b, 0);
        EXPECT_EQ(curve[b < 0 ? 0 : 255], b < 0 ? 0 : 255) << b;
        EXPECT_EQ(b < 0, curve[128] < 128) << b;
    }
}

TEST(Adjust, WholeNumbersAsTyped) {
    const struct {
        const char* Text;
        std::optional<int> Value;
    } cases[] = {{"45", 45},
                 {"-45", -45},
                 {"+7", 7},
                 {"0", 0},
                 {"2147483647", INT_MAX},
                 {"-2147483648", INT_MIN},
                 {"2147483648", {}},
                 {"", {}},
                 {"-", {}},
                 {"4.5", {}},
                 {" 45", {}},
                 {"45 ", {}},
                 {"0x10", {}},
                 {"abc", {}},
                 {"1e3", {}}};
    for (const auto& c : cases)
        EXPECT_EQ(tg::ParseWholeNumber(QString::fromLatin1(c.Text)), c.Value) << c.Text;
}

TEST_F(AdjustTest, SlidersApplyTheirCurrentValuesOnce) {
    Open(PatternPath);
    const QImage plain = Form->WorkView;
    ASSERT_EQ(plain, Pattern());

    Form->TrackBarBrightness->setValue(20);
    Form->TrackBarBrightness->setValue(30);
    const QImage stepped = Form->WorkView;
    EXPECT_EQ(stepped, tg::Adjusted(plain, {30, 0, 0}));
    Form->TrackBarBrightness->setValue(0);
    EXPECT_EQ(Form->WorkView, plain);
    Form->TrackBarBrightness->setValue(30);
    EXPECT_EQ(Form->WorkView, stepped);

    Form->TrackBarBrightness->setValue(20);
    Form->TrackBarContrast->setValue(10);
    EXPECT_EQ(Form->WorkView, tg::Adjusted(plain, {20, 10, 0}));
    Form->TrackBarSaturation->setValue(-40);
    EXPECT_EQ(Form->WorkView, tg::Adjusted(plain, {20, 10, -40}));
    EXPECT_EQ(Form->Brightness, 20);
    EXPECT_EQ(Form->Contrast, 10);
    EXPECT_EQ(Form->Saturation, -40);
    // The text follows the adjusted image.
    EXPECT_EQ(Form->ArtLines.size(), 45);
}

TEST_F(AdjustTest, AdjustmentChangeKeepsEveryOperationMadeSince) {
    const QString other =
        WritePicture(QStringLiteral("images/other.png"), Pattern(80, 30).mirrored(true, true));
    const struct {
        const char* Name;
        std::function<void(AdjustTest&, TForm1&)> Step;
        QSize Work;
    } operations[] = {
        {"flip H", [](AdjustTest&, TForm1& f) { f.ButtonFlipH->click(); }, {60, 45}},
        {"flip V", [](AdjustTest&, TForm1& f) { f.ButtonFlipV->click(); }, {60, 45}},
        {"90", [](AdjustTest&, TForm1& f) { f.ButtonRotate90->click(); }, {45, 60}},
        {"180", [](AdjustTest&, TForm1& f) { f.Button180->click(); }, {60, 45}},
        {"270", [](AdjustTest&, TForm1& f) { f.ButtonRotate270->click(); }, {45, 60}},
        {"free 30", [](AdjustTest& t, TForm1& f) { t.Rotate(f, QStringLiteral("30")); }, {75, 69}},
        {"size 30", [](AdjustTest&, TForm1& f) { f.TrackBarSize->setValue(30); }, {30, 22}},
        {"new picture", [other](AdjustTest& t, TForm1& f) { t.OpenIn(f, other); }, {80, 30}},
    };
    auto without = NewWindow();
    OpenIn(*without, PatternPath);
    without->TrackBarBrightness->setValue(20);
    without->TrackBarContrast->setValue(10);
    auto between = NewWindow();
    auto before = NewWindow();
    for (const auto& op : operations) {
        SCOPED_TRACE(op.Name);
        for (TForm1* form : {between.get(), before.get()}) {
            form->TrackBarBrightness->setValue(0);
            form->TrackBarContrast->setValue(0);
            OpenIn(*form, PatternPath);
        }
        // Between two slider changes, and before both: the same result.
        between->TrackBarBrightness->setValue(20);
        op.Step(*this, *between);
        between->TrackBarContrast->setValue(10);
        op.Step(*this, *before);
        before->TrackBarBrightness->setValue(20);
        before->TrackBarContrast->setValue(10);

        EXPECT_EQ(between->WorkView.size(), op.Work);
        EXPECT_EQ(between->WorkView, before->WorkView);
        EXPECT_EQ(between->ArtLines, before->ArtLines);
        EXPECT_NE(between->WorkView, without->WorkView);
        // Taking the adjustment back shows the operation alone.
        between->TrackBarBrightness->setValue(0);
        between->TrackBarContrast->setValue(0);
        before->TrackBarBrightness->setValue(0);
        before->TrackBarContrast->setValue(0);
        EXPECT_EQ(between->WorkView, before->WorkView);
    }
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(AdjustTest, QuarterTurnsAndFlipsMovePixelsExactly) {
    Open(PatternPath);
    const QImage p = Pattern();
    // Where the pixel (x, y) of the 60 x 45 picture lands.
    const struct {
        QPushButton* TForm1::*Button;
        QSize Size;
        std::function<QPoint(int, int)> To;
    } cases[] = {
        {&TForm1::ButtonRotate90, {45, 60}, [](int x, int y) { return QPoint(y, 59 - x); }},
        {&TForm1::Button180, {60, 45}, [](int x, int y) { return QPoint(59 - x, 44 - y); }},
        {&TForm1::ButtonRotate270, {45, 60}, [](int x, int y) { return QPoint(44 - y, x); }},
        {&TForm1::ButtonFlipH, {60, 45}, [](int x, int y) { return QPoint(59 - x, y); }},
        {&TForm1::ButtonFlipV, {60, 45}, [](int x, int y) { return QPoint(x, 44 - y); }},
    };
    for (const auto& c : cases) {
        QPushButton* button = (*Form).*c.Button;
        SCOPED_TRACE(button->objectName().toStdString());
        button->click();
        ASSERT_EQ(Form->WorkView.size(), c.Size);
        ASSERT_EQ(Form->Picture.Picture().size(), c.Size);
        for (int y = 0; y < 45; ++y)
            for (int x = 0; x < 60; ++x)
                ASSERT_EQ(Form->WorkView.pixelColor(c.To(x, y)), p.pixelColor(x, y))
                    << x << "," << y;
        EXPECT_EQ(Form->ArtLines.size(), c.Size.height());
        EXPECT_EQ(Form->ArtLines.first().size(), 2 * c.Size.width());
        // The size slider keeps the width chosen before.
        EXPECT_EQ(Form->TrackBarSize->value(), 60);
        // The button's counterpart brings the picture back.
        QPushButton* back = c.Button == &TForm1::ButtonRotate90    ? Form->ButtonRotate270
                            : c.Button == &TForm1::ButtonRotate270 ? Form->ButtonRotate90
                                                                   : button;
        back->click();
        ASSERT_EQ(Form->WorkView, p);
        ASSERT_EQ(Form->Picture.Picture(), p);
    }
    // A size change after a turn follows the turned picture.
    Form->ButtonRotate90->click();
    Form->TrackBarSize->setValue(30);
    EXPECT_EQ(Form->WorkView.size(), QSize(30, 40));
}

TEST_F(AdjustTest, FreeRotationTurnsClockwiseForPositiveEntries) {
    // Exact quarter turns through the query: positive is clockwise.
    const struct {
        const char* Entry;
        QPushButton* TForm1::*Same;
    } quarters[] = {{"90", &TForm1::ButtonRotate270},
                    {"-90", &TForm1::ButtonRotate90},
                    {"450", &TForm1::ButtonRotate270},
                    {"180", &TForm1::Button180}};
    auto typed = NewWindow();
    auto clicked = NewWindow();
    for (const auto& q : quarters) {
        SCOPED_TRACE(q.Entry);
        OpenIn(*typed, PatternPath);
        Rotate(*typed, QString::fromLatin1(q.Entry));
        OpenIn(*clicked, PatternPath);
        ((*clicked).*q.Same)->click();
        EXPECT_EQ(typed->WorkView, clicked->WorkView);
        EXPECT_EQ(typed->Picture.Picture(), clicked->Picture.Picture());
    }

    // A red top-left corner turned by 45 degrees: clockwise it rises to the
    // top edge, counter-clockwise it sinks to the left edge.
    QImage marked = Solid(60, 45, QColor(0, 0, 200));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            marked.setPixelColor(x, y, Qt::red);
    const QString path = WritePicture(QStringLiteral("images/marked.png"), marked);
    const struct {
        const char* Entry;
        QPointF Where; // expected centre of the red area, as a fraction of the size
    } turns[] = {{"45", {0.43, 0.08}}, {"-45", {0.08, 0.57}}};
    for (const auto& t : turns) {
        SCOPED_TRACE(t.Entry);
        Open(path);
        Rotate(*Form, QString::fromLatin1(t.Entry));
        const QImage& work = Form->WorkView;
        EXPECT_EQ(work.size(), QSize(75, 75));
        double sx = 0, sy = 0, n = 0;
        for (int y = 0; y < work.height(); ++y)
            for (int x = 0; x < work.width(); ++x) {
                const QColor c = work.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                    sx += x, sy += y, ++n;
            }
        ASSERT_GT(n, 0);
        EXPECT_NEAR(sx / n / work.width(), t.Where.x(), 0.06);
        EXPECT_NEAR(sy / n / work.height(), t.Where.y(), 0.06);
    }
}

TEST_F(AdjustTest, FreeRotationLeavesWhiteCornersWhateverTheBackground) {
    Form->BackColor = QColor(0, 0, 255);
    Open(WritePicture(QStringLiteral("images/gray.png"), Solid(60, 45, QColor(90, 90, 90))));
    Rotate(*Form, QStringLiteral("30"));
    const QImage& work = Form->WorkView;
    ASSERT_EQ(work.size(), QSize(75, 69));
    EXPECT_EQ(Form->Picture.Picture().size(), QSize(75, 69));
    for (QPoint corner : {QPoint(0, 0), QPoint(74, 0), QPoint(0, 68), QPoint(74, 68)})
        EXPECT_EQ(work.pixelColor(corner), QColor(Qt::white)) << corner.x() << "," << corner.y();
    EXPECT_EQ(work.pixelColor(37, 34), QColor(90, 90, 90));
    // White renders as blanks, the picture as its symbols, on blue.
    EXPECT_TRUE(Form->ArtLines.first().startsWith(QStringLiteral("    ")));
    EXPECT_EQ(Form->ArtLines[34].mid(72, 4), QStringLiteral("KKKK"));
    EXPECT_EQ(Form->ImageASCII->Bitmap().pixelColor(0, 0), QColor(0, 0, 255));
    // The edges are smoothed: between gray and white, never darker or lighter.
    int blended = 0;
    for (int x = 0; x < work.width(); ++x) {
        const int level = work.pixelColor(x, 10).red();
        EXPECT_TRUE(level >= 90 && level <= 255) << x;
        blended += level > 92 && level < 253;
    }
    EXPECT_GE(blended, 1);
}

TEST_F(AdjustTest, FreeRotationRejectsAnythingButAWholeNumber) {
    Open(PatternPath);
    const QImage before = Form->Picture.Picture();
    QString offered;
    Dialogs->Then(Enter(QStringLiteral("abc"), &offered));
    Form->ArtLines = Sentinel;
    Form->ButtonRotateFree->click();
    EXPECT_EQ(offered, QString()) << "empty at the first use";
    EXPECT_EQ(Dialogs->Errors, QStringList{QStringLiteral("'abc' is not a valid integer value")});
    EXPECT_EQ(Form->ArtLines, Sentinel);
    EXPECT_EQ(Form->Picture.Picture(), before);
    EXPECT_EQ(Form->AngleText, QStringLiteral("abc"));

    // The next use offers the rejected text; cancelling keeps it and renders nothing.
    Dialogs->Then([&offered](QDialog& dialog) {
        offered = dynamic_cast<QInputDialog&>(dialog).textValue();
        dialog.reject();
        return dialog.result();
    });
    Form->ButtonRotateFree->click();
    EXPECT_EQ(offered, QStringLiteral("abc"));
    EXPECT_EQ(Form->AngleText, QStringLiteral("abc"));
    EXPECT_EQ(Form->ArtLines, Sentinel);

    // 0 turns nothing but renders again.
    Dialogs->Then(Enter(QStringLiteral("0"), &offered));
    Form->ButtonRotateFree->click();
    EXPECT_EQ(offered, QStringLiteral("abc"));
    EXPECT_EQ(Form->AngleText, QStringLiteral("0"));
    EXPECT_EQ(Form->Picture.Picture(), before);
    EXPECT_EQ(Form->ArtLines.size(), 45);
    EXPECT_EQ(Dialogs->Errors.size(), 1);
}

TEST_F(AdjustTest, PreviewShowsTheAdjustedAndTurnedPicture) {
    // Larger than the preview, half black on the left and half white.
    QImage halves = Solid(800, 600, Qt::white);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 400; ++x)
            halves.setPixelColor(x, y, Qt::black);
    Open(WritePicture(QStringLiteral("images/halves.png"), halves));
    const auto shown = [this](double fx) {
        const QImage view = Form->ImageOrg->grab().toImage();
        return view.pixelColor(int(view.width() * fx), view.height() / 2);
    };
    EXPECT_EQ(shown(0.3), QColor(Qt::black));
    EXPECT_EQ(shown(0.7), QColor(Qt::white));
    Form->ButtonFlipH->click();
    EXPECT_EQ(shown(0.3), QColor(Qt::white));
    EXPECT_EQ(shown(0.7), QColor(Qt::black));
    Form->TrackBarBrightness->setValue(-100);
    EXPECT_EQ(shown(0.3), QColor(Qt::black));
    Form->TrackBarBrightness->setValue(100);
    EXPECT_GT(shown(0.7).red(), 100);
    EXPECT_EQ(Form->ImageOrg->Bitmap().size(), QSize(800, 600));
}

TEST_F(AdjustTest, OperationsWithoutAPictureRenderTheEmptyResult) {
    for (QPushButton* button : {Form->ButtonFlipH, Form->ButtonFlipV, Form->ButtonRotate90,
                                Form->Button180, Form->ButtonRotate270}) {
        Form->ArtLines = Sentinel;
        button->click();
        EXPECT_TRUE(Form->ArtLines.isEmpty()) << button->objectName().toStdString();
    }
    Form->ArtLines = Sentinel;
    Form->TrackBarSaturation->setValue(50);
    EXPECT_TRUE(Form->ArtLines.isEmpty());
    Rotate(*Form, QStringLiteral("30"));
    EXPECT_TRUE(Form->WorkView.isNull());
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
}

TEST_F(AdjustTest, ConverterAppliesThePictureOptionsAsTheWindowDoes) {
    const struct {
        QStringList Arguments;
        std::function<void(AdjustTest&, TForm1&)> Steps;
    } cases[] = {
        {{"--flip", "h", "--rotate", "90", "--brightness", "30"},
         [](AdjustTest&, TForm1& f) {
             f.ButtonFlipH->click();
             f.ButtonRotate270->click();
             f.TrackBarBrightness->setValue(30);
         }},
        {{"--contrast", "40", "--rotate", "90", "--flip", "h"},
         [](AdjustTest&, TForm1& f) {
             f.TrackBarContrast->setValue(40);
             f.ButtonRotate270->click();
             f.ButtonFlipH->click();
         }},
        {{"--rotate", "-30", "--saturation", "-60", "--flip", "v"},
         [](AdjustTest& t, TForm1& f) {
             t.Rotate(f, QStringLiteral("-30"));
             f.TrackBarSaturation->setValue(-60);
             f.ButtonFlipV->click();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Arguments.join(QLatin1Char(' ')).toStdString());
        const ConverterRun run = RunConverter(QStringList{PatternPath} + c.Arguments);
        ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
        auto window = NewWindow();
        OpenIn(*window, PatternPath);
        c.Steps(*this, *window);
        EXPECT_EQ(run.Out, tg::LinesToBytes(window->ArtLines));
    }
    // The order of flips and turns counts.
    EXPECT_NE(RunConverter({PatternPath, "--flip", "h", "--rotate", "90"}).Out,
              RunConverter({PatternPath, "--rotate", "90", "--flip", "h"}).Out);
}

TEST_F(AdjustTest, ConverterRefusesValuesOutsideTheSliders) {
    const struct {
        QStringList Arguments;
        const char* Message;
    } cases[] = {
        {{"--brightness", "513"}, "--brightness takes a whole number from -100 to 512, not '513'"},
        {{"--brightness", "-101"}, "--brightness takes a whole number from -100 to 512"},
        {{"--contrast", "101"}, "--contrast takes a whole number from -100 to 100"},
        {{"--saturation", "abc"}, "--saturation takes a whole number from -100 to 100, not 'abc'"},
        {{"--flip", "x"}, "--flip takes h or v, not 'x'"},
        {{"--rotate", "4.5"}, "--rotate takes a whole number of degrees, not '4.5'"},
        {{"--rotate"}, "--rotate needs a value"},
    };
    for (const auto& c : cases) {
        const ConverterRun run = RunConverter(QStringList{PatternPath} + c.Arguments);
        EXPECT_EQ(run.Status, 1) << c.Message;
        EXPECT_TRUE(run.Err.contains(c.Message)) << run.Err.toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
    }
}
