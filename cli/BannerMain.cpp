// tessaglyph-banner: the Text page's banner without a window.
#include "cli/BannerCommand.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

// Qt's own notes (a missing runtime folder and the like) are no business of
// the command's user; only critical messages reach standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "tessaglyph-banner: %s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietMessages);
    // The text is drawn with a font, which needs a GUI application; the
    // offscreen platform gives one without any display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return tg::RunBanner(arguments, stdout, stderr);
}
