// Switching the interface language on the real window, and reading a
// language file on its own.
#include "app/Application.h"
#include "app/IniFile.h"
#include "app/LanguageKeys.h"
#include "app/TForm1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QTemporaryDir* Folder() {
    static QTemporaryDir folder;
    static bool laid = [] {
        QDir(folder.path()).mkdir(QStringLiteral("language"));
        for (const char* name : {"English", "Russian"}) {
            const QString file = QLatin1String(name) + QStringLiteral(".ini");
            // The files the build lays beside the application, one folder up.
            QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/../language/") +
                            file,
                        folder.filePath(QStringLiteral("language/") + file));
        }
        QFile settings(folder.filePath(QStringLiteral("LanguageBench.ini")));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[Options]\r\nfirstStart=0\r\n");
        return true;
    }();
    (void)laid;
    return &folder;
}

void ApplyLanguage(benchmark::State& state) {
    TForm1 form(Folder()->path());
    bool russian = false;
    for (auto _ : state) {
        russian = !russian;
        form.ApplyLanguage(russian ? QStringLiteral("Russian") : QStringLiteral("English"));
    }
}
BENCHMARK(ApplyLanguage)->Unit(benchmark::kMicrosecond);

void ReadLanguageFile(benchmark::State& state) {
    const QString path = Folder()->filePath(QStringLiteral("language/Russian.ini"));
    for (auto _ : state) {
        const IniFile file(path, IniFile::Encoding::Utf8OrCp1252);
        for (const QString& key : LanguageKeys())
            benchmark::DoNotOptimize(file.ReadString(QStringLiteral("Interface"), key, QString()));
    }
}
BENCHMARK(ReadLanguageFile)->Unit(benchmark::kMicrosecond);

// A settings file of about 100 MB (lines of 100 characters after the keys)
// read alone (0) and by the starting window (1): the file is read and
// indexed once, not once a key.
void StartWithLargeSettingsFile(benchmark::State& state) {
    static QTemporaryDir folder;
    static bool laid = [] {
        QFile settings(folder.filePath(QStringLiteral("LanguageBench.ini")));
        if (!settings.open(QIODevice::WriteOnly))
            return false;
        settings.write("[Options]\r\nfirstStart=0\r\ncanvasWidth=50\r\n");
        const QByteArray line = "k=" + QByteArray(96, 'x') + "\r\n";
        const QByteArray block = line.repeated(10'000);
        for (int i = 0; i < 100; ++i)
            settings.write(block);
        return true;
    }();
    (void)laid;
    for (auto _ : state) {
        if (state.range(0) == 0) {
            const IniFile ini(folder.filePath(QStringLiteral("LanguageBench.ini")));
            benchmark::DoNotOptimize(
                ini.ReadInteger(QStringLiteral("Options"), QStringLiteral("canvasWidth"), 0));
            continue;
        }
        TForm1 form(folder.path());
        benchmark::DoNotOptimize(form.CanvasWidth);
    }
}
BENCHMARK(StartWithLargeSettingsFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
