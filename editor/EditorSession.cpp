#include "editor/EditorSession.h"

#include "common/Codepage.h"

#include <algorithm>
#include <cstdlib>

namespace tg {

std::vector<CellPos> LineCells(CellPos a, CellPos b) {
    // Bresenham's line in 64 bits, so distant ends cannot overflow.
    std::vector<CellPos> cells;
    const long long dx = std::llabs(static_cast<long long>(b.Col) - a.Col);
    const long long dy = -std::llabs(static_cast<long long>(b.Row) - a.Row);
    const int sx = a.Col < b.Col ? 1 : -1;
    const int sy = a.Row < b.Row ? 1 : -1;
    cells.reserve(static_cast<std::size_t>(std::max(dx, -dy) + 1));
    long long error = dx + dy;
    CellPos at = a;
    for (;;) {
        cells.push_back(at);
        if (at == b)
            break;
        const long long twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.Col += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.Row += sy;
        }
    }
    return cells;
}

QStringList ReadEditorText(const QByteArray& bytes) {
    qsizetype end = bytes.indexOf('\0');
    if (end < 0)
        end = bytes.size();
    QStringList lines;
    const char* data = bytes.constData();
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < end) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines.append(FromCp1252(QByteArray::fromRawData(data + start, i - start)));
            i += (c == '\r' && i + 1 < end && data[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < end)
        lines.append(FromCp1252(QByteArray::fromRawData(data + start, end - start)));
    return lines;
}

void EditorSession::SetSize(int width, int height) {
    CanvasWidth = ShownCanvasSize(width);
    CanvasHeight = ShownCanvasSize(height);
}

char16_t EditorSession::CellChar(int col, int row) const {
    if (col < 0)
        return 0;
    const std::u16string* cells = RowCells(row);
    if (cells == nullptr || static_cast<std::size_t>(col) >= cells->size())
        return 0;
    return (*cells)[static_cast<std::size_t>(col)];
}

QString EditorSession::Cell(int col, int row) const {
    const char16_t c = CellChar(col, row);
    return c == 0 ? QString() : QString(QChar(c));
}

const std::u16string* EditorSession::RowCells(int row) const {
    const auto found = Cells.find(row);
    return found == Cells.end() ? nullptr : &found->second;
}

void EditorSession::Put(int col, int row, char16_t value) {
    if (value == 0) {
        const auto found = Cells.find(row);
        if (found == Cells.end() || static_cast<std::size_t>(col) >= found->second.size())
            return;
        std::u16string& cells = found->second;
        cells[static_cast<std::size_t>(col)] = 0;
        // Rows give back the memory of their trailing empty cells.
        while (!cells.empty() && cells.back() == 0)
            cells.pop_back();
        if (cells.empty())
            Cells.erase(found);
        return;
    }
    std::u16string& cells = Cells[row];
    if (static_cast<std::size_t>(col) >= cells.size())
        cells.resize(static_cast<std::size_t>(col) + 1, 0);
    cells[static_cast<std::size_t>(col)] = value;
}

void EditorSession::Record(int col, int row, char16_t before, char16_t after) {
    Open.push_back({col, row, before, after, {}, {}});
}

void EditorSession::PutRow(int row, const std::u16string& cells) {
    if (cells.empty())
        Cells.erase(row);
    else
        Cells[row] = cells;
}

void EditorSession::ReplaceRow(int row, std::u16string cells) {
    while (!cells.empty() && cells.back() == 0)
        cells.pop_back();
    const auto found = Cells.find(row);
    std::u16string before = found == Cells.end() ? std::u16string() : found->second;
    if (before == cells)
        return;
    PutRow(row, cells);
    Open.push_back({-1, row, 0, 0, std::move(before), std::move(cells)});
}

void EditorSession::Write(int col, int row, const QString& text) {
    if (col < 0 || row < 0 || col >= MaxCanvasSize || row >= MaxCanvasSize)
        return;
    const char16_t value = text.isEmpty() ? 0 : text[0].unicode();
    const char16_t before = CellChar(col, row);
    BeginStep();
    if (before != value) {
        Record(col, row, before, value);
        Put(col, row, value);
    }
    EndStep();
}

