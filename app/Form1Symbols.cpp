// Symbol options and the background colour of the main window.
#include "app/TForm1.h"

#include "app/ColorSwatch.h"
#include "app/DialogSeam.h"
#include "convert/Symbols.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

void TForm1::ComboBoxSetChange() {
    RenderArt();
}

void TForm1::EditSymbolChange() {
    RenderArt();
}

void TForm1::CheckBoxRandomClick() {
    RenderArt();
    const bool random = CheckBoxRandom->isChecked();
    ComboBoxSet->setEnabled(random);
    EditSymbol->setEnabled(!random);
}

void TForm1::CheckBoxCustomClick() {
    const bool custom = CheckBoxCustom->isChecked();
    RadioGroupCustom->setEnabled(custom);
    EditSymbols->setEnabled(custom);
    RenderArt();
}

void TForm1::RadioGroupCustomClick() {
    // Set by code, the text renders once below and not through its own
    // change handler.
    {
        const QSignalBlocker blocker(EditSymbols);
        EditSymbols->setText(RadioGroupCustomItems->checkedId() == 1 ? tg::DefaultSentence()
                                                                     : tg::DefaultCustomSymbols());
    }
    RenderArt();
}

void TForm1::EditSymbolsChange() {
    // Only what the user types renders, and emptying the box keeps the last
    // result on screen.
    if (EditSymbols->hasFocus() && !EditSymbols->text().isEmpty())
        RenderArt();
}

void TForm1::ImageColorBGClick() {
    // The dialog opens on its own last result, not on BackColor.
    ColorDialog1->setCurrentColor(ColorDialogResult);
    if (ExecModal(*ColorDialog1) != QDialog::Accepted)
        return;
    ColorDialogResult = ColorDialog1->selectedColor();
    BackColor = ColorDialogResult;
    ImageColorBG->Fill(BackColor);
    RenderArt();
}

void TForm1::ImageColorBGMouseMove() {
    ImageColorBG->setCursor(Qt::PointingHandCursor);
}
