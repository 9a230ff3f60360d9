#include "app/CharGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

CharGrid::CharGrid(tg::EditorSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), Session(session) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    AutoScroll.setInterval(40);
    connect(&AutoScroll, &QTimer::timeout, this, &CharGrid::AutoScrollStep);
    UpdateScrollBars();
}

void CharGrid::setColumnCount(int count) {
    Session.SetSize(count, Session.Height());
    KeepCurrentInside();
    UpdateScrollBars();
    Refresh();
}

void CharGrid::setRowCount(int count) {
    Session.SetSize(Session.Width(), count);
    KeepCurrentInside();
    UpdateScrollBars();
    Refresh();
}

void CharGrid::setDefaultColumnWidth(int width) {
    CellW = tg::ShownCellSize(width);
    UpdateScrollBars();
    Refresh();
}

void CharGrid::setDefaultRowHeight(int height) {
    CellH = tg::ShownCellSize(height);
    UpdateScrollBars();
    Refresh();
}

void CharGrid::SetCellFont(const QFont& font) {
    TextFont = font;
    Refresh();
}

void CharGrid::setCurrentCell(int col, int row) {
    Current = {std::clamp(col, 0, columnCount() - 1), std::clamp(row, 0, rowCount() - 1)};
    Refresh();
}

void CharGrid::KeepCurrentInside() {
    Current.Col = std::min(Current.Col, columnCount() - 1);
    Current.Row = std::min(Current.Row, rowCount() - 1);
    LastVisited = Current;
}

tg::CellPos CharGrid::CellAt(QPoint point) const {
    const long long x = static_cast<long long>(point.x()) + horizontalScrollBar()->value();
    const long long y = static_cast<long long>(point.y()) + verticalScrollBar()->value();
    if (point.x() < 0 || point.y() < 0 || point.x() >= viewport()->width() ||
        point.y() >= viewport()->height())
        return {-1, -1};
    const long long col = x / CellW;
    const long long row = y / CellH;
    if (col >= columnCount() || row >= rowCount())
        return {-1, -1};
    return {static_cast<int>(col), static_cast<int>(row)};
}

QRect CharGrid::CellRect(int col, int row) const {
    return QRect(col * CellW - horizontalScrollBar()->value(),
                 row * CellH - verticalScrollBar()->value(), CellW, CellH);
}

void CharGrid::Refresh() {
    viewport()->update();
}

void CharGrid::UpdateScrollBars() {
    const int width = columnCount() * CellW;
    const int height = rowCount() * CellH;
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
    horizontalScrollBar()->setPageStep(std::max(1, view.width()));
    horizontalScrollBar()->setSingleStep(CellW);
    verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
    verticalScrollBar()->setPageStep(std::max(1, view.height()));
    verticalScrollBar()->setSingleStep(CellH);
}

void CharGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CharGrid::scrollContentsBy(int, int) {
    Refresh();
}

void CharGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QPalette& colors = palette();
    painter.fillRect(area, colors.color(QPalette::Window));

    const int scrollX = horizontalScrollBar()->value();
    const int scrollY = verticalScrollBar()->value();
    const int firstCol = std::max(0, (area.left() + scrollX) / CellW);
    const int lastCol = std::min(columnCount() - 1, (area.right() + scrollX) / CellW);
    const int firstRow = std::max(0, (area.top() + scrollY) / CellH);
    const int lastRow = std::min(rowCount() - 1, (area.bottom() + scrollY) / CellH);
    if (firstCol > lastCol || firstRow > lastRow)
        return;
    const QRect cells(firstCol * CellW - scrollX, firstRow * CellH - scrollY,
                      (lastCol - firstCol + 1) * CellW, (lastRow - firstRow + 1) * CellH);
    painter.fillRect(cells, colors.color(QPalette::Base));

    const bool current = Current.Col >= firstCol && Current.Col <= lastCol &&
                         Current.Row >= firstRow && Current.Row <= lastRow;
    if (current)
        painter.fillRect(CellRect(Current.Col, Current.Row), colors.color(QPalette::Highlight));

    // Grid lines on the right and bottom edge of every cell; cells of one or
    // two pixels would be all line, so they get none.
    const bool lines = CellW > 2 && CellH > 2;
    if (lines) {
        painter.setPen(colors.color(QPalette::Mid));
        for (int col = firstCol; col <= lastCol; ++col) {
            const int x = (col + 1) * CellW - 1 - scrollX;
            painter.drawLine(x, cells.top(), x, cells.bottom());
        }
        for (int row = firstRow; row <= lastRow; ++row) {
            const int y = (row + 1) * CellH - 1 - scrollY;
            painter.drawLine(cells.left(), y, cells.right(), y);
        }
    }

    // The text 2 pixels right of and below the cell's corner, clipped to the
    // cell inside its lines.
    painter.setFont(TextFont);
    const QColor text = colors.color(QPalette::Text);
    const QColor highlighted = colors.color(QPalette::HighlightedText);
    const int inset = lines ? 1 : 0;
    for (int row = firstRow; row <= lastRow; ++row) {
        const std::u16string* stored = Session.RowCells(row);
        if (stored == nullptr)
            continue;
        const int end = std::min(lastCol + 1, static_cast<int>(stored->size()));
        for (int col = firstCol; col < end; ++col) {
            const char16_t c = (*stored)[static_cast<std::size_t>(col)];
            if (c == 0 || c == u' ')
                continue;
            const QRect cell = CellRect(col, row).adjusted(0, 0, -inset, -inset);
            const bool isCurrent = current && col == Current.Col && row == Current.Row;
            painter.setPen(isCurrent ? highlighted : text);
            if (CellW <= 2 || CellH <= 2) {
                painter.fillRect(cell, isCurrent ? highlighted : text);
                continue;
            }
            painter.setClipRect(cell);
            painter.drawText(cell.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                             QString(QChar(c)));
        }
        painter.setClipping(false);
    }
}