std::size_t EditorSession::Cost(const Step& step) {
    std::size_t cost = 0;
    for (const Change& change : step)
        cost += 1 + change.RowBefore.size() + change.RowAfter.size();
    return cost;
}

void EditorSession::BeginStep() {
    ++Depth;
}

void EditorSession::EndStep() {
    if (Depth == 0 || --Depth > 0)
        return;
    if (Open.empty())
        return;
    for (const Step& step : Redone)
        StoredCost -= Cost(step);
    Redone.clear();
    StoredCost += Cost(Open);
    Undone.push_back(std::move(Open));
    Open.clear();
    // The oldest steps go first when there are too many or they hold too much;
    // the newest is always kept.
    while (Undone.size() > 1 && (Undone.size() > MaxSteps || StoredCost > MaxCost)) {
        StoredCost -= Cost(Undone.front());
        Undone.erase(Undone.begin());
    }
}

void EditorSession::Clear() {
    BeginStep();
    std::vector<int> rows;
    for (const auto& [row, cells] : Cells)
        if (row < CanvasHeight)
            rows.push_back(row);
    for (const int row : rows) {
        std::u16string cells = Cells[row];
        const std::size_t end = std::min(cells.size(), static_cast<std::size_t>(CanvasWidth));
        std::fill(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(end), u'\0');
        ReplaceRow(row, std::move(cells));
    }
    EndStep();
}

void EditorSession::Load(const QStringList& lines) {
    BeginStep();
    Clear();
    const qsizetype rows = std::min<qsizetype>(lines.size(), MaxCanvasSize);
    for (qsizetype i = 0; i < rows; ++i) {
        const QString& line = lines[i];
        if (line.isEmpty())
            continue;
        const int row = static_cast<int>(i);
        const std::u16string* stored = RowCells(row);
        std::u16string cells = stored != nullptr ? *stored : std::u16string();
        const auto length =
            static_cast<std::size_t>(std::min<qsizetype>(line.size(), MaxCanvasSize));
        if (cells.size() < length)
            cells.resize(length, 0);
        std::copy_n(line.utf16(), length, cells.begin());
        ReplaceRow(row, std::move(cells));
    }
    EndStep();
}

void EditorSession::Apply(const Step& step, bool forward) {
    const auto put = [this, forward](const Change& change) {
        if (change.Col < 0)
            PutRow(change.Row, forward ? change.RowAfter : change.RowBefore);
        else
            Put(change.Col, change.Row, forward ? change.After : change.Before);
    };
    if (forward)
        std::for_each(step.begin(), step.end(), put);
    else
        std::for_each(step.rbegin(), step.rend(), put);
}

bool EditorSession::Undo() {
    if (Depth > 0 || Undone.empty())
        return false;
    Step step = std::move(Undone.back());
    Undone.pop_back();
    Apply(step, false);
    Redone.push_back(std::move(step));
    return true;
}

bool EditorSession::Redo() {
    if (Depth > 0 || Redone.empty())
        return false;
    Step step = std::move(Redone.back());
    Redone.pop_back();
    Apply(step, true);
    Undone.push_back(std::move(step));
    return true;
}

QStringList EditorSession::Rows() const {
    QStringList rows;
    rows.reserve(CanvasHeight);
    for (int row = 0; row < CanvasHeight; ++row) {
        QString line(CanvasWidth, QLatin1Char(' '));
        if (const std::u16string* cells = RowCells(row)) {
            const std::size_t end = std::min(cells->size(), static_cast<std::size_t>(CanvasWidth));
            QChar* out = line.data();
            for (std::size_t col = 0; col < end; ++col)
                if ((*cells)[col] != 0)
                    out[col] = QChar((*cells)[col]);
        }
        rows.append(line);
    }
    return rows;
}

QByteArray EditorSession::SaveText() const {
    return LinesToBytes(Rows());
}

QString EditorSession::CopyText() const {
    QString text;
    text.reserve(static_cast<qsizetype>(CanvasHeight) * (CanvasWidth + 1));
    for (const QString& row : Rows()) {
        text += row;
        text += QLatin1Char('\n');
    }
    return text;
}

qsizetype EditorSession::StoredCells() const {
    qsizetype count = 0;
    for (const auto& [row, cells] : Cells)
        count += std::count_if(cells.begin(), cells.end(), [](char16_t c) { return c != 0; });
    return count;
}

} // namespace tg
