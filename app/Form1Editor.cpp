// The Editor page: the character grid, the symbol keyboard and the editor
// text files. The cells, the canvas size and the undo steps live in the
// window's EditorSession; these handlers drive it and the grid shows it.
#include "app/TForm1.h"

#include "app/CharGrid.h"
#include "app/DialogSeam.h"
#include "app/FontDialog.h"
#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace {

// Calls a function after the watched widget has taken a new size.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QWidget* watched, std::function<void()> resized)
        : QObject(watched), Resized(std::move(resized)) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            Resized();
        return QObject::eventFilter(object, event);
    }

private:
    std::function<void()> Resized;
};

QIcon PencilIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(8, 8);
    painter.rotate(45);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(240, 190, 60));
    painter.drawRect(QRectF(-2.5, -7.5, 5, 10));
    painter.setBrush(QColor(230, 150, 150));
    painter.drawRect(QRectF(-2.5, -9, 5, 2));
    QPainterPath tip;
    tip.moveTo(-2.5, 2.5);
    tip.lineTo(2.5, 2.5);
    tip.lineTo(0, 7.5);
    tip.closeSubpath();
    painter.setBrush(QColor(245, 225, 190));
    painter.drawPath(tip);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPointF(0, 6.5), 0.8, 0.8);
    return QIcon(pixmap);
}

QIcon EraserIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(8, 8);
    painter.rotate(-45);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(235, 120, 140));
    painter.drawRect(QRectF(-6.5, -3.5, 6.5, 7));
    painter.setBrush(QColor(245, 245, 245));
    painter.drawRect(QRectF(0, -3.5, 6.5, 7));
    return QIcon(pixmap);
}

QLineEdit* SpinText(QSpinBox* spin) {
    return spin->findChild<QLineEdit*>();
}

