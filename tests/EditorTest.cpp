// The Editor page through the real window: drawing on the grid with the mouse
// and the keys, the canvas and cell sizes, the symbol keyboard, the editor
// files, undo and redo, and the clipboard.
#include "app/CharGrid.h"
#include "common/Codepage.h"
#include "tests/ShellSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

namespace {

class EditorTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        Form->PageControl2->setCurrentWidget(Form->TabSheetEditor);
        QApplication::setActiveWindow(Form.get());
        QApplication::processEvents();
    }
    CharGrid* Grid() const { return Form->StringGrid1; }
    QWidget* View() const { return Form->StringGrid1->viewport(); }
    QPoint At(int col, int row) const { return Grid()->CellRect(col, row).center(); }
    QString Cell(int col, int row) const { return Form->Editor.Cell(col, row); }
    void Click(int col, int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(View(), button, {}, At(col, row));
    }
    // A stroke with the left button through the given cells, one mouse
    // movement each.
    void Stroke(const std::vector<tg::CellPos>& cells) {
        QTest::mousePress(View(), Qt::LeftButton, {}, At(cells.front().Col, cells.front().Row));
        for (const tg::CellPos& cell : cells)
            QTest::mouseMove(View(), At(cell.Col, cell.Row));
        QTest::mouseRelease(View(), Qt::LeftButton, {}, At(cells.back().Col, cells.back().Row));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(Grid(), Qt::Key(key), modifiers);
    }
    void PressKey(int index) { QTest::mouseClick(Form->KeyButtons[index], Qt::LeftButton); }
    // Types into a spin edit as the user does: select all, then the keys.
    void Type(QSpinBox* spin, const QString& text) {
        spin->setFocus();
        spin->selectAll();
        if (text.isEmpty())
            QTest::keyClick(spin, Qt::Key_Backspace);
        else
            QTest::keyClicks(spin, text);
    }
    void Write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void Load(const QString& path) {
        Dialogs->ChooseFile(path);
        Form->ButtonEditorLoad->click();
    }
    void Save(const QString& path) {
        Dialogs->ChooseFile(path);
        Form->ButtonEditorSave->click();
    }
    // Types the path into the save dialog's name box and accepts; the dialog
    // takes paths into folders that do not exist only this way.
    void SaveTyped(const QString& path) {
        Dialogs->Then([path](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            EXPECT_NE(nameBox, nullptr);
            nameBox->setText(path);
            static_cast<QDialog&>(files).accept();
            return files.result();
        });
        Form->ButtonEditorSave->click();
    }
    // The file name the next save dialog offers, and the folder it opens in.
    QString Offered(QString* folder = nullptr) {
        QString offered;
        Dialogs->Then([&](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            auto* nameBox = files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            offered = nameBox != nullptr ? nameBox->text() : QString();
            if (folder != nullptr)
                *folder = files.directory().absolutePath();
            return int(QDialog::Rejected);
        });
        Form->ButtonEditorSave->click();
        return offered;
    }
    QString Row(int row) const { return Form->Editor.Rows().value(row); }
};

TEST_F(EditorTest, ClicksDrawAndEraseWithTheChosenCharacter) {
    EXPECT_TRUE(Form->SpeedButtonDraw->isChecked());
    EXPECT_TRUE(Form->DrawMode);
    Click(2, 1);
    EXPECT_EQ(Cell(2, 1), "#");
    EXPECT_EQ(Grid()->currentColumn(), 2);
    EXPECT_EQ(Grid()->currentRow(), 1);
    PressKey(33); // "A"
    Click(2, 1);  // the current cell again
    EXPECT_EQ(Cell(2, 1), "A");
    Click(3, 1, Qt::RightButton);
    EXPECT_EQ(Cell(3, 1), "");

    // Erasing writes a blank; a key chosen meanwhile keeps erase mode.
    QTest::mouseClick(Form->SpeedButtonErase, Qt::LeftButton);
    EXPECT_FALSE(Form->SpeedButtonDraw->isChecked());
    PressKey(34);
    EXPECT_FALSE(Form->DrawMode);
    Click(2, 1);
    EXPECT_EQ(Cell(2, 1), " ");
    QTest::mouseClick(Form->SpeedButtonDraw, Qt::LeftButton);
    Click(4, 4);
    EXPECT_EQ(Cell(4, 4), "B");
    // Button 0 is the blank, drawn although draw mode is on.
    PressKey(0);
    Click(5, 4);
    EXPECT_EQ(Cell(5, 4), " ");

    // Clear empties the canvas and focuses the grid; the current cell stays.
    Form->ButtonEditorLoad->setFocus();
    Form->ButtonEditorClear->click();
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Cell(5, 4), "");
    EXPECT_EQ(Form->Editor.StoredCells(), 0);
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentColumn(), 5);
    EXPECT_EQ(Form->DrawChar, " ");
}

