// Settings, "Set Font" through the real window and the real font dialog: the
// rendering font and its colour reach the picture, the banner, the grid, the
// keys and the saved files, and a cancel changes nothing.
#include "app/CharGrid.h"
#include "app/FontDialog.h"
#include "app/ImageView.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <cmath>

namespace {

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList BoxRows(const QTextEdit& box) {
    QStringList rows;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
        rows.append(block.text());
    return rows;
}

// The first position of every run of values for which ink is true, 0 to size - 1.
std::vector<int> RunStarts(int size, const std::function<bool(int)>& ink) {
    std::vector<int> starts;
    for (int i = 0; i < size; ++i)
        if (ink(i) && (i == 0 || !ink(i - 1)))
            starts.push_back(i);
    return starts;
}

bool Dark(QRgb pixel) {
    return qGray(pixel) < 128;
}

// How often the image holds a pixel that is neither gray nor white.
int ColouredPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() != c.green() || c.green() != c.blue())
                ++count;
        }
    return count;
}

// How many pixels of a widget's picture are strongly red.
int RedPixels(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 100 && c.blue() < 100)
                ++count;
        }
    return count;
}

class FontTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        QApplication::processEvents();
    }

    // Opens Settings, "Set Font" and answers the dialog: the font (when
    // given) and the colour (when given, through the colour button and its
    // own dialog), then OK or Cancel. Records what the dialog offered.
    void SetFont(std::optional<QFont> font, std::optional<QColor> color, bool confirm = true) {
        Dialogs->Then([this, font, color, confirm](QDialog& dialog) {
            auto& fonts = dynamic_cast<FontDialog&>(dialog);
            Offered = fonts.CurrentFont();
            OfferedColor = fonts.CurrentColor();
            if (font)
                fonts.Chooser()->setCurrentFont(*font);
            if (color) {
                Dialogs->Then([color](QDialog& colors) {
                    dynamic_cast<QColorDialog&>(colors).setCurrentColor(*color);
                    colors.accept();
                    return colors.result();
                });
                fonts.ColorButton()->click();
            }
            if (confirm)
                fonts.accept();
            else
                fonts.reject();
            return fonts.result();
        });
        Form->MSetFont->trigger();
        EXPECT_EQ(Dialogs->Unexpected, 0);
    }

    // Saves the picture through the real save dialog with the type (1 HTML,
    // 3 rich text) and returns the path.
    QString Save(int type, const QString& name) {
        const QString path = Path(QStringLiteral("saves/") + name);
        Dialogs->Then([path, type](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            files.selectNameFilter(files.nameFilters().at(type - 1));
            files.selectFile(path);
            static_cast<QDialog&>(files).accept();
            return files.result();
        });
        Form->ButtonSave->click();
        EXPECT_EQ(Dialogs->Errors, QStringList());
        return path;
    }

    // A black picture of 10 x 10 pixels drawn in sentence mode with "#": one
    // "#" and a blank in every cell, so every cell shows one glyph.
    void OpenSentencePicture() {
        Open(WritePicture(QStringLiteral("black.png"), Solid(10, 10, Qt::black)));
        Form->CheckBoxCustom->click();
        Form->RadioGroupCustomItems->button(1)->click();
        // Typed as the user does: with the focus in the box.
        QApplication::setActiveWindow(Form.get());
        Form->EditSymbols->setFocus();
        Form->EditSymbols->setText(QStringLiteral("#"));
        ASSERT_EQ(Form->ArtLines.value(0), QStringLiteral("# ").repeated(10));
    }

    // The family the system draws "Courier New" in: the chooser lists it.
    static QString Mono() { return QFontInfo(QFont(QStringLiteral("Courier New"))).family(); }

    QFont Offered;
    QColor OfferedColor;
};

