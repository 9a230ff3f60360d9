// tessaglyph-convert: the picture conversion without a window.
#include "cli/Convert.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // Images are drawn with the rendering font, which needs a GUI application;
    // the offscreen platform gives one without any display. Text needs none.
    std::unique_ptr<QCoreApplication> application;
    if (ConvertDrawsImage(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return RunConvert(arguments, stdout, stderr);
}
