#include "app/FileDropTarget.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {
QStringList LocalFiles(const QMimeData* mime) {
    QStringList files;
    if (mime == nullptr || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}
} // namespace

FileDropTarget::FileDropTarget(QWidget* window) : QObject(window), Window(window) {
    Window->setAcceptDrops(true);
    qApp->installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != Window)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = LocalFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        DroppedFiles = files;
        emit DropFiles(widget->mapTo(Window, drop->position().toPoint()));
    }
    return true;
}