TEST_F(FontTest, CancelChangesNothingAndDrawsNothingAgain) {
    Open(WritePicture(QStringLiteral("ramp.png"), Ramp(40, 30)));
    const qint64 picture = Form->ImageASCII->Bitmap().cacheKey();
    const qint64 banner = Form->BannerBitmap.cacheKey();
    const QStringList rows = BoxRows(*Form->RichEditText);
    const QFont gridFont = Form->StringGrid1->CellFont();
    const QFont keyFont = Form->KeyButtons[0]->font();

    SetFont(QFont(Mono(), 20, QFont::Bold), QColor(Qt::red), false);
    EXPECT_EQ(Dialogs->Opened,
              (QStringList{QStringLiteral("OpenImageEnDialog1"), QStringLiteral("FontDialog1"),
                           QStringLiteral("FontColorDialog")}));
    EXPECT_EQ(Offered.family(), Mono());
    EXPECT_EQ(Offered.pointSize(), 8);

    EXPECT_EQ(Form->RenderingFont(), QFont(QStringLiteral("Courier New"), 8));
    EXPECT_EQ(Form->RenderingColor(), QColor(Qt::black));
    EXPECT_EQ(Form->FontSize, 8);
    EXPECT_EQ(Form->ArtFont, QFont(QStringLiteral("Courier New"), 8));
    EXPECT_EQ(Form->Banner.Font, QFont(QStringLiteral("Courier New"), 8));
    EXPECT_EQ(Form->RichEdit1->font(), QFont(QStringLiteral("Courier New"), 8));
    EXPECT_EQ(Form->StringGrid1->CellFont(), gridFont);
    EXPECT_EQ(Form->KeyButtons[0]->font(), keyFont);
    EXPECT_EQ(Form->StringGrid1->palette().color(QPalette::Text), QColor(Qt::black));
    EXPECT_EQ(Form->ImageASCII->Bitmap().cacheKey(), picture);
    EXPECT_EQ(Form->BannerBitmap.cacheKey(), banner);
    EXPECT_EQ(BoxRows(*Form->RichEditText), rows);

    // The next time the dialog offers the font it holds, not the one cancelled.
    SetFont(std::nullopt, std::nullopt, false);
    EXPECT_EQ(Offered.pointSize(), 8);
    EXPECT_FALSE(Offered.bold());
    EXPECT_EQ(OfferedColor, QColor(Qt::black));
}

TEST_F(FontTest, ConfirmingUnchangedDrawsEverythingAgainAndKeepsTheFont) {
    Open(WritePicture(QStringLiteral("ramp.png"), Ramp(40, 30)));
    const QImage picture = Form->ImageASCII->Bitmap();
    const QImage banner = Form->BannerBitmap;
    const QStringList rows = BoxRows(*Form->RichEditText);
    const QPoint keyAt = Form->KeyButtons[5]->pos();
    Form->KeyButtons[5]->move(0, 0);

    SetFont(std::nullopt, std::nullopt);
    // "Courier New" is drawn in another family here; confirming leaves the
    // name as it was, and everything is drawn exactly as before.
    EXPECT_EQ(Form->RenderingFont(), QFont(QStringLiteral("Courier New"), 8));
    EXPECT_EQ(Form->FontSize, 8);
    EXPECT_NE(Form->ImageASCII->Bitmap().cacheKey(), picture.cacheKey());
    EXPECT_EQ(Form->ImageASCII->Bitmap(), picture);
    EXPECT_NE(Form->BannerBitmap.cacheKey(), banner.cacheKey());
    EXPECT_EQ(Form->BannerBitmap, banner);
    EXPECT_EQ(BoxRows(*Form->RichEditText), rows);
    EXPECT_EQ(Form->KeyButtons[5]->pos(), keyAt);
}

TEST_F(FontTest, A12PointFontSpreadsTheCellsAndSizesTheHtml) {
    OpenSentencePicture();
    const QStringList lines = Form->ArtLines;
    SetFont(QFont(Mono(), 12), std::nullopt);
    EXPECT_EQ(Form->FontSize, 12);
    EXPECT_EQ(Form->RenderingFont().pointSize(), 12);
    EXPECT_EQ(Form->ArtLines, lines);

    // One glyph a cell: ink starts a cell's width apart, trunc(12 x 1.6 x i).
    const QImage bitmap = Form->ImageASCII->Bitmap();
    const auto across = RunStarts(bitmap.width(), [&](int x) {
        for (int y = 0; y < bitmap.height(); ++y)
            if (Dark(bitmap.pixel(x, y)))
                return true;
        return false;
    });
    const auto down = RunStarts(bitmap.height(), [&](int y) {
        for (int x = 0; x < bitmap.width(); ++x)
            if (Dark(bitmap.pixel(x, y)))
                return true;
        return false;
    });
    ASSERT_EQ(across.size(), 10u);
    ASSERT_EQ(down.size(), 10u);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(across[i] - across[0], int(12 * 1.6 * i)) << i;
        EXPECT_EQ(down[i] - down[0], int(12 * 1.6 * i)) << i;
    }

    const QByteArray html = ReadBytes(Save(1, QStringLiteral("page.htm")));
    EXPECT_EQ(html.count("font-size:12pt"), 2) << html.left(600).data();
    EXPECT_FALSE(html.contains("font-size:8pt"));
}

