#pragma once
// The font dialog of the application: Qt's font chooser (face, style, size,
// strike-out and underline) with a colour, which Qt's own dialog lacks. The
// colour button opens ColorDialog, which runs through the dialog seam like
// every other dialog.
//
// The dialog holds a font and a colour (Font, Color). Opened, it offers them;
// accepted, it holds what the user chose; rejected, it keeps what it held and
// offers that again the next time.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QPalette>

class QColorDialog;
class QFontDialog;
class QPushButton;

class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget* parent = nullptr);

    // The font and colour the dialog holds.
    QFont Font() const { return HeldFont; }
    QColor Color() const { return HeldColor; }
    // Holds the font and colour and offers them in the chooser.
    void SetFont(const QFont& font, QColor color);

    // The choice on screen, before it is accepted.
    QFont CurrentFont() const;
    void SetCurrentFont(const QFont& font);
    QColor CurrentColor() const { return ShownColor; }
    void SetCurrentColor(QColor color);

    // The embedded chooser and the colour button, for tests and layout.
    QFontDialog* Chooser() const { return ChooserWidget; }
    QPushButton* ColorButton() const { return ColorButtonWidget; }
    QColorDialog* ColorDialog() const { return ColorDialogWidget; }

    void done(int result) override;

private:
    void ColorButtonClick();
    void ShowColor();

    QFontDialog* ChooserWidget = nullptr;
    QPushButton* ColorButtonWidget = nullptr;
    QColorDialog* ColorDialogWidget = nullptr;
    QFont HeldFont;
    // The chooser's font when it was last given the held font: a choice equal
    // to it is no change, and the held font (whose family may be a name the
    // system resolves to another) stays as it is.
    QFont OfferedFont;
    QColor HeldColor = Qt::black;
    QColor ShownColor = Qt::black;
};

// Gives a widget's text the colour of the rendering font: the palette role
// its text is drawn in (Text for text boxes and the grid, ButtonText for
// buttons), in every state.
void SetTextColor(QWidget& widget, QPalette::ColorRole role, QColor color);
