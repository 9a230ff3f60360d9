// Tests of the widget-free work run with a GUI application object (fonts and
// image plugins need one) on Qt's offscreen platform, and no widgets.
#include "convert/Picture.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QGuiApplication application(argc, argv);
    tg::SetImageAllocationLimit();
    return RUN_ALL_TESTS();
}
