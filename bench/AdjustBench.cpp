// Slider steps, flips and turns on a small and on a 24-megapixel picture.
// A brightness step (adjustment, working image and render at width 300) should
// cost about the same for both sizes; flips and turns of the large picture
// should stay well under a second.
#include "app/Application.h"
#include "app/DialogSeam.h"
#include "app/TForm1.h"
#include "convert/Geometry.h"
#include "convert/Resample.h"

#include <QFileDialog>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A photo-like picture: smooth gradients with fine detail on top.
QImage Photo(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            const int detail = ((x * 7) ^ (y * 13)) & 31;
            row[3 * x] = uchar(x * 200 / width + detail);
            row[3 * x + 1] = uchar(y * 200 / height + detail);
            row[3 * x + 2] = uchar((x + y) * 100 / (width + height) + 2 * detail);
        }
    }
    return image;
}

QSize SizeOf(int megapixelTenths) {
    // 3:2 pictures: 0.3 MP is 672 x 448, 24 MP is 6000 x 4000.
    return megapixelTenths == 3 ? QSize(672, 448) : QSize(6000, 4000);
}

// The windows live until main closes them, before the application ends.
std::map<int, std::unique_ptr<TForm1>> Windows;

// One window per picture size, with the picture opened at width 300.
TForm1& WindowWith(int megapixelTenths) {
    static QTemporaryDir folder;
    auto& form = Windows[megapixelTenths];
    if (form == nullptr) {
        const QString path = folder.filePath(QStringLiteral("picture%1.bmp").arg(megapixelTenths));
        const QSize size = SizeOf(megapixelTenths);
        Photo(size.width(), size.height()).save(path);
        form = std::make_unique<TForm1>(folder.path());
        form->FirstStart = false;
        form->show();
        SetModalRunner([path](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectFile(path);
            static_cast<QDialog&>(files).accept();
            return files.result();
        });
        form->ButtonOpenImage->click();
        SetModalRunner({});
        form->TrackBarSize->setValue(300);
    }
    return *form;
}

void BrightnessStep(benchmark::State& state) {
    TForm1& form = WindowWith(int(state.range(0)));
    int value = 0;
    for (auto _ : state) {
        value = value == 20 ? 21 : 20;
        form.TrackBarBrightness->setValue(value);
        benchmark::DoNotOptimize(form.WorkView.constBits());
    }
    state.SetLabel(QStringLiteral("%1x%2 picture, %3x%4 working image")
                       .arg(form.Picture.Width())
                       .arg(form.Picture.Height())
                       .arg(form.WorkView.width())
                       .arg(form.WorkView.height())
                       .toStdString());
}
BENCHMARK(BrightnessStep)->Arg(3)->Arg(240)->Unit(benchmark::kMillisecond);

void FlipHWindow(benchmark::State& state) {
    TForm1& form = WindowWith(int(state.range(0)));
    for (auto _ : state)
        form.ButtonFlipH->click();
}
BENCHMARK(FlipHWindow)->Arg(240)->Unit(benchmark::kMillisecond);

void Rotate90Window(benchmark::State& state) {
    TForm1& form = WindowWith(int(state.range(0)));
    for (auto _ : state)
        form.ButtonRotate90->click();
}
BENCHMARK(Rotate90Window)->Arg(240)->Unit(benchmark::kMillisecond);

// A free turn builds a larger picture each time, so the window would grow
// with every iteration: this measures the turn and the rebuilt pyramid of a
// fixed picture, which is what the handler does before its render.
void FreeTurn30(benchmark::State& state) {
    const QSize size = SizeOf(int(state.range(0)));
    const QImage picture = Photo(size.width(), size.height());
    for (auto _ : state) {
        tg::ImagePyramid turned(tg::Rotated(picture, -30));
        benchmark::DoNotOptimize(turned.Width());
    }
}
BENCHMARK(FreeTurn30)->Arg(240)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Windows.clear();
    return 0;
}
