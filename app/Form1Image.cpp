// Picture intake and rendering of the main window.
#include "app/TForm1.h"

#include "app/DialogSeam.h"
#include "app/FileDropTarget.h"
#include "convert/Adjust.h"
#include "convert/Picture.h"
#include "convert/Symbols.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTextEdit>

void TForm1::ButtonOpenImageClick() {
    OpenImage();
}

void TForm1::OpenImage() {
    OpenImageEnDialog1->setDirectory(BaseFolder + QStringLiteral("images"));
    if (ExecModal(*OpenImageEnDialog1) != QDialog::Accepted)
        return;
    const QStringList chosen = OpenImageEnDialog1->selectedFiles();
    if (chosen.isEmpty() || !TakePicture(chosen.first()))
        return;
    ImageFileName = QFileInfo(chosen.first()).fileName();
    PanelSize->setText(QStringLiteral("%1x%2").arg(Picture.Width()).arg(Picture.Height()));
    RenderArt();
}

void TForm1::StDropFiles1DropFiles(QPoint) {
    const QStringList& files = StDropFiles1->Files();
    if (!files.isEmpty() && TakePicture(files.first()))
        RenderArt();
}

bool TForm1::TakePicture(const QString& path) {
    tg::PictureLoad load = tg::LoadPicture(path);
    if (!load.Ok()) {
        // Everything stays as it was; the status bar says why.
        StatusBar1->showMessage(load.Error);
        return false;
    }
    StatusBar1->clearMessage();
    Picture = tg::ImagePyramid(std::move(load.Image));
    ShowPreview(true);
    {
        // The size is applied below whether or not the slider moves.
        const QSignalBlocker blocker(TrackBarSize);
        TrackBarSize->setValue(Picture.Width());
    }
    ApplySize();
    return true;
}

void TForm1::ApplySize() {
    ArtWidth = TrackBarSize->value();
    EditImageSize->setText(QString::number(ArtWidth));
    WorkSize = QSize(ArtWidth, tg::WorkHeight(ArtWidth, Picture.Width(), Picture.Height()));
    MakeWorkImage();
}

void TForm1::ShowPreview(bool pictureChanged) {
    if (Picture.IsEmpty())
        return;
    if (pictureChanged)
        ImageOrg->SetBitmap(Picture.Picture());
    // The view shows a stored level close to its own size, adjusted; the
    // full picture is never adjusted as a whole.
    ImageOrg->SetDisplay(
        tg::Adjusted(Picture.LevelAtLeast(ImageOrg->size()), {Brightness, Contrast, Saturation}));
}

void TForm1::MakeWorkImage() {
    if (Picture.IsEmpty())
        return;
    WorkView = tg::Adjusted(Picture.Resample(WorkSize.width(), WorkSize.height()),
                            {Brightness, Contrast, Saturation});
}

void TForm1::TrackBarSizeChange() {
    ApplySize();
    RenderArt();
}

void TForm1::RenderArt() {
    ArtLines.clear();
    ImageOrg->SetBackground(BackColor);
    QImage bitmap(std::max(1, ImageASCII->width()), std::max(1, ImageASCII->height()),
                  QImage::Format_RGB32);
    ImageASCII->SetBackground(BackColor);

    SymbolString =
        tg::FormSymbolString(CheckBoxCustom->isChecked(), CheckBoxRandom->isChecked(),
                             EditSymbols->text(), ComboBoxSet->currentText(), EditSymbol->text());
    const bool sentence = CheckBoxCustom->isChecked() && RadioGroupCustomItems->checkedId() == 1;
    const tg::ArtText art = tg::RenderArtText(WorkView, SymbolString, sentence);
    // Without pixels no symbol was chosen and the last one stays.
    StorePickState(art.Last, !art.Cells.empty());
    ArtLines = art.Lines;
    LineText.clear();
    RichEdit1->setPlainText(ArtLines.join(QLatin1Char('\n')));

    const QFont font = RenderingFont();
    if (Glyphs == nullptr || Glyphs->Font() != tg::RenderingPixelFont(font))
        Glyphs = std::make_unique<tg::GlyphCache>(font);
    tg::DrawArt(bitmap, WorkView, art, *Glyphs, tg::CellPitch(FontSize), BackColor);
    ImageASCII->SetBitmap(std::move(bitmap));
    ImageASCII->repaint();
}

void TForm1::PickSymbol() {
    tg::PickState state;
    state.SymbolString = SymbolString;
    state.SymbolCount = SymbolCount;
    state.PixelR = PixelR;
    state.PixelG = PixelG;
    state.PixelB = PixelB;
    tg::PickSymbol(state);
    StorePickState(state, true);
}

void TForm1::StorePickState(const tg::PickState& state, bool symbols) {
    SymbolCount = state.SymbolCount;
    SymbolIndex = state.SymbolIndex;
    LevelStep = state.LevelStep;
    PixelR = state.PixelR;
    PixelG = state.PixelG;
    PixelB = state.PixelB;
    PixelGray = state.PixelGray;
    if (symbols) {
        CurrentSymbol = state.CurrentSymbol;
        SecondSymbol = state.SecondSymbol;
    }
}
