#pragma once
// The character canvas of the Editor page, without widgets: a sparse store of
// cells addressed (column, row) from (0, 0), the canvas size that decides which
// of them are shown and saved, drawing in steps that can be undone, and the
// editor text file.
//
// A cell is empty (never written, or cleared), or holds one character (drawn,
// loaded, or " " when erased). Cells outside the canvas keep their text; cells
// beyond the largest canvas (MaxCanvasSize across or down) could never be
// shown or saved, so they are not kept.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tg {

// The largest canvas the grid takes, in cells across and down.
constexpr int MaxCanvasSize = 10000;
// The largest cell the grid shows, in pixels.
constexpr int MaxCellSize = 1000;
// Editor files larger than this are not loaded.
constexpr qint64 MaxEditorFileSize = 16 * 1024 * 1024;

// A canvas size as typed (any int) within the cap; values below 1 stay as
// they are, since the field keeps them.
inline int CappedCanvasSize(int value) {
    return value > MaxCanvasSize ? MaxCanvasSize : value;
}
// The columns or rows the grid shows for a canvas size: 1 to MaxCanvasSize.
inline int ShownCanvasSize(int value) {
    return value < 1 ? 1 : CappedCanvasSize(value);
}
// The pixels the grid shows for a cell size: 1 to MaxCellSize.
inline int ShownCellSize(int value) {
    return value < 1 ? 1 : (value > MaxCellSize ? MaxCellSize : value);
}

struct CellPos {
    int Col = 0;
    int Row = 0;
    friend bool operator==(CellPos a, CellPos b) { return a.Col == b.Col && a.Row == b.Row; }
};

// The cells of the straight line from a to b, both ends included, each
// neighbouring the one before it in one of the eight directions.
std::vector<CellPos> LineCells(CellPos a, CellPos b);

// The lines of an editor text file: split at CR LF, a lone CR or a lone LF; a
// last line without a line end is a line; the text stops at the first byte 0.
// Every other byte is one Windows-1252 character.
QStringList ReadEditorText(const QByteArray& bytes);

class EditorSession {
public:
    EditorSession() = default;

    // The canvas: what is shown, cleared and saved. Both are clamped to
    // 1..MaxCanvasSize.
    int Width() const { return CanvasWidth; }
    int Height() const { return CanvasHeight; }
    void SetSize(int width, int height);

    // The text of a cell: empty or one character; any cell may be asked.
    QString Cell(int col, int row) const;
    // The character of a cell, 0 when it is empty.
    char16_t CellChar(int col, int row) const;
    // The stored characters of a row (0 for empty cells), possibly shorter or
    // longer than the canvas; null when the row holds nothing.
    const std::u16string* RowCells(int row) const;

    // Writes text (empty, or its first character) into a cell, inside or
    // outside the canvas; positions beyond the largest canvas are ignored. Outside a step the
    // write is a step of its own.
    void Write(int col, int row, const QString& text);

    // Steps group writes for undo: everything between BeginStep and EndStep is
    // undone at once. Nested calls join the outer step.
    void BeginStep();
    void EndStep();

    // Empties every cell of the canvas (one step); cells outside keep theirs.
    void Clear();
    // Clears the canvas and writes line i, character j into cell (j, i), as
    // one step (up to the largest canvas).
    void Load(const QStringList& lines);

    bool CanUndo() const { return !Undone.empty() || !Open.empty(); }
    bool CanRedo() const { return !Redone.empty(); }
    // Undoes or redoes the last step; false when there is none. The newest
    // MaxSteps steps are kept, fewer when they hold more than MaxCost cells.
    bool Undo();
    bool Redo();

    // The canvas as rows of Width() characters, empty cells as blanks.
    QStringList Rows() const;
    // The editor text file: every row in Windows-1252 followed by CR LF,
    // Height() * (Width() + 2) bytes.
    QByteArray SaveText() const;
    // The rows each followed by LF, for the clipboard.
    QString CopyText() const;

    // How many cells hold text, inside or outside the canvas.
    qsizetype StoredCells() const;

private:
    // One cell (Col >= 0) or a whole row (Col < 0) before and after.
    struct Change {
        int Col;
        int Row;
        char16_t Before;
        char16_t After;
        std::u16string RowBefore;
        std::u16string RowAfter;
    };
    using Step = std::vector<Change>;

    void Put(int col, int row, char16_t value);
    void Apply(const Step& step, bool forward);
    void Record(int col, int row, char16_t before, char16_t after);
    // Replaces a whole row, recording it; an empty row is dropped.
    void ReplaceRow(int row, std::u16string cells);
    void PutRow(int row, const std::u16string& cells);

    // Rows of cells, each as long as its last written cell; 0 is empty.
    std::unordered_map<int, std::u16string> Cells;
    int CanvasWidth = 100;
    int CanvasHeight = 100;
    int Depth = 0;
    Step Open;
    std::vector<Step> Undone;
    std::vector<Step> Redone;
    std::size_t StoredCost = 0; // cells held by Undone and Redone
    static std::size_t Cost(const Step& step);

public:
    static constexpr std::size_t MaxSteps = 200;
    static constexpr std::size_t MaxCost = 32 * 1024 * 1024;
};

} // namespace tg
