#pragma once
// A painted grid of character cells over an EditorSession: the canvas's
// columns and rows at a fixed cell size, grid lines, one current cell, no
// editing by typing. It paints only the visible cells, so a canvas of any
// size costs what the viewport shows.
//
// Cells become current by the user only: a left press, a drag (every cell on
// the straight line between two visited cells), auto-scroll while dragging
// beyond the edge, and the navigation keys. Each such cell is announced by
// SelectCell before it becomes current. Moves the grid makes itself (the
// canvas shrinking under the current cell) announce nothing.

#include "editor/EditorSession.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QTimer>

class CharGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CharGrid(tg::EditorSession& session, QWidget* parent = nullptr);

    int columnCount() const { return Session.Width(); }
    int rowCount() const { return Session.Height(); }
    // Counts below 1 show one column or row, counts above the cap the cap.
    void setColumnCount(int count);
    void setRowCount(int count);
    int columnWidth() const { return CellW; }
    int rowHeight() const { return CellH; }
    // Cell sizes below 1 pixel show as 1 pixel.
    void setDefaultColumnWidth(int width);
    void setDefaultRowHeight(int height);
    // The font of the cells' text (the rendering font at its pixel size).
    void SetCellFont(const QFont& font);
    QFont CellFont() const { return TextFont; }

    int currentColumn() const { return Current.Col; }
    int currentRow() const { return Current.Row; }
    // Moves the current cell without announcing it.
    void setCurrentCell(int col, int row);

    // The cell at a point of the viewport, or (-1, -1) when it lies on none.
    tg::CellPos CellAt(QPoint point) const;
    // The rectangle of a cell in viewport coordinates.
    QRect CellRect(int col, int row) const;
    // Repaints after the cells changed.
    void Refresh();

signals:
    // A cell is about to become the current cell by the user's action.
    void SelectCell(int col, int row);
    // The pointer moved over the viewport (also while a button is held).
    void MouseMoved(QPoint point);
    // A left-button stroke began and ended.
    void StrokeStarted();
    void StrokeFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Announces the cell and makes it current, scrolled into view.
    void Select(tg::CellPos cell);
    // Every cell after the last visited one up to cell, in a straight line.
    void StrokeTo(tg::CellPos cell);
    void EndStroke();
    void AutoScrollStep();
    void EnsureVisible(tg::CellPos cell);
    void UpdateScrollBars();
    void KeepCurrentInside();
    int VisibleRows() const;

    tg::EditorSession& Session;
    int CellW = 10;
    int CellH = 16;
    QFont TextFont;
    tg::CellPos Current;
    bool Stroking = false;
    tg::CellPos LastVisited;
    QPoint LastPointer;
    QTimer AutoScroll;
};