TEST_F(EditorTest, StrokesLeaveNoGapsAndKeysDrawAlongTheWay) {
    // Slow: every cell visited. Fast: one movement from end to end.
    Stroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    EXPECT_EQ(Row(0).left(5), "#### ");
    Form->Editor.Clear();
    Stroke({{1, 2}, {21, 12}});
    for (const tg::CellPos& cell : tg::LineCells({1, 2}, {21, 12}))
        EXPECT_EQ(Cell(cell.Col, cell.Row), "#") << cell.Col << "," << cell.Row;
    EXPECT_EQ(Form->Editor.StoredCells(), 21);
    // Moving without the button held draws nothing.
    QTest::mouseMove(View(), At(30, 3));
    EXPECT_EQ(Cell(30, 3), "");

    Form->Editor.Clear();
    Click(0, 0);
    Key(Qt::Key_Right);
    Key(Qt::Key_Right);
    Key(Qt::Key_Down);
    Key(Qt::Key_Left); // cannot leave the canvas: no step, no write
    Key(Qt::Key_Home);
    Key(Qt::Key_Left);
    EXPECT_EQ(Row(0).left(4), "### ");
    EXPECT_EQ(Row(1).left(4), "### ");
    Key(Qt::Key_End);
    EXPECT_EQ(Cell(99, 1), "#");
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(Cell(99, 99), "#");
    EXPECT_GT(Grid()->verticalScrollBar()->value(), 0);
}

TEST_F(EditorTest, DraggingBeyondTheEdgeScrollsAndDraws) {
    const int lastVisible = View()->width() / Grid()->columnWidth() - 1;
    const QPoint start = At(lastVisible - 1, 2);
    QTest::mousePress(View(), Qt::LeftButton, {}, start);
    QTest::mouseMove(View(), QPoint(View()->width() + 30, start.y()));
    for (int i = 0; i < 300 && Grid()->currentColumn() < lastVisible + 4; ++i)
        QTest::qWait(10);
    QTest::mouseRelease(View(), Qt::LeftButton, {}, QPoint(View()->width() + 30, start.y()));
    const int reached = Grid()->currentColumn();
    EXPECT_GE(reached, lastVisible + 4);
    EXPECT_GT(Grid()->horizontalScrollBar()->value(), 0);
    for (int col = lastVisible - 1; col <= reached; ++col)
        EXPECT_EQ(Cell(col, 2), "#") << col;
    // After the release nothing moves any more.
    QTest::qWait(100);
    EXPECT_EQ(Grid()->currentColumn(), reached);
}

