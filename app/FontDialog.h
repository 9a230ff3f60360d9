#pragma once
// The font dialog of the application: Qt's font chooser (face, style, size,
// strike-out and underline) with a colour, which Qt's own dialog lacks. The
// colour button opens ColorDialog, which runs through the dialog seam like
// every other dialog.

#include <QColor>
#include <QDialog>
#include <QFont>

class QColorDialog;
class QFontDialog;
class QPushButton;

class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget* parent = nullptr);

    QFont CurrentFont() const;
    void SetCurrentFont(const QFont& font);
    QColor CurrentColor() const { return Color; }
    void SetCurrentColor(QColor color);

    // The embedded chooser and the colour button, for tests and layout.
    QFontDialog* Chooser() const { return ChooserWidget; }
    QPushButton* ColorButton() const { return ColorButtonWidget; }
    QColorDialog* ColorDialog() const { return ColorDialogWidget; }

private:
    void ColorButtonClick();
    void ShowColor();

    QFontDialog* ChooserWidget = nullptr;
    QPushButton* ColorButtonWidget = nullptr;
    QColorDialog* ColorDialogWidget = nullptr;
    QColor Color = Qt::black;
};
