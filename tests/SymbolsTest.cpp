// The symbol options and the background colour, driven through the window.
#include "convert/Symbols.h"
#include "app/ColorSwatch.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QStatusBar>

namespace {

// A row of pixels of the given grays, one pixel each.
QImage GrayRow(const std::vector<int>& grays) {
    QImage image(int(grays.size()), 1, QImage::Format_RGB888);
    for (int x = 0; x < int(grays.size()); ++x)
        image.setPixelColor(x, 0, QColor(grays[x], grays[x], grays[x]));
    return image;
}

// Types one character into a widget as the keyboard would.
void Type(QWidget* widget, QChar ch) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(widget, &release);
}

void Backspace(QWidget* widget) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

// Gives the widget the keyboard focus in the active window.
void Focus(QWidget* widget) {
    widget->window()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

const QStringList Sentinel = {QStringLiteral("not rendered")};

class SymbolsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Ten pixels wide: the working image is the picture itself. The grays
        // lie on the edges of the preset bands.
        Open(WritePicture(QStringLiteral("images/row.png"),
                          GrayRow({0, 125, 126, 188, 189, 253, 254, 255, 36, 170})));
        ASSERT_EQ(Form->WorkView.size(), QSize(10, 1));
    }
    // Marks the result so that the next render shows.
    void Mark() { Form->ArtLines = Sentinel; }
    QString Line() const { return Form->ArtLines.value(0); }
};

} // namespace

TEST_F(SymbolsTest, EveryEditKeepsToTheCodePage) {
    // What the user types is text of the code page before any handler sees
    // it: a character that the code page cannot hold becomes '?'.
    const auto check = [](QLineEdit* edit) {
        ASSERT_NE(edit, nullptr);
        SCOPED_TRACE(edit->objectName().toStdString());
        ASSERT_TRUE(edit->isEnabled());
        for (const QChar ch : {QChar(0x0416), QChar(0x20AC), QChar('a')}) {
            edit->clear();
            Type(edit, ch);
            EXPECT_EQ(edit->text(), ch == QChar(0x0416) ? QStringLiteral("?") : QString(ch));
        }
    };
    for (QLineEdit* edit :
         {Form->ComboBoxSet->lineEdit(), Form->EditText, Form->EditChar, Form->EditCharBG})
        check(edit);
    Form->CheckBoxRandom->click();
    check(Form->EditSymbol);
    Form->CheckBoxCustom->click();
    check(Form->EditSymbols);
    // And so is what the picture is drawn with.
    Focus(Form->EditSymbols);
    Form->EditSymbols->clear();
    Type(Form->EditSymbols, QChar(0x0416));
    Type(Form->EditSymbols, QChar('#'));
    EXPECT_EQ(Form->SymbolString, QStringLiteral("?#"));
}

TEST_F(SymbolsTest, PresetAndSingleSymbolModesRenderTheirBands) {
    // Cells of the grays 0, 125, 126, 188, 189, 253, 254, 255, 36, 170.
    EXPECT_EQ(Line(), QStringLiteral("##LLwwoooo      MMss"));
    Form->ComboBoxSet->setCurrentIndex(3); // "01  "
    EXPECT_EQ(Line(), QStringLiteral("00001111        0011"));
    Form->ComboBoxSet->setCurrentIndex(1); // "Xx+=-;,. "
    EXPECT_EQ(Line(), QStringLiteral("XX====;;;;      XX;;"));

    Form->CheckBoxRandom->setChecked(false);
    EXPECT_EQ(Line(), QStringLiteral("@@@@@@@@@@@@    @@@@"));
    EXPECT_FALSE(Form->ComboBoxSet->isEnabled());
    EXPECT_TRUE(Form->EditSymbol->isEnabled());
    Form->EditSymbol->setText(QStringLiteral("x"));
    EXPECT_EQ(Line(), QStringLiteral("xxxxxxxxxxxx    xxxx"));
    // An empty symbol leaves only the blank: every cell is blank.
    Form->EditSymbol->clear();
    EXPECT_EQ(Line(), QString(20, QLatin1Char(' ')));

    Form->CheckBoxRandom->setChecked(true);
    EXPECT_TRUE(Form->ComboBoxSet->isEnabled());
    EXPECT_FALSE(Form->EditSymbol->isEnabled());
    EXPECT_EQ(Line(), QStringLiteral("XX====;;;;      XX;;"));
}

