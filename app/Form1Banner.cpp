// The Text page: the banner, its handlers and its saving.
#include "app/TForm1.h"

#include "app/DialogSeam.h"
#include "common/SafeFile.h"
#include "output/RtfWriter.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTextEdit>

// Rebuilds RichEditText from the text, the two characters, the selected mode
// and the banner's copy of the rendering font (given at start-up and by
// MSetFontClick); whatever was typed into the box is discarded.
void TForm1::RenderBanner() {
    RichEditText->clear();
    if (TextCharBG.isEmpty())
        TextCharBG = QStringLiteral(" ");
    Banner.Text = EditText->text();
    Banner.Mode = tg::BannerModeAt(cmbTextType->currentIndex());
    Banner.Letter = TextChar;
    Banner.Background = TextCharBG;
    Banner.Render();
    BannerBitmap = Banner.Bitmap;
    RichEditText->setPlainText(Banner.Rows.join(QLatin1Char('\n')));
}

// Typing renders; a change made while the edit has no focus does not.
void TForm1::EditTextChange() {
    if (EditText->hasFocus())
        RenderBanner();
}

void TForm1::EditCharChange() {
    TextChar = EditChar->text();
    RenderBanner();
}

void TForm1::EditCharBGChange() {
    TextCharBG = EditCharBG->text();
    RenderBanner();
}

// The user picked a mode.
void TForm1::cmbTextTypeChange() {
    TextType = cmbTextType->currentIndex();
    RenderBanner();
}

// The mode list shows the mode the banner is drawn in: TextType, or "one
// char" for a stored value outside the list. No handler runs.
void TForm1::SelectTextType() {
    const QSignalBlocker blocker(cmbTextType);
    cmbTextType->setCurrentIndex(TextType >= 0 && TextType < cmbTextType->count() ? TextType : 0);
}

// Saves the box's whole content (typed edits included) as rich text in the
// box's font, one paragraph a line, whatever the name's extension.
void TForm1::ButtonSaveTextClick() {
    SaveDialog3->setDirectory(BaseFolder + QStringLiteral("saves"));
    SaveDialog3->selectFile(SaveDialog3FileName.isEmpty() ? QStringLiteral("ascii.rtf")
                                                          : SaveDialog3FileName);
    if (ExecModal(*SaveDialog3) != QDialog::Accepted)
        return;
    const QString path = SaveDialog3->selectedFiles().value(0);
    if (path.isEmpty())
        return;
    SaveDialog3FileName = path;
    tg::WriteFileAtomic(path, tg::RichTextRows(*RichEditText->document(), RichEditText->font(),
                                               RichEditText->palette().color(QPalette::Text)));
}
