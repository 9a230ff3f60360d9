#include "app/ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentreOnScreen(QWidget& window) {
    QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    // The frame the window manager adds, where it is known already.
    const QRect frame = window.frameGeometry();
    const QSize margins = frame.size() - window.geometry().size();
    if (window.minimumSize() != window.maximumSize()) {
        const QSize fitting = window.size().boundedTo(area.size() - margins);
        if (fitting != window.size())
            window.resize(fitting.expandedTo(window.minimumSize()));
    }
    const QSize outer = window.size() + margins;
    QPoint topLeft(area.x() + (area.width() - outer.width()) / 2,
                   area.y() + (area.height() - outer.height()) / 2);
    topLeft.setX(std::max(topLeft.x(), area.x()));
    topLeft.setY(std::max(topLeft.y(), area.y()));
    window.move(topLeft);
}
