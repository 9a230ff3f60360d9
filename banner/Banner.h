#pragma once
// The text banner: a line of text drawn in a font, every pixel of the drawing
// turned into two characters, rows without ink left out. The window's Text
// page and tessaglyph-banner both render through BannerSession.

#include "convert/Render.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <array>

namespace tg {

// The fill modes, in the order of the Text page's mode list.
enum class BannerMode { OneChar = 0, RowStep = 1, ColStep = 2, Random = 3 };

// The mode at an index of the mode list; any index outside 0 to 3 (no
// selection, a stored value out of range) is OneChar.
BannerMode BannerModeAt(int index);

// The font the banner is shown and saved in (the start-up rendering font),
// laid out without shaping where the text needs none.
QFont BannerBoxFont();

// The 70 characters of the random mode, in their fixed order.
const std::array<QChar, 70>& RandomChars();

// The banner's own random generator: state := state * 22695477 + 1
// (mod 2^32); each value is bits 16 to 30 of the new state (0 to 32767).
class BannerRandom {
public:
    explicit BannerRandom(quint32 state = 1) : State(state) {}
    int Next() {
        State = State * 22695477u + 1u;
        return int((State >> 16) & 0x7FFFu);
    }
    quint32 State;
};

// The character of "row step" at pixel row y and of "col step" at pixel
// column x: the printable sequence from "=" and from "A" (see StepChar).
QChar RowStepChar(int y);
QChar ColStepChar(int x);
// The printable Windows-1252 character that lies steps places after code
// start in the printable sequence: the codes 0x21 to 0xFF without DEL, the
// five undefined codes, the no-break space and the soft hyphen, in code
// order, starting again at "!" after "ÿ". For a start that is printable and
// steps that stay within it, this is simply the code start + steps.
QChar StepChar(int start, int steps);

// The font as the banner draws it: its point size as pixels at 96 dpi, no
// antialiasing and full hinting, so the letters are the same on any screen.
QFont BannerPixelFont(const QFont& font);

// The extent of the text in the font as the banner draws it: the advance of
// the whole string and the font's height.
QSize BannerExtent(const QString& text, const QFont& font);

// The text drawn at the origin in black on white with antialiasing off, in
// a 24-bit image (Format_RGB888) exactly the size of the text's extent in
// the font (advance of the whole string, the font's height). An empty text
// gives an empty image. Every pixel is pure black or pure white.
QImage DrawBannerBitmap(const QString& text, const QFont& font);

// The rows of a drawn banner: a pixel whose gray value ((r + g + b) / 3) is
// 0 becomes the cell of the mode (the letter and a blank, the step
// character and a blank, or a random character and a blank), any other the
// background twice; an empty background is one blank. Rows without a
// letter pixel are left out. Random mode draws one value per letter pixel.
QStringList BannerRows(const QImage& bitmap, BannerMode mode, const QString& letter,
                       const QString& background, BannerRandom& random);

// One banner pipeline: set the inputs, Render, read Bitmap and Rows. The
// generator lives on from render to render; a new session starts it at 1 and
// draws one value, as the application does at start-up, so the first random
// banner is the same in every run.
class BannerSession {
public:
    BannerSession();

    QString Text;
    QFont Font = DefaultRenderingFont();
    BannerMode Mode = BannerMode::OneChar;
    QString Letter = QStringLiteral("@");
    QString Background = QStringLiteral(" ");

    // Rebuilds Bitmap and Rows from the inputs. Throws AppError when the
    // drawing is too large to hold.
    void Render();

    QImage Bitmap;
    QStringList Rows;
    BannerRandom Random;
};

} // namespace tg