TEST_F(EditorTest, CanvasSizeHidesAndShowsCellsAndTheGridMovesWriteNothing) {
    Click(50, 3);
    PressKey(33);
    // Typing "10" passes through 1 column; the current cell moves with the
    // canvas but nothing is drawn by it.
    Type(Form->CSpinEditCanvasWidth, QStringLiteral("10"));
    Type(Form->CSpinEditCanvasHeight, QStringLiteral("10"));
    EXPECT_EQ(Form->CanvasWidth, 10);
    EXPECT_EQ(Grid()->columnCount(), 10);
    EXPECT_EQ(Grid()->rowCount(), 10);
    EXPECT_EQ(Grid()->currentColumn(), 0);
    EXPECT_EQ(Grid()->currentRow(), 0);
    EXPECT_EQ(Form->Editor.StoredCells(), 1);
    EXPECT_EQ(Row(3), "          ");
    Form->ButtonEditorClear->click();
    Type(Form->CSpinEditCanvasWidth, QStringLiteral("100"));
    Type(Form->CSpinEditCanvasHeight, QStringLiteral("100"));
    EXPECT_EQ(Cell(50, 3), "#");
    EXPECT_EQ(Row(3).mid(50, 1), "#");

    // 0 shows one column and stays in the field; an emptied text is 0 at once.
    Type(Form->CSpinEditCanvasWidth, QStringLiteral("0"));
    EXPECT_EQ(Form->CanvasWidth, 0);
    EXPECT_EQ(Grid()->columnCount(), 1);
    Type(Form->CSpinEditCanvasHeight, QStringLiteral("-4"));
    EXPECT_EQ(Form->CanvasHeight, -4);
    EXPECT_EQ(Grid()->rowCount(), 1);
    Type(Form->CSpinEditCellWidth, QString());
    EXPECT_EQ(Form->CSpinEditCellWidth->text(), "0");
    EXPECT_EQ(Form->CellWidth, 0);
    EXPECT_EQ(Grid()->columnWidth(), 1);
    Type(Form->CSpinEditCellHeight, QStringLiteral("25"));
    EXPECT_EQ(Form->CellHeight, 25);
    EXPECT_EQ(Grid()->rowHeight(), 25);
    // Beyond the cap the field stops at it.
    Form->CSpinEditCanvasWidth->setValue(123456);
    EXPECT_EQ(Form->CanvasWidth, tg::MaxCanvasSize);
    EXPECT_EQ(Grid()->columnCount(), tg::MaxCanvasSize);

    Form->close();
    QFile settings(Form->SettingsFileName());
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(text.contains("canvasWidth=10000\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("canvasHeight=-4\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("cellWidth=0\r\n")) << text.toStdString();
}

TEST_F(EditorTest, PositionLabelsShowTheCellUnderThePointer) {
    EXPECT_EQ(Form->LabelPosCol->text(), "");
    QTest::mouseMove(View(), At(0, 0));
    EXPECT_EQ(Form->LabelPosCol->text(), "0");
    EXPECT_EQ(Form->LabelPosRow->text(), "0");
    QTest::mouseMove(View(), At(7, 3));
    EXPECT_EQ(Form->LabelPosCol->text(), "7");
    EXPECT_EQ(Form->LabelPosRow->text(), "3");
    Form->CSpinEditCanvasWidth->setValue(5);
    QTest::mouseMove(View(), QPoint(5 * Grid()->columnWidth() + 20, 5));
    EXPECT_EQ(Form->LabelPosCol->text(), "-1");
    EXPECT_EQ(Form->LabelPosRow->text(), "-1");
    EXPECT_EQ(Form->GridCol, -1);
    // The keys move the current cell, not the labels.
    Click(1, 1);
    Key(Qt::Key_Down);
    EXPECT_EQ(Form->LabelPosRow->text(), "-1");
}

TEST_F(EditorTest, KeyboardHas224KeysInOneGroupCentredInThePanel) {
    ASSERT_EQ(Form->KeyButtons.size(), 224);
    for (int i = 0; i < 224; ++i) {
        QToolButton* key = Form->KeyButtons[i];
        EXPECT_EQ(key->objectName(), QStringLiteral("sbKey%1").arg(i));
        EXPECT_EQ(key->parentWidget(), Form->PanelKeyboard);
        EXPECT_EQ(key->size(), QSize(22, 22));
        EXPECT_EQ(key->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(key->isCheckable());
        EXPECT_EQ(key->isChecked(), i == 3) << i;
        const QString shown = key->text().replace(QStringLiteral("&&"), QStringLiteral("&"));
        EXPECT_EQ(shown, QString(tg::FromCp1252Char(static_cast<unsigned char>(i + 32)))) << i;
    }
    EXPECT_EQ(Form->findChild<QToolButton*>("sbKey223")->text(), QString(QChar(0xFF)));
    EXPECT_EQ(Form->DrawChar, "#");
    EXPECT_EQ(Form->KeyButtons[0]->font().family(), "Courier New");

    // The designed panel size places the block at 15, 18.
    Form->PanelKeyboard->resize(867, 169);
    EXPECT_EQ(Form->KeyButtons[0]->pos(), QPoint(15, 18));
    EXPECT_EQ(Form->KeyButtons[37]->pos(), QPoint(829, 18));
    EXPECT_EQ(Form->KeyButtons[38]->pos(), QPoint(15, 40));
    // Code 222 starts the sixth row, code 255 ends it four places short.
    EXPECT_EQ(Form->KeyButtons[190]->pos(), QPoint(15, 128));
    EXPECT_EQ(Form->KeyButtons[223]->pos(), QPoint(15 + 33 * 22, 128));

    // After the window has taken a new size the block is centred in it.
    Form->resize(1300, 800);
    QApplication::processEvents();
    const int margin = (Form->PanelKeyboard->width() - 38 * 22) / 2;
    EXPECT_GT(Form->PanelKeyboard->width(), 1000);
    EXPECT_EQ(Form->KeyButtons[0]->pos(), QPoint(margin, (169 - 132) / 2));

    // Pressing keys: one stays pressed, again keeps it, focus stays put.
    Grid()->setFocus();
    Click(0, 0);
    PressKey(33);
    PressKey(33);
    EXPECT_TRUE(Form->KeyButtons[33]->isChecked());
    EXPECT_FALSE(Form->KeyButtons[3]->isChecked());
    EXPECT_EQ(Form->DrawChar, "A");
    PressKey(34);
    EXPECT_FALSE(Form->KeyButtons[33]->isChecked());
    EXPECT_TRUE(Grid()->hasFocus());
    EXPECT_EQ(Grid()->currentColumn(), 0);
    // A lone "&" shows "&" and draws "&".
    PressKey(6);
    EXPECT_TRUE(QKeySequence::mnemonic(Form->KeyButtons[6]->text()).isEmpty());
    EXPECT_EQ(Form->DrawChar, "&");
    Click(1, 0);
    EXPECT_EQ(Cell(1, 0), "&");
    EXPECT_EQ(Cell(0, 0), "#");
}

TEST_F(EditorTest, SaveWritesTheCanvasAndOffersTheLoadedName) {
    QString folder;
    EXPECT_EQ(Offered(&folder), "ascii.txt");
    EXPECT_EQ(folder, QDir(Path("saves")).absolutePath());
    const QString path = Path("saves/ascii.txt");
    Save(path);
    const QByteArray blank = QByteArray(100, ' ').append("\r\n");
    EXPECT_EQ(Read(path), blank.repeated(100));

    Form->CSpinEditCanvasWidth->setValue(3);
    Form->CSpinEditCanvasHeight->setValue(2);
    Click(0, 0);
    PressKey(0x80 - 32); // the euro sign, byte 0x80
    Click(2, 1);
    Save(path);
    EXPECT_EQ(Read(path), QByteArray("#  \r\n  \x80\r\n"));

    // Cancelling writes nothing; a path that cannot be created is reported.
    Dialogs->Cancel();
    Form->ButtonEditorSave->click();
    const QString missing = Path("missing/art.txt");
    SaveTyped(missing);
    EXPECT_EQ(Dialogs->Errors, QStringList{"Cannot create file " + missing});
    EXPECT_FALSE(QFile::exists(Path("missing")));
    Dialogs->Errors.clear();

    const QString loaded = Path("saves/picture.txt");
    Write(loaded, "x");
    Load(loaded);
    EXPECT_EQ(Form->EditorFileName, "picture.txt");
    Save(Path("other.txt"));
    EXPECT_EQ(Offered(), "picture.txt");
    EXPECT_TRUE(Dialogs->Errors.isEmpty());

    EXPECT_EQ(Dialogs->Unexpected, 0);
}

TEST_F(EditorTest, LoadPutsEveryByteIntoItsCell) {
    const struct {
        const char* Name;
        QByteArray Bytes;
        QStringList Rows; // the first rows of the 100-column canvas, trimmed
    } cases[] = {
        {"crlf", "ab\r\n\r\nc\r\n", {"ab", "", "c", ""}},
        {"lf", "ab\n\nc\n", {"ab", "", "c", ""}},
        {"cr", "ab\r\rc", {"ab", "", "c", ""}},
        {"tab", "a\tb\r\n", {"a\tb", ""}},
        {"bom", "\xEF\xBB\xBFhi", {QString::fromUtf8("\xC3\xAF\xC2\xBB\xC2\xBFhi"), ""}},
        {"zero", QByteArray("ab\0cd\r\nef", 9), {"ab", ""}},
        {"blank", " x ", {" x", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Click(0, 7); // something to be cleared by the load
        const QString path = Path(QStringLiteral("saves/%1.txt").arg(c.Name));
        Write(path, c.Bytes);
        Load(path);
        for (qsizetype i = 0; i < c.Rows.size(); ++i)
            EXPECT_EQ(Row(int(i)).trimmed().isEmpty() ? QString()
                                                      : Row(int(i)).left(c.Rows[i].size()),
                      c.Rows[i])
                << i;
        EXPECT_EQ(Cell(0, 7), "");
    }
    EXPECT_EQ(Cell(0, 0), " "); // a blank of the file is a blank cell
    EXPECT_EQ(Cell(1, 0), "x");
    EXPECT_EQ(Cell(3, 0), "");
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_TRUE(Grid()->hasFocus());

    // Tab saved back as a tab.
    Load(Path("saves/tab.txt"));
    Form->CSpinEditCanvasWidth->setValue(3);
    Form->CSpinEditCanvasHeight->setValue(1);
    Save(Path("saves/tab2.txt"));
    EXPECT_EQ(Read(Path("saves/tab2.txt")), QByteArray("a\tb\r\n"));
    EXPECT_EQ(Dialogs->Errors, QStringList());
    EXPECT_EQ(Dialogs->Unexpected, 0);
}

TEST_F(EditorTest, LongLinesGoBeyondTheCanvasAndShowWhenItGrows) {
    QByteArray line;
    for (int i = 0; i < 150; ++i)
        line += char('A' + i % 26);
    const QString path = Path("saves/long.txt");
    Write(path, (line + "\r\n").repeated(3) + "z");
    Load(path);
    EXPECT_EQ(Row(0), QString::fromLatin1(line.left(100)));
    Save(Path("saves/cut.txt"));
    const QByteArray cut = Read(Path("saves/cut.txt"));
    EXPECT_EQ(cut.size(), 10200);
    EXPECT_TRUE(cut.startsWith(line.left(100) + "\r\n"));
    EXPECT_TRUE(cut.mid(3 * 102).startsWith("z" + QByteArray(99, ' ') + "\r\n"));
    Form->CSpinEditCanvasWidth->setValue(150);
    EXPECT_EQ(Row(2), QString::fromLatin1(line));
    // Shrinking the height hides "z"; it is kept for later.
    Form->CSpinEditCanvasHeight->setValue(3);
    Form->ButtonEditorClear->click();
    EXPECT_EQ(Cell(0, 3), "z");
}

TEST_F(EditorTest, LoadFailuresChangeNoCell) {
    Click(0, 0);
    Dialogs->Cancel();
    Form->ButtonEditorLoad->click();
    EXPECT_EQ(Cell(0, 0), "#");

    const QString missing = Path("saves/none.txt");
    Load(missing);
    EXPECT_EQ(Dialogs->Errors, QStringList{"Cannot open file " + missing});
    EXPECT_EQ(Form->EditorFileName, "none.txt");
    EXPECT_EQ(Cell(0, 0), "#");

    // A file too large to keep is refused before anything changes.
    const QString large = Path("saves/large.txt");
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(tg::MaxEditorFileSize + 1));
    }
    Dialogs->Errors.clear();
    Load(large);
    ASSERT_EQ(Dialogs->Errors.size(), 1);
    EXPECT_EQ(Dialogs->Errors[0], "File " + large + " is too large to load (more than 16 MiB)");
    EXPECT_EQ(Form->EditorFileName, "none.txt");
    EXPECT_EQ(Cell(0, 0), "#");
    EXPECT_EQ(Offered(), "none.txt");
}

TEST_F(EditorTest, UndoAndRedoStepByStrokeClearAndLoad) {
    Stroke({{0, 0}, {5, 0}});
    Click(0, 2);
    EXPECT_EQ(Row(0).left(7), "###### ");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Cell(0, 2), "");
    EXPECT_EQ(Row(0).left(7), "###### ");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->Editor.StoredCells(), 0);
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Row(0).left(7), "###### ");
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Cell(0, 2), "#");

    Form->ButtonEditorClear->click();
    EXPECT_EQ(Form->Editor.StoredCells(), 0);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form->Editor.StoredCells(), 7);

    const QString path = Path("saves/two.txt");
    Write(path, "ab\r\n");
    Load(path);
    EXPECT_EQ(Form->Editor.StoredCells(), 2);
    Key(Qt::Key_Z, Qt::ControlModifier); // the load and its clearing at once
    EXPECT_EQ(Form->Editor.StoredCells(), 7);
    EXPECT_EQ(Cell(0, 2), "#");
}

