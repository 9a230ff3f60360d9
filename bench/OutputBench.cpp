// Writing the converted picture: the HTML page of the largest working image
// and the GIF of a full result view.
#include "common/Codepage.h"
#include "convert/Render.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// A working image of many colours: hue across, value down.
QImage Work(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor::fromHsv(x * 359 / width, 200, 40 + y * 215 / height));
    return image;
}

void BM_BuildHtml(benchmark::State& state) {
    const QImage work = Work(300, 225);
    const tg::ArtText art = tg::RenderArtText(work, QStringLiteral("#MHOKLwaso*,. "), false);
    tg::HtmlPage page;
    page.Work = work;
    page.Lines = art.Lines;
    page.Title = QStringLiteral("bench");
    for (auto _ : state)
        benchmark::DoNotOptimize(tg::LinesToBytes(tg::BuildHtml(page)));
}
BENCHMARK(BM_BuildHtml)->Unit(benchmark::kMillisecond);

void BM_EncodeGif(benchmark::State& state) {
    // The result view as drawn: antialiased glyphs in many colours.
    const QImage work = Work(60, 45);
    const tg::ArtText art = tg::RenderArtText(work, QStringLiteral("#MHOKLwaso*,. "), false);
    QImage bitmap(634, 531, QImage::Format_RGB32);
    tg::GlyphCache glyphs(QFont(QStringLiteral("Courier New"), 8));
    tg::DrawArt(bitmap, work, art, glyphs, tg::CellPitch(8), Qt::white);
    for (auto _ : state)
        benchmark::DoNotOptimize(tg::EncodeGif(bitmap));
}
BENCHMARK(BM_EncodeGif)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
