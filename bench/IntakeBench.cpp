// Opening a large photo and dragging the size slider, through the real window.
#include "app/Application.h"
#include "app/DialogSeam.h"
#include "app/TForm1.h"
#include "convert/ArtSession.h"
#include "convert/Picture.h"
#include "convert/Render.h"
#include "convert/Resample.h"

#include <QFileDialog>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* Folder = nullptr;

// A 4000 x 3000 photo-like JPEG, made once; TESSAGLYPH_PHOTO names another.
const QString& PhotoPath() {
    static const QString path = [] {
        if (qEnvironmentVariableIsSet("TESSAGLYPH_PHOTO"))
            return qEnvironmentVariable("TESSAGLYPH_PHOTO");
        const QString file = Folder->filePath(QStringLiteral("photo.jpg"));
        QImage photo(4000, 3000, QImage::Format_RGB32);
        quint32 seed = 1;
        for (int y = 0; y < photo.height(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                const int n = int(seed >> 29);
                row[x] = qRgb((x / 16 + n) & 255, (y / 12 + n) & 255, ((x + y) / 28) & 255);
            }
        }
        photo.save(file, "JPEG", 90);
        return file;
    }();
    return path;
}

TForm1& Window() {
    static TForm1* window = [] {
        auto* form = new TForm1(Folder->path());
        form->FirstStart = false;
        form->show();
        return form;
    }();
    return *window;
}

void OpenThroughTheDialog(TForm1& form, const QString& path) {
    SetModalRunner([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
    form.OpenImage();
    SetModalRunner({});
}

// (a) "Open" of a 4000 x 3000 JPEG up to the rendered result.
void OpenToRender(benchmark::State& state) {
    TForm1& form = Window();
    for (auto _ : state)
        OpenThroughTheDialog(form, PhotoPath());
    state.counters["lines"] = double(form.ArtLines.size());
}
BENCHMARK(OpenToRender)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// (b) One size-slider step at width 300 with that photo loaded.
void SizeSliderStep(benchmark::State& state) {
    TForm1& form = Window();
    OpenThroughTheDialog(form, PhotoPath());
    int width = 300;
    for (auto _ : state) {
        width = width == 300 ? 299 : 300;
        form.TrackBarSize->setValue(width);
    }
    state.counters["lines"] = double(form.ArtLines.size());
}
BENCHMARK(SizeSliderStep)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Taking a picture without the dialog, as the window takes it: read it in
// full, upright and 24-bit, build the pyramid, the preview and the first
// render (text and the drawing of the result view's size). Compare its CPU
// time with a plain full decode of the same file: djpeg -outfile /dev/null.
void TakePicture(benchmark::State& state) {
    tg::GlyphCache glyphs(tg::DefaultRenderingFont());
    QImage bitmap(634, 531, QImage::Format_RGB32);
    for (auto _ : state) {
        tg::PictureLoad load = tg::LoadPicture(PhotoPath());
        tg::ArtSession session;
        session.TakePicture(std::move(load.Image));
        benchmark::DoNotOptimize(session.Preview(QSize(200, 150)));
        const tg::ArtText art = session.Render();
        tg::DrawArt(bitmap, session.WorkImage(), art, glyphs, tg::CellPitch(tg::DefaultFontSize),
                    Qt::white);
    }
}
BENCHMARK(TakePicture)->Unit(benchmark::kMillisecond)->MinTime(2.0)->MeasureProcessCPUTime();

// The converter's path: reduced-scale decode, resample, text.
void ConvertToText(benchmark::State& state) {
    for (auto _ : state) {
        tg::PictureLoad load = tg::LoadPicture(PhotoPath(), 300);
        const QImage work =
            tg::ImagePyramid(std::move(load.Image))
                .Resample(300, tg::WorkHeight(300, load.FullSize.width(), load.FullSize.height()));
        benchmark::DoNotOptimize(tg::RenderArtText(work, QStringLiteral("#MHOKLwaso*,. "), false));
    }
}
BENCHMARK(ConvertToText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    QTemporaryDir folder;
    Folder = &folder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