TEST_F(EditorTest, CtrlCCopiesTheCanvasAsText) {
    Form->CSpinEditCanvasWidth->setValue(3);
    Form->CSpinEditCanvasHeight->setValue(2);
    Click(1, 0);
    Form->Editor.Write(7, 0, QStringLiteral("x")); // outside: not copied
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), " # \n   \n");
}

// Sizes in the settings file that no grid can take start the window with
// capped ones, and those are what the file keeps.
class EditorStartTest : public ShellTest {};

TEST_F(EditorStartTest, HugeCanvasSizesFromTheSettingsAreCapped) {
    const struct {
        const char* Width;
        const char* Height;
        int Field, Shown;
    } cases[] = {{"2147483647", "100000", tg::MaxCanvasSize, tg::MaxCanvasSize},
                 {"100000", "2147483647", tg::MaxCanvasSize, tg::MaxCanvasSize},
                 {"-2147483648", "0", INT_MIN, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Width);
        WriteBytes(SettingsPath(), QByteArray("[Options]\r\nfirstStart=0\r\ncanvasWidth=") +
                                       c.Width + "\r\ncanvasHeight=" + c.Height +
                                       "\r\ncellWidth=-3\r\ncellHeight=2147483647\r\n");
        auto form = Launch();
        EXPECT_EQ(form->CanvasWidth, c.Field);
        EXPECT_EQ(form->StringGrid1->columnCount(), c.Shown);
        EXPECT_EQ(form->CSpinEditCanvasWidth->value(), c.Field);
        EXPECT_EQ(form->StringGrid1->columnWidth(), 1);
        EXPECT_EQ(form->StringGrid1->rowHeight(), tg::MaxCellSize);
        // The far corner can be drawn and saved.
        form->PageControl2->setCurrentWidget(form->TabSheetEditor);
        QTest::keyClick(form->StringGrid1, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(form->StringGrid1->currentColumn(), c.Shown - 1);
        form->close();
        const QByteArray text = ReadBytes(SettingsPath());
        EXPECT_TRUE(text.contains("canvasWidth=" + QByteArray::number(c.Field) + "\r\n"))
            << text.toStdString();
        EXPECT_TRUE(text.contains("cellHeight=2147483647\r\n")) << text.toStdString();
    }
    EXPECT_EQ(Dialogs->Errors, QStringList());
}

} // namespace