TEST_F(FontTest, TheColourShowsInTheGridTheKeysAndTheRichTextOnly) {
    Open(WritePicture(QStringLiteral("ramp.png"), Ramp(40, 30)));
    const QStringList banner = BoxRows(*Form->RichEditText);
    Form->StringGrid1SelectCell(0, 0);
    Form->StringGrid1SelectCell(1, 0);
    ASSERT_EQ(Form->Editor.Cell(0, 0), QStringLiteral("#"));

    QFont chosen(Mono(), 16);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    SetFont(chosen, QColor(Qt::red));
    EXPECT_EQ(Form->RenderingColor(), QColor(Qt::red));
    EXPECT_TRUE(Form->RenderingFont().underline());

    // The picture keeps the pixels' grays; the banner is drawn in black.
    EXPECT_EQ(ColouredPixels(Form->ImageASCII->Bitmap()), 0);
    EXPECT_GT(BoxRows(*Form->RichEditText).size(), banner.size());
    EXPECT_EQ(Form->RichEditText->font(), tg::BannerBoxFont());

    // The grid and every key draw their characters in the font and colour.
    Form->PageControl2->setCurrentWidget(Form->TabSheetEditor);
    QApplication::processEvents();
    EXPECT_EQ(Form->StringGrid1->CellFont().pixelSize(), 21);
    EXPECT_TRUE(Form->StringGrid1->CellFont().italic());
    EXPECT_GT(RedPixels(*Form->StringGrid1->viewport()), 0);
    for (QToolButton* key : Form->KeyButtons) {
        EXPECT_EQ(key->font().pixelSize(), 21) << key->objectName().toStdString();
        EXPECT_EQ(key->palette().color(QPalette::ButtonText), QColor(Qt::red));
    }
    EXPECT_GT(RedPixels(*Form->KeyButtons[3]), 0);

    // The rich text of the picture: its rows in the font and colour.
    const QString path = Save(3, QStringLiteral("rich.rtf"));
    const QByteArray rtf = ReadBytes(path);
    EXPECT_TRUE(rtf.contains("\\red255\\green0\\blue0")) << rtf.left(300).data();
    EXPECT_TRUE(rtf.contains("\\fs32")) << rtf.left(300).data();
    EXPECT_TRUE(rtf.contains("\\i\\ul")) << rtf.left(300).data();
    QProcess reader;
    reader.start(QStringLiteral("unrtf"), {QStringLiteral("--html"), path});
    ASSERT_TRUE(reader.waitForFinished(20000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput()).toLower();
    EXPECT_TRUE(text.contains(QStringLiteral("#ff0000"))) << text.toStdString();
    EXPECT_TRUE(text.contains(Form->ArtLines.value(0).left(8).toHtmlEscaped()))
        << text.toStdString();

    // Black again: the grid and the keys follow.
    SetFont(std::nullopt, QColor(Qt::black));
    QApplication::processEvents();
    EXPECT_EQ(RedPixels(*Form->StringGrid1->viewport()), 0);
    EXPECT_EQ(RedPixels(*Form->KeyButtons[3]), 0);
}

TEST_F(FontTest, TheBannerFollowsTheFontsShapeNotItsColour) {
    const QStringList small = BoxRows(*Form->RichEditText);
    SetFont(QFont(Mono(), 16), QColor(Qt::red));
    const QStringList large = BoxRows(*Form->RichEditText);
    EXPECT_GT(large.size(), small.size());
    EXPECT_GT(large.value(0).size(), small.value(0).size());
    for (const QString& row : large)
        EXPECT_TRUE(row.contains(QLatin1Char('@')));

    tg::BannerSession black;
    black.Text = Form->EditText->text();
    black.Font = QFont(Mono(), 16);
    black.Render();
    EXPECT_EQ(large, black.Rows);
}

TEST_F(FontTest, TheConverterWritesWhatTheWindowWritesAfterTheSameChoice) {
    const QString picture = WritePicture(QStringLiteral("ramp.png"), Ramp(12, 6));
    Open(picture);
    SetFont(QFont(Mono(), 12), std::nullopt);
    const QStringList font = {QStringLiteral("--font"), Mono(), QStringLiteral("--font-size"),
                              QStringLiteral("12")};
    for (const auto& [name, type] : {std::pair{"page.htm", 1}, std::pair{"page.rtf", 3}}) {
        SCOPED_TRACE(name);
        const QByteArray window = ReadBytes(Save(type, QString::fromLatin1(name)));
        const QString converted = Path(QStringLiteral("converted-") + QString::fromLatin1(name));
        const ConverterRun run =
            RunConverter(QStringList{picture, QStringLiteral("-o"), converted,
                                     QStringLiteral("--title"), QStringLiteral("page")} +
                         font);
        ASSERT_EQ(run.Status, 0) << run.Err.data();
        EXPECT_EQ(run.Err, QByteArray());
        ASSERT_FALSE(window.isEmpty());
        EXPECT_EQ(ReadBytes(converted), window);
    }

    // Its image holds every cell, drawn as the window draws them.
    const QString png = Path(QStringLiteral("converted.png"));
    const ConverterRun run = RunConverter(QStringList{picture, QStringLiteral("-o"), png} + font);
    ASSERT_EQ(run.Status, 0) << run.Err.data();
    const QImage converted = QImage(png).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(converted.size(), QSize(int(std::ceil(12 * 1.6 * 12)), int(std::ceil(12 * 1.6 * 6))));
    const QImage shown = Form->ImageASCII->Bitmap().convertToFormat(QImage::Format_RGB32);
    ASSERT_GE(shown.width(), converted.width());
    ASSERT_GE(shown.height(), converted.height());
    EXPECT_EQ(shown.copy(QRect(QPoint(0, 0), converted.size())), converted);
}

TEST_F(FontTest, TheConverterFallsBackForAMissingFamilyAndRefusesHugeImages) {
    const QString picture = WritePicture(QStringLiteral("ramp.png"), Ramp(12, 6));
    const QString png = Path(QStringLiteral("missing.png"));
    ConverterRun run =
        RunConverter({picture, QStringLiteral("--font"), QStringLiteral("No Such Family 42"),
                      QStringLiteral("-o"), png});
    ASSERT_EQ(run.Status, 0) << run.Err.data();
    EXPECT_TRUE(run.Err.contains("tessaglyph-convert: font family 'No Such Family 42' not found; "
                                 "using '"))
        << run.Err.data();
    EXPECT_EQ(QImage(png).size(), QSize(154, 77));

    // The rich text names the family as given; the size follows --font-size.
    run = RunConverter({picture, QStringLiteral("-f"), QStringLiteral("rtf"),
                        QStringLiteral("--font"), QStringLiteral("No Such Family 42"),
                        QStringLiteral("--font-size"), QStringLiteral("20")});
    ASSERT_EQ(run.Status, 0) << run.Err.data();
    EXPECT_TRUE(run.Out.contains("No Such Family 42;")) << run.Out.left(200).data();
    EXPECT_TRUE(run.Out.contains("\\fs40")) << run.Out.left(200).data();

    for (const QStringList& bad :
         {QStringList{QStringLiteral("--font-size"), QStringLiteral("0")},
          QStringList{QStringLiteral("--font-size"), QStringLiteral("9.5")},
          QStringList{QStringLiteral("--font"), QStringLiteral(" ")},
          QStringList{QStringLiteral("--font-size")}}) {
        SCOPED_TRACE(bad.join(' ').toStdString());
        run = RunConverter(QStringList{picture} + bad);
        EXPECT_EQ(run.Status, 1);
        EXPECT_TRUE(run.Err.startsWith("tessaglyph-convert: --font")) << run.Err.data();
    }

    // 300 cells across at 512 points would be a bitmap of 245760 pixels across.
    const QString wide = WritePicture(QStringLiteral("wide.png"), Ramp(300, 300));
    run = RunConverter({wide, QStringLiteral("--font-size"), QStringLiteral("512"),
                        QStringLiteral("-o"), Path(QStringLiteral("huge.png"))});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Err.contains("the image would be 245760 x 245760 pixels")) << run.Err.data();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("huge.png"))));
    run = RunConverter({wide, QStringLiteral("--font-size"), QStringLiteral("512"),
                        QStringLiteral("-f"), QStringLiteral("html")});
    EXPECT_EQ(run.Status, 0);
    EXPECT_TRUE(run.Out.contains("font-size:512pt"));
}

// The dialog on its own, opened as the user sees it.
TEST(FontDialogTest, EscapeInTheChooserClosesTheDialogAndKeepsTheChooser) {
    FontDialog dialog;
    dialog.SetFont(QFont(QStringLiteral("Courier New"), 8), Qt::black);
    dialog.show();
    QApplication::processEvents();
    QFont larger = dialog.CurrentFont();
    larger.setPointSize(14);
    dialog.SetCurrentFont(larger);
    QTest::keyClick(dialog.Chooser(), Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
    EXPECT_EQ(dialog.Font().pointSize(), 8);

    dialog.show();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.Chooser()->isVisible());
    EXPECT_EQ(dialog.CurrentFont().pointSize(), 8);
}

} // namespace
