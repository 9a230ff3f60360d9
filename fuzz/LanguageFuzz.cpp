// The language file reader as the window applies it: the file's bytes as
// language/Fuzz.ini, applied to one window that lives for the whole run.
// What must hold: no crash, no hang, texts within their length, and the
// banner mode list on its first item.
#include "app/Application.h"
#include "app/IniFile.h"
#include "app/TForm1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>

namespace {

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

QTemporaryDir* Folder = nullptr;
TForm1* Window = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static TApplication application(*argc, *argv);
    static QTemporaryDir folder;
    Folder = &folder;
    QDir(folder.path()).mkdir(QStringLiteral("language"));
    QFile settings(
        folder.filePath(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
                        QStringLiteral(".ini")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[Options]\r\nfirstStart=0\r\n");
    static TForm1 window(folder.path());
    Window = &window;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        QFile file(Folder->filePath(QStringLiteral("language/Fuzz.ini")));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    Window->cmbTextType->setCurrentIndex(2);
    Window->ApplyLanguage(QStringLiteral("Fuzz"));
    Check(Window->cmbTextType->currentIndex() == 0, "the first banner mode is selected");
    Check(Window->cmbTextType->count() == 4, "four banner modes");
    for (const QString& text : {Window->MFile->title(), Window->ButtonOpenImage->text(),
                                Window->LabelSet->text(), Window->cmbTextType->itemText(3)})
        Check(text.size() <= IniFile::MaxValueLength, "a text is at most 2047 characters");
    return 0;
}
