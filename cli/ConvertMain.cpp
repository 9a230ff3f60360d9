// tessaglyph-convert: the picture conversion without a window.
#include "cli/Convert.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return RunConvert(arguments, stdout, stderr);
}
