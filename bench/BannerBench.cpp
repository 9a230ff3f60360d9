// One keystroke on the Text page: a 20-character text typed into EditText
// is drawn, walked and put into RichEditText, which lays out and paints it.
// The argument is the rendering font's size in points.
#include "app/Application.h"
#include "app/TForm1.h"
#include "banner/Banner.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

const QString Typed = QStringLiteral("Tessaglyph banner 20");

// The window lives until main closes it, before the application ends.
std::unique_ptr<TForm1> Window;

TForm1& TextPage() {
    static QTemporaryDir folder;
    if (Window == nullptr) {
        Window = std::make_unique<TForm1>(folder.path());
        Window->FirstStart = false;
        Window->show();
        QApplication::setActiveWindow(Window.get());
        Window->PageControl2->setCurrentWidget(Window->TabSheetText);
        Window->EditText->setFocus();
    }
    return *Window;
}

// The keystroke as the user makes it: the last character is typed again
// (alternately removed and added), the handler renders, and the box is laid
// out and painted before the next key.
void Keystroke(benchmark::State& state) {
    TForm1& form = TextPage();
    form.Banner.Font = QFont(QStringLiteral("Courier New"), int(state.range(0)));
    form.EditText->setText(Typed);
    QCoreApplication::processEvents();
    bool full = true;
    for (auto _ : state) {
        full = !full;
        form.EditText->setText(full ? Typed : Typed.left(19));
        form.RichEditText->viewport()->repaint();
        QCoreApplication::processEvents();
    }
    form.EditText->setText(Typed);
    state.SetLabel(QStringLiteral("%1x%2 pixels, %3 rows")
                       .arg(form.BannerBitmap.width())
                       .arg(form.BannerBitmap.height())
                       .arg(form.RichEditText->document()->blockCount())
                       .toStdString());
}
BENCHMARK(Keystroke)->Arg(8)->Arg(36)->Arg(72)->Unit(benchmark::kMillisecond);

// The widget-free part alone: drawing the text and walking its pixels.
void RenderRows(benchmark::State& state) {
    tg::BannerSession session;
    session.Text = Typed;
    session.Font = QFont(QStringLiteral("Courier New"), int(state.range(0)));
    for (auto _ : state) {
        session.Render();
        benchmark::DoNotOptimize(session.Rows.size());
    }
}
BENCHMARK(RenderRows)->Arg(8)->Arg(36)->Arg(72)->Unit(benchmark::kMillisecond);

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
    Window.reset();
    return 0;
}