void CharGrid::Select(tg::CellPos cell) {
    emit SelectCell(cell.Col, cell.Row);
    const tg::CellPos before = Current;
    Current = cell;
    LastVisited = cell;
    EnsureVisible(cell);
    viewport()->update(CellRect(before.Col, before.Row));
    viewport()->update(CellRect(cell.Col, cell.Row));
}

void CharGrid::StrokeTo(tg::CellPos cell) {
    if (cell == LastVisited)
        return;
    const std::vector<tg::CellPos> line = tg::LineCells(LastVisited, cell);
    for (std::size_t i = 1; i < line.size(); ++i)
        Select(line[i]);
}

void CharGrid::EnsureVisible(tg::CellPos cell) {
    const QRect rect = CellRect(cell.Col, cell.Row);
    const QSize view = viewport()->size();
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (rect.left() < 0)
        h->setValue(h->value() + rect.left());
    else if (rect.right() >= view.width())
        h->setValue(h->value() + std::min(rect.left(), rect.right() - view.width() + 1));
    if (rect.top() < 0)
        v->setValue(v->value() + rect.top());
    else if (rect.bottom() >= view.height())
        v->setValue(v->value() + std::min(rect.top(), rect.bottom() - view.height() + 1));
}

void CharGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const tg::CellPos cell = CellAt(event->position().toPoint());
    if (cell.Col < 0)
        return;
    Stroking = true;
    LastPointer = event->position().toPoint();
    emit StrokeStarted();
    Select(cell);
}

void CharGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    emit MouseMoved(point);
    if (!Stroking)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        EndStroke();
        return;
    }
    LastPointer = point;
    if (viewport()->rect().contains(point)) {
        AutoScroll.stop();
        const tg::CellPos cell = CellAt(point);
        if (cell.Col >= 0)
            StrokeTo(cell);
    } else if (!AutoScroll.isActive()) {
        AutoScroll.start();
    }
}

void CharGrid::AutoScrollStep() {
    if (!Stroking) {
        AutoScroll.stop();
        return;
    }
    const QRect view = viewport()->rect();
    const int dx = LastPointer.x() < view.left() ? -1 : LastPointer.x() > view.right() ? 1 : 0;
    const int dy = LastPointer.y() < view.top() ? -1 : LastPointer.y() > view.bottom() ? 1 : 0;
    const tg::CellPos next{std::clamp(Current.Col + dx, 0, columnCount() - 1),
                           std::clamp(Current.Row + dy, 0, rowCount() - 1)};
    if (next == Current)
        return;
    LastVisited = Current;
    StrokeTo(next);
}

void CharGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        EndStroke();
    else
        QAbstractScrollArea::mouseReleaseEvent(event);
}

void CharGrid::EndStroke() {
    AutoScroll.stop();
    if (!Stroking)
        return;
    Stroking = false;
    emit StrokeFinished();
}

void CharGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    Refresh();
}

int CharGrid::VisibleRows() const {
    return std::max(1, viewport()->height() / CellH);
}

void CharGrid::keyPressEvent(QKeyEvent* event) {
    tg::CellPos next = Current;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        --next.Col;
        break;
    case Qt::Key_Right:
        ++next.Col;
        break;
    case Qt::Key_Up:
        --next.Row;
        break;
    case Qt::Key_Down:
        ++next.Row;
        break;
    case Qt::Key_PageUp:
        next.Row -= VisibleRows();
        break;
    case Qt::Key_PageDown:
        next.Row += VisibleRows();
        break;
    case Qt::Key_Home:
        next.Col = 0;
        if (control)
            next.Row = 0;
        break;
    case Qt::Key_End:
        next.Col = columnCount() - 1;
        if (control)
            next.Row = rowCount() - 1;
        break;
    default:
        event->ignore();
        return;
    }
    next.Col = std::clamp(next.Col, 0, columnCount() - 1);
    next.Row = std::clamp(next.Row, 0, rowCount() - 1);
    if (!(next == Current))
        Select(next);
}