TEST_F(SymbolsTest, EveryKeystrokeInThePresetFieldRenders) {
    QLineEdit* edit = Form->ComboBoxSet->lineEdit();
    edit->clear();
    // The emptied text renders too: with no symbols every cell is empty.
    EXPECT_EQ(Form->ArtLines, QStringList{QString()});
    // Each prefix is the symbol string of its own render: "a" has one band,
    // "ab" splits at 127, "abc" at 85 and 170.
    const QStringList expected = {QStringLiteral("aaaaaaaaaaaaaaaaaaaa"),
                                  QStringLiteral("aaaaaaaaaaaabbbbaaaa"),
                                  QStringLiteral("aaaaaabbbbbbbbccaabb")};
    const QString typed = QStringLiteral("abc");
    for (int i = 0; i < typed.size(); ++i) {
        Mark();
        Type(edit, typed[i]);
        EXPECT_EQ(Form->ComboBoxSet->currentText(), typed.left(i + 1));
        EXPECT_EQ(Line(), expected[i]) << "after " << i + 1 << " keystrokes";
    }
}

TEST_F(SymbolsTest, TypedTextIsNeverCompletedFromThePresets) {
    // Each typed text is a prefix of a preset ("01  ", "Xx+=-;,. ").
    for (const QString& typed : {QStringLiteral("0"), QStringLiteral("Xx+")}) {
        SCOPED_TRACE(typed.toStdString());
        QLineEdit* edit = Form->ComboBoxSet->lineEdit();
        Focus(edit);
        edit->clear();
        for (QChar ch : typed)
            Type(edit, ch);
        EXPECT_EQ(Form->ComboBoxSet->currentText(), typed);
        EXPECT_EQ(edit->text(), typed);
        EXPECT_EQ(Form->SymbolString, typed);
    }
}

TEST_F(SymbolsTest, ACharacterOutsideTheCodePageIsReportedOnce) {
    Form->CheckBoxCustom->setChecked(true);
    Focus(Form->EditSymbols);
    Form->EditSymbols->clear();
    Type(Form->EditSymbols, QChar(0x0416)); // Cyrillic capital Zhe
    EXPECT_EQ(Form->EditSymbols->text(), QStringLiteral("?"));
    EXPECT_EQ(Form->StatusBar1->currentMessage(),
              QString(QChar(0x0416)) + QStringLiteral(" is not in the Windows-1252 code page"));
    // Characters the code page holds say nothing.
    Form->StatusBar1->clearMessage();
    Type(Form->EditSymbols, QChar(0x00E9));
    EXPECT_EQ(Form->EditSymbols->text(), QString(QStringLiteral("?")) + QChar(0x00E9));
    EXPECT_TRUE(Form->StatusBar1->currentMessage().isEmpty());
}

TEST_F(SymbolsTest, CustomModesAndTheirFixedTexts) {
    EXPECT_FALSE(Form->RadioGroupCustom->isEnabled());
    EXPECT_FALSE(Form->EditSymbols->isEnabled());
    // Checking the box renders with the default symbols at once; their band
    // is four gray levels wide.
    Form->CheckBoxCustom->setChecked(true);
    EXPECT_TRUE(Form->RadioGroupCustom->isEnabled());
    EXPECT_TRUE(Form->EditSymbols->isEnabled());
    EXPECT_EQ(Form->EditSymbols->text(), tg::DefaultCustomSymbols());
    EXPECT_EQ(Line(), QStringLiteral("00UUUUkkkk      88ff"));

    // The sentence is spelled out in every pixel but pure white.
    Form->RadioGroupCustomItems->button(1)->click();
    EXPECT_EQ(Form->EditSymbols->text(), QStringLiteral("ASCII "));
    EXPECT_EQ(Line(), QStringLiteral("A S C I I   A   S C "));
    Form->RadioGroupCustomItems->button(0)->click();
    EXPECT_EQ(Form->EditSymbols->text(), tg::DefaultCustomSymbols());
    EXPECT_EQ(Line(), QStringLiteral("00UUUUkkkk      88ff"));

    // Unchecking returns to the preset; the custom controls are disabled.
    Form->CheckBoxCustom->setChecked(false);
    EXPECT_FALSE(Form->RadioGroupCustom->isEnabled());
    EXPECT_FALSE(Form->EditSymbols->isEnabled());
    EXPECT_EQ(Line(), QStringLiteral("##LLwwoooo      MMss"));
}

