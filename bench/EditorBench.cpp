// The Editor page through the real window: growing the canvas, drawing one
// cell with the mouse up to its repaint, and saving and loading a full
// 1000 x 1000 canvas through the dialogs.
#include "app/Application.h"
#include "app/CharGrid.h"
#include "app/DialogSeam.h"
#include "app/TForm1.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* Folder = nullptr;

TForm1& Window() {
    static TForm1* window = [] {
        auto* form = new TForm1(Folder->path());
        form->FirstStart = false;
        form->show();
        form->PageControl2->setCurrentWidget(form->TabSheetEditor);
        QCoreApplication::processEvents();
        return form;
    }();
    return *window;
}

void SetCanvas(TForm1& form, int width, int height) {
    form.CSpinEditCanvasWidth->setValue(width);
    form.CSpinEditCanvasHeight->setValue(height);
}

// A 1000 x 1000 file of mixed characters.
const QString& FullFile() {
    static const QString path = [] {
        const QString file = Folder->filePath(QStringLiteral("full.txt"));
        QByteArray bytes;
        for (int row = 0; row < 1000; ++row) {
            for (int col = 0; col < 1000; ++col)
                bytes += char(33 + (row * 7 + col * 3) % 90);
            bytes += "\r\n";
        }
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return file;
    }();
    return path;
}

void Choose(const QString& path) {
    SetModalRunner([path](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        files.selectFile(path);
        static_cast<QDialog&>(files).accept();
        return files.result();
    });
}

void Click(QWidget* view, QPoint at) {
    QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, view->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &release);
}

// 100 x 100 to 1000 x 1000, repainted.
void ResizeCanvas(benchmark::State& state) {
    TForm1& form = Window();
    for (auto _ : state) {
        state.PauseTiming();
        SetCanvas(form, 100, 100);
        form.StringGrid1->viewport()->repaint();
        state.ResumeTiming();
        SetCanvas(form, 1000, 1000);
        form.StringGrid1->viewport()->repaint();
    }
}
BENCHMARK(ResizeCanvas)->Unit(benchmark::kMillisecond);

// A click on a cell of a full canvas of the given size, up to its repaint.
void DrawCell(benchmark::State& state) {
    TForm1& form = Window();
    SetCanvas(form, int(state.range(0)), int(state.range(0)));
    Choose(FullFile());
    form.ButtonEditorLoad->click();
    SetModalRunner({});
    QWidget* view = form.StringGrid1->viewport();
    int n = 0;
    for (auto _ : state) {
        const QPoint at = form.StringGrid1->CellRect(n % 20, n / 20 % 20).center();
        ++n;
        Click(view, at);
        view->repaint(form.StringGrid1->CellRect(form.StringGrid1->currentColumn(),
                                                 form.StringGrid1->currentRow()));
    }
}
BENCHMARK(DrawCell)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void SaveFull(benchmark::State& state) {
    TForm1& form = Window();
    SetCanvas(form, 1000, 1000);
    Choose(FullFile());
    form.ButtonEditorLoad->click();
    const QString target = Folder->filePath(QStringLiteral("saved.txt"));
    Choose(target);
    for (auto _ : state)
        form.ButtonEditorSaveClick();
    SetModalRunner({});
}
BENCHMARK(SaveFull)->Unit(benchmark::kMillisecond);

void LoadFull(benchmark::State& state) {
    TForm1& form = Window();
    SetCanvas(form, 1000, 1000);
    Choose(FullFile());
    for (auto _ : state) {
        form.ButtonEditorLoadClick();
        form.StringGrid1->viewport()->repaint();
    }
    SetModalRunner({});
}
BENCHMARK(LoadFull)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    QTemporaryDir folder;
    Folder = &folder;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete &Window();
    return 0;
}
