// The editor's cell store, its undo steps, the stroke line and the editor
// text file, without widgets.
#include "editor/EditorSession.h"

#include <gtest/gtest.h>

using tg::CellPos;
using tg::EditorSession;

namespace {

std::string Show(const QStringList& lines) {
    std::string text;
    for (const QString& line : lines)
        text += "[" + line.toStdString() + "]";
    return text;
}

} // namespace

TEST(EditorText, SplitsAtEveryLineEndAndStopsAtByteZero) {
    const struct {
        QByteArray Bytes;
        QStringList Lines;
    } cases[] = {
        {QByteArray(), {}},
        {"ab\r\n\r\nc\r\n", {"ab", "", "c"}},
        {"ab\n\nc\n", {"ab", "", "c"}},
        {"ab\r\rc\r", {"ab", "", "c"}},
        {"ab\r\n\nc", {"ab", "", "c"}},        // last line without an end counts
        {"\n", {""}},                          // one empty line
        {"\r\n\r", {"", ""}},                  // CR LF, then a lone CR
        {"a\tb", {"a\tb"}},                    // a tab is a character
        {QByteArray("ab\0cd\nef", 8), {"ab"}}, // the rest after byte 0 is ignored
        {QByteArray("\0abc", 4), {}},
        {"\xEF\xBB\xBFx", {QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBFx")}}, // BOM: 3 chars
        {"\x80\x81\xFF", {QString::fromUtf8("\xE2\x82\xAC\xC2\x81\xC3\xBF")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Show(tg::ReadEditorText(c.Bytes)), Show(c.Lines))
            << c.Bytes.toHex().toStdString();
}

TEST(EditorText, SavesRowsOfTheCanvasWithBlanksAndCrLf) {
    EditorSession session;
    EXPECT_EQ(session.SaveText(), QByteArray(100, ' ').append("\r\n").repeated(100));
    EXPECT_EQ(session.SaveText().size(), 10200);

    session.SetSize(3, 2);
    session.Write(0, 0, QStringLiteral("\u20AC"));
    session.Write(2, 1, QStringLiteral("\t"));
    session.Write(5, 0, QStringLiteral("x")); // outside the canvas: not saved
    EXPECT_EQ(session.SaveText(), QByteArray("\x80  \r\n  \t\r\n"));
    EXPECT_EQ(session.CopyText(), QString::fromUtf8("\u20AC  \n  \t\n"));
}

TEST(EditorText, LoadAndSaveGiveACanvasSizedFile) {
    EditorSession session;
    session.SetSize(4, 3);
    session.Load(tg::ReadEditorText("abcdefg\r\nh\r\n\r\nijk\r\nlmn\r\n"));
    EXPECT_EQ(session.SaveText(), QByteArray("abcd\r\nh   \r\n    \r\n"));
    // What lies outside stays and shows when the canvas grows.
    session.SetSize(7, 5);
    EXPECT_EQ(session.SaveText(),
              QByteArray("abcdefg\r\nh      \r\n       \r\nijk    \r\nlmn    \r\n"));
}

TEST(EditorCells, OutsideTheCanvasKeepTheirTextAndClearLeavesThem) {
    EditorSession session;
    session.Write(50, 5, QStringLiteral("#"));
    session.Write(1, 1, QStringLiteral(" "));
    session.SetSize(10, 10);
    EXPECT_EQ(session.Cell(1, 1), " ");
    session.Clear();
    EXPECT_EQ(session.Cell(1, 1), "");
    EXPECT_EQ(session.Cell(50, 5), "#");
    session.SetSize(100, 100);
    EXPECT_EQ(session.Cell(50, 5), "#");
    EXPECT_EQ(session.Cell(-1, 0), "");
    session.Write(-1, 0, QStringLiteral("x")); // ignored
    EXPECT_EQ(session.StoredCells(), 1);
}

TEST(EditorCells, MemoryFollowsTheCellsWrittenAndSizesAreCapped) {
    EditorSession session;
    session.SetSize(INT_MAX, -5);
    EXPECT_EQ(session.Width(), tg::MaxCanvasSize);
    EXPECT_EQ(session.Height(), 1);
    session.SetSize(tg::MaxCanvasSize, tg::MaxCanvasSize);
    session.Write(9999, 9999, QStringLiteral("#"));
    session.Write(0, 0, QStringLiteral("#"));
    EXPECT_EQ(session.StoredCells(), 2);
    const std::u16string* row = session.RowCells(5000);
    EXPECT_EQ(row, nullptr);
    // Nothing beyond the largest canvas is kept: it could never show.
    session.Write(tg::MaxCanvasSize, 0, QStringLiteral("x"));
    QStringList lines(tg::MaxCanvasSize + 5, QStringLiteral("y"));
    lines[0] = QString(tg::MaxCanvasSize + 5, QLatin1Char('x'));
    session.Load(lines);
    EXPECT_EQ(session.StoredCells(), 2 * qsizetype(tg::MaxCanvasSize) - 1);
    EXPECT_EQ(session.Cell(tg::MaxCanvasSize - 1, 0), "x");
    EXPECT_EQ(session.Cell(0, tg::MaxCanvasSize - 1), "y");
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(session.StoredCells(), 2);
    // Emptying cells gives their rows back.
    session.Clear();
    EXPECT_EQ(session.RowCells(9999), nullptr);
    EXPECT_EQ(tg::CappedCanvasSize(0), 0);
    EXPECT_EQ(tg::CappedCanvasSize(-3), -3);
    EXPECT_EQ(tg::CappedCanvasSize(100000), tg::MaxCanvasSize);
    EXPECT_EQ(tg::ShownCellSize(0), 1);
    EXPECT_EQ(tg::ShownCellSize(-7), 1);
}

TEST(EditorUndo, StepsOfStrokesClearAndLoadUndoAndRedo) {
    EditorSession session;
    session.SetSize(10, 10);
    EXPECT_FALSE(session.Undo());
    session.BeginStep(); // one stroke
    session.Write(0, 0, QStringLiteral("#"));
    session.Write(1, 0, QStringLiteral("#"));
    session.EndStep();
    session.Write(2, 0, QStringLiteral("@"));  // one click
    session.Write(20, 0, QStringLiteral("o")); // outside: Clear keeps it
    session.Clear();
    session.Load({QStringLiteral("xy")});
    EXPECT_EQ(session.Rows().first(), "xy        ");

    ASSERT_TRUE(session.Undo()); // the load
    EXPECT_EQ(session.Rows().first(), "          ");
    ASSERT_TRUE(session.Undo()); // the clear
    EXPECT_EQ(session.Rows().first(), "##@       ");
    ASSERT_TRUE(session.Undo()); // the outside cell
    ASSERT_TRUE(session.Undo()); // the click
    EXPECT_EQ(session.Rows().first(), "##        ");
    ASSERT_TRUE(session.Undo()); // the whole stroke
    EXPECT_EQ(session.Rows().first(), "          ");
    EXPECT_FALSE(session.Undo());

    ASSERT_TRUE(session.Redo());
    EXPECT_EQ(session.Rows().first(), "##        ");
    // A new step drops what could be redone.
    session.Write(5, 5, QStringLiteral("z"));
    EXPECT_FALSE(session.Redo());
    // A write that changes nothing is no step.
    session.Write(5, 5, QStringLiteral("z"));
    ASSERT_TRUE(session.Undo());
    EXPECT_EQ(session.Cell(5, 5), "");
}

TEST(EditorUndo, KeepsTheNewestStepsWithinTheirLimits) {
    EditorSession session;
    session.SetSize(300, 1);
    for (int col = 0; col < 250; ++col)
        session.Write(col, 0, QStringLiteral("#"));
    int undone = 0;
    while (session.Undo())
        ++undone;
    EXPECT_EQ(undone, int(EditorSession::MaxSteps));
    EXPECT_EQ(session.Rows().first().count(QLatin1Char('#')), 50);

    // Loads of a full large canvas hold many cells each: fewer of them stay.
    session.SetSize(tg::MaxCanvasSize, 1000);
    const QStringList full(1000, QString(tg::MaxCanvasSize, QLatin1Char('x')));
    const QStringList other(1000, QString(tg::MaxCanvasSize, QLatin1Char('y')));
    for (int i = 0; i < 4; ++i)
        session.Load(i % 2 ? other : full);
    undone = 0;
    while (session.Undo())
        ++undone;
    EXPECT_GE(undone, 1);
    EXPECT_LT(undone, 4);
}

TEST(EditorStroke, LineCellsConnectTheEndsWithoutGaps) {
    const struct {
        CellPos A, B;
        std::size_t Count;
    } cases[] = {{{0, 0}, {0, 0}, 1},       {{0, 0}, {20, 0}, 21},  {{3, 9}, {3, 0}, 10},
                 {{0, 0}, {20, 10}, 21},    {{20, 10}, {0, 0}, 21}, {{5, 5}, {0, 12}, 8},
                 {{0, 0}, {9999, 1}, 10000}};
    for (const auto& c : cases) {
        const std::vector<CellPos> cells = tg::LineCells(c.A, c.B);
        ASSERT_EQ(cells.size(), c.Count) << c.B.Col << "," << c.B.Row;
        EXPECT_TRUE(cells.front() == c.A);
        EXPECT_TRUE(cells.back() == c.B);
        for (std::size_t i = 1; i < cells.size(); ++i) {
            EXPECT_LE(std::abs(cells[i].Col - cells[i - 1].Col), 1);
            EXPECT_LE(std::abs(cells[i].Row - cells[i - 1].Row), 1);
        }
    }
}