QString NativePath(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

void TForm1::ConnectEditor() {
    const auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this,
                [this, handler] { Guard([this, handler] { (this->*handler)(); }); });
    };
    SpeedButtonDraw->setText(QString());
    SpeedButtonDraw->setIcon(PencilIcon());
    SpeedButtonErase->setText(QString());
    SpeedButtonErase->setIcon(EraserIcon());
    auto* tools = new QButtonGroup(PanelEditorLeft);
    tools->setExclusive(true);
    tools->addButton(SpeedButtonDraw);
    tools->addButton(SpeedButtonErase);
    on(SpeedButtonDraw, &QToolButton::clicked, &TForm1::SpeedButtonDrawClick);
    on(SpeedButtonErase, &QToolButton::clicked, &TForm1::SpeedButtonEraseClick);
    on(ButtonEditorClear, &QPushButton::clicked, &TForm1::ButtonEditorClearClick);
    on(ButtonEditorLoad, &QPushButton::clicked, &TForm1::ButtonEditorLoadClick);
    on(ButtonEditorSave, &QPushButton::clicked, &TForm1::ButtonEditorSaveClick);

    // The canvas spin edits stop at the grid's cap; below it they keep any
    // value, 0 and negative ones included. An emptied text counts as 0.
    CSpinEditCanvasWidth->setMaximum(tg::MaxCanvasSize);
    CSpinEditCanvasHeight->setMaximum(tg::MaxCanvasSize);
    const std::pair<QSpinBox*, void (TForm1::*)()> spins[] = {
        {CSpinEditCanvasWidth, &TForm1::CSpinEditCanvasWidthChange},
        {CSpinEditCanvasHeight, &TForm1::CSpinEditCanvasHeightChange},
        {CSpinEditCellWidth, &TForm1::CSpinEditCellWidthChange},
        {CSpinEditCellHeight, &TForm1::CSpinEditCellHeightChange}};
    for (const auto& entry : spins) {
        QSpinBox* spin = entry.first;
        on(spin, &QSpinBox::valueChanged, entry.second);
        QLineEdit* text = SpinText(spin);
        connect(text, &QLineEdit::textEdited, spin, [spin, text](const QString& typed) {
            if (!typed.trimmed().isEmpty())
                return;
            spin->setValue(0);
            text->setText(QStringLiteral("0"));
            text->selectAll();
        });
    }

    connect(StringGrid1, &CharGrid::SelectCell, this,
            [this](int col, int row) { Guard([=, this] { StringGrid1SelectCell(col, row); }); });
    connect(StringGrid1, &CharGrid::MouseMoved, this,
            [this](QPoint point) { Guard([=, this] { StringGrid1MouseMove(point); }); });
    connect(StringGrid1, &CharGrid::StrokeStarted, this, [this] { Editor.BeginStep(); });
    connect(StringGrid1, &CharGrid::StrokeFinished, this, [this] { Editor.EndStep(); });

    const auto action = [](const char* name, QWidget* owner, Qt::ShortcutContext context,
                           const QList<QKeySequence>& keys) {
        auto* item = new QAction(owner);
        item->setObjectName(QLatin1String(name));
        item->setShortcuts(keys);
        item->setShortcutContext(context);
        owner->addAction(item);
        return item;
    };
    EditorUndo = action("EditorUndo", TabSheetEditor, Qt::WidgetWithChildrenShortcut,
                        {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    EditorRedo = action(
        "EditorRedo", TabSheetEditor, Qt::WidgetWithChildrenShortcut,
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    EditorCopy =
        action("EditorCopy", StringGrid1, Qt::WidgetShortcut, {QKeySequence(Qt::CTRL | Qt::Key_C)});
    on(EditorUndo, &QAction::triggered, &TForm1::EditorUndoClick);
    on(EditorRedo, &QAction::triggered, &TForm1::EditorRedoClick);
    on(EditorCopy, &QAction::triggered, &TForm1::EditorCopyClick);

    // The keyboard follows the panel's size once it has taken it, so the
    // block stays centred.
    new ResizeWatcher(PanelKeyboard, [this] { Guard([this] { LayoutKeyboard(); }); });

    // Like the platform's open dialog, it takes a typed name of a file that
    // does not exist; opening it then fails with the usual message.
    OpenDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog2->setOption(QFileDialog::DontConfirmOverwrite, true);
}

// ---- Grid ----

void TForm1::StringGrid1SelectCell(int col, int row) {
    CellText = DrawMode ? DrawChar : QStringLiteral(" ");
    Editor.Write(col, row, CellText);
}

void TForm1::StringGrid1MouseMove(QPoint point) {
    const tg::CellPos cell = StringGrid1->CellAt(point);
    GridCol = cell.Col;
    GridRow = cell.Row;
    LabelPosCol->setText(QString::number(GridCol));
    LabelPosRow->setText(QString::number(GridRow));
}

void TForm1::SpeedButtonDrawClick() {
    DrawMode = true;
}

void TForm1::SpeedButtonEraseClick() {
    DrawMode = false;
}

void TForm1::ButtonEditorClearClick() {
    Editor.Clear();
    StringGrid1->Refresh();
    StringGrid1->setFocus();
}

void TForm1::CSpinEditCanvasWidthChange() {
    CanvasWidth = tg::CappedCanvasSize(CSpinEditCanvasWidth->value());
    StringGrid1->setColumnCount(CanvasWidth);
}

void TForm1::CSpinEditCanvasHeightChange() {
    CanvasHeight = tg::CappedCanvasSize(CSpinEditCanvasHeight->value());
    StringGrid1->setRowCount(CanvasHeight);
}

void TForm1::CSpinEditCellWidthChange() {
    CellWidth = CSpinEditCellWidth->value();
    StringGrid1->setDefaultColumnWidth(CellWidth);
}

void TForm1::CSpinEditCellHeightChange() {
    CellHeight = CSpinEditCellHeight->value();
    StringGrid1->setDefaultRowHeight(CellHeight);
}

void TForm1::EditorUndoClick() {
    if (Editor.Undo())
        StringGrid1->Refresh();
}

void TForm1::EditorRedoClick() {
    if (Editor.Redo())
        StringGrid1->Refresh();
}

void TForm1::EditorCopyClick() {
    QGuiApplication::clipboard()->setText(Editor.CopyText());
}

// ---- Keyboard ----

void TForm1::BuildKeyboard() {
    KeyGroup = new QButtonGroup(PanelKeyboard);
    KeyGroup->setExclusive(true);
    for (int i = 0; i < KeyCount; ++i) {
        auto* button = new QToolButton(PanelKeyboard);
        button->setObjectName(QStringLiteral("sbKey%1").arg(i));
        const QChar character = tg::FromCp1252Char(static_cast<unsigned char>(i + 32));
        // A lone "&" would be read as a mnemonic marker and show nothing.
        button->setText(character == QLatin1Char('&') ? QStringLiteral("&&") : QString(character));
        button->setFixedSize(22, 22);
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->move(0, 0);
        KeyGroup->addButton(button, i);
        connect(button, &QToolButton::clicked, this,
                [this, button] { Guard([this, button] { KeyButtonClick(button); }); });
        KeyButtons.append(button);
    }
    KeyButtons[3]->setChecked(true);
    DrawChar = QString(tg::FromCp1252Char(3 + 32));
}

void TForm1::LayoutKeyboard() {
    const QFont font = tg::RenderingPixelFont(RenderingFont());
    const QColor color = RenderingColor();
    const int rows = 6;
    const int panelWidth = PanelKeyboard->width();
    const int panelHeight = PanelKeyboard->height();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < KeyColumns; ++c) {
            const int index = r * KeyColumns + c;
            if (index >= KeyButtons.size())
                continue;
            QToolButton* button = KeyButtons[index];
            const int w = button->width();
            const int h = button->height();
            button->move((panelWidth - KeyColumns * w) / 2 + c * w,
                         (panelHeight - rows * h) / 2 + r * h);
            button->setFont(font);
            SetTextColor(*button, QPalette::ButtonText, color);
        }
}

void TForm1::KeyButtonClick(QToolButton* sender) {
    sender->setChecked(true);
    const int index = static_cast<int>(KeyButtons.indexOf(sender));
    if (index >= 0)
        DrawChar = QString(tg::FromCp1252Char(static_cast<unsigned char>(index + 32)));
}

// ---- Files ----

void TForm1::ButtonEditorLoadClick() {
    OpenDialog1->setDirectory(BaseFolder + QStringLiteral("saves"));
    if (ExecModal(*OpenDialog1) != QDialog::Accepted)
        return;
    const QString path = OpenDialog1->selectedFiles().value(0);
    if (path.isEmpty())
        return;
    const QString tooLarge = QStringLiteral("File %s is too large to load (more than 16 MiB)");
    const QFileInfo info(path);
    if (info.isFile() && info.size() > tg::MaxEditorFileSize)
        throw tg::AppError(tg::FormatMessage(tooLarge, NativePath(path)));
    EditorFileName = info.fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw tg::AppError(
            tg::FormatMessage(QStringLiteral("Cannot open file %s"), NativePath(path)));
    const QByteArray bytes = file.read(tg::MaxEditorFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw tg::AppError(
            tg::FormatMessage(QStringLiteral("Cannot open file %s"), NativePath(path)));
    if (bytes.size() > tg::MaxEditorFileSize)
        throw tg::AppError(tg::FormatMessage(tooLarge, NativePath(path)));
    OutputLines = tg::ReadEditorText(bytes);
    // Clearing and loading are one step for undo.
    Editor.BeginStep();
    ButtonEditorClearClick();
    Editor.Load(OutputLines);
    Editor.EndStep();
    StringGrid1->Refresh();
}

void TForm1::ButtonEditorSaveClick() {
    SaveDialog2->setDirectory(BaseFolder + QStringLiteral("saves"));
    SaveDialog2->selectFile(EditorFileName.isEmpty() ? QStringLiteral("ascii.txt")
                                                     : EditorFileName);
    if (ExecModal(*SaveDialog2) != QDialog::Accepted)
        return;
    const QString path = SaveDialog2->selectedFiles().value(0);
    if (path.isEmpty())
        return;
    OutputLines = Editor.Rows();
    tg::WriteFileAtomic(path, tg::LinesToBytes(OutputLines));
}
