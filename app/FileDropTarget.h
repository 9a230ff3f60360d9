#pragma once
// A drop target for files over the whole of one window: it takes drops of
// local files on the window and every widget inside it, before any of them
// (an edit, say) could take the dropped paths as text.

#include <QObject>
#include <QPoint>
#include <QStringList>

class QWidget;

class FileDropTarget : public QObject {
    Q_OBJECT
public:
    explicit FileDropTarget(QWidget* window);
    // Full paths of the files last dropped, in the order delivered.
    const QStringList& Files() const { return DroppedFiles; }

signals:
    void DropFiles(QPoint point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* Window;
    QStringList DroppedFiles;
};