TEST_F(SymbolsTest, CustomTextRendersOnlyWhenTypedAndNotEmpty) {
    Form->CheckBoxCustom->setChecked(true);
    Focus(Form->EditSymbols);
    ASSERT_TRUE(Form->EditSymbols->hasFocus());

    // A switch of the radio group sets the text by code and renders with it.
    Mark();
    Form->RadioGroupCustomItems->button(1)->click();
    EXPECT_EQ(Line(), QStringLiteral("A S C I I   A   S C "));

    Form->EditSymbols->selectAll();
    Type(Form->EditSymbols, QLatin1Char('x'));
    EXPECT_EQ(Line(), QStringLiteral("x x x x x x x   x x "));
    Type(Form->EditSymbols, QLatin1Char('y'));
    EXPECT_EQ(Line(), QStringLiteral("x y x y x y x   y x "));

    // Clicking the item already selected changes nothing.
    Mark();
    Form->RadioGroupCustomItems->button(1)->click();
    EXPECT_EQ(Form->EditSymbols->text(), QStringLiteral("xy"));
    EXPECT_EQ(Form->ArtLines, Sentinel);
    Form->RadioGroupCustomItems->button(0)->click();
    EXPECT_EQ(Form->EditSymbols->text(), tg::DefaultCustomSymbols());
    Form->RadioGroupCustomItems->button(1)->click();
    Form->EditSymbols->selectAll();
    Type(Form->EditSymbols, QLatin1Char('x'));
    Type(Form->EditSymbols, QLatin1Char('y'));

    // Emptying the box keeps the last result.
    Backspace(Form->EditSymbols);
    Backspace(Form->EditSymbols);
    EXPECT_TRUE(Form->EditSymbols->text().isEmpty());
    EXPECT_EQ(Line(), QStringLiteral("x x x x x x x   x x "));

    // Without the focus a change of the text does not render.
    Form->TrackBarSize->setFocus();
    Mark();
    Form->EditSymbols->setText(QStringLiteral("q"));
    EXPECT_EQ(Form->ArtLines, Sentinel);
    Form->EditSymbols->clear();
    // A later render takes the empty text: a blank for each pixel but white,
    // two for white.
    Form->TrackBarSize->setValue(11);
    Form->TrackBarSize->setValue(10);
    EXPECT_EQ(Line(), QString(11, QLatin1Char(' ')));
}

TEST_F(SymbolsTest, BackgroundColourComesFromTheDialogsOwnLastResult) {
    const QColor blue(0, 0, 255), red(255, 0, 0), green(0, 128, 0);
    QColor offered;
    const auto choose = [&offered](QColor colour) {
        return [&offered, colour](QDialog& dialog) {
            auto& colours = dynamic_cast<QColorDialog&>(dialog);
            offered = colours.currentColor();
            colours.setCurrentColor(colour);
            colours.accept();
            return colours.result();
        };
    };
    const auto browseAndCancel = [&offered](QColor colour) {
        return [&offered, colour](QDialog& dialog) {
            auto& colours = dynamic_cast<QColorDialog&>(dialog);
            offered = colours.currentColor();
            colours.setCurrentColor(colour);
            colours.reject();
            return colours.result();
        };
    };

    // Cancelling changes nothing and renders nothing.
    Mark();
    Dialogs->Then(browseAndCancel(red));
    Form->ImageColorBG->Clicked();
    EXPECT_EQ(offered, QColor(Qt::black));
    EXPECT_EQ(Form->BackColor, QColor(Qt::white));
    EXPECT_EQ(Form->ImageColorBG->Picture().pixelColor(16, 10), QColor(Qt::white));
    EXPECT_EQ(Form->ArtLines, Sentinel);

    Dialogs->Then(choose(blue));
    Form->ImageColorBG->Clicked();
    EXPECT_EQ(offered, QColor(Qt::black)) << "a cancelled choice is not a result";
    EXPECT_EQ(Form->BackColor, blue);
    EXPECT_EQ(Form->ImageColorBG->Picture().pixelColor(0, 0), blue);
    EXPECT_EQ(Form->ImageColorBG->Picture().pixelColor(32, 19), blue);
    EXPECT_EQ(Form->ImageASCII->Background(), blue);
    EXPECT_EQ(Form->ImageOrg->Background(), blue);
    EXPECT_EQ(Form->ImageASCII->Bitmap().pixelColor(Form->ImageASCII->Bitmap().width() - 1,
                                                    Form->ImageASCII->Bitmap().height() - 1),
              blue);
    EXPECT_NE(Form->ArtLines, Sentinel);

    // The dialog offers its own last result, not the current background.
    Form->BackColor = green;
    Dialogs->Then(browseAndCancel(red));
    Form->ImageColorBG->Clicked();
    EXPECT_EQ(offered, blue);
    Dialogs->Then(browseAndCancel(red));
    Form->ImageColorBG->Clicked();
    EXPECT_EQ(offered, blue);
    EXPECT_TRUE(Dialogs->Errors.isEmpty());
    EXPECT_EQ(Dialogs->Unexpected, 0);
}

TEST_F(SymbolsTest, SwatchShowsAHandOverIt) {
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Form->ImageColorBG, &move);
    EXPECT_EQ(Form->ImageColorBG->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(SymbolsTest, TheSwatchHasAFrameAroundItsColour) {
    const QImage shown = Form->ImageColorBG->grab().toImage();
    const QColor frame = Form->ImageColorBG->palette().color(QPalette::Dark);
    ASSERT_NE(frame, QColor(Qt::white));
    for (const QPoint corner : {QPoint(0, 0), QPoint(shown.width() - 1, shown.height() - 1)})
        EXPECT_EQ(shown.pixel(corner), frame.rgb());
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 255, 255));
}
