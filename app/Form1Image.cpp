// Picture intake and rendering of the main window.
#include "app/TForm1.h"

#include "app/ArtScrollView.h"
#include "app/DialogSeam.h"
#include "app/FileDropTarget.h"
#include "common/AppFolders.h"
#include "convert/Picture.h"

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
    OpenImageEnDialog1->setDirectory(tg::DataFolder(BaseFolder) + QStringLiteral("images"));
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
    // A picture whose working image would be too large is refused before it
    // is decoded.
    tg::PictureRequest request;
    request.Refusal = [](QSize picture) { return tg::ArtSession::TakeRefusal(picture); };
    tg::PictureLoad load = tg::LoadPicture(path, request);
    if (!load.Ok()) {
        // Everything stays as it was; the status bar says why.
        StatusBar1->showMessage(load.Error);
        return false;
    }
    StatusBar1->clearMessage();
    Session.TakePicture(std::move(load.Image));
    {
        // The size is applied below whether or not the slider moves.
        const QSignalBlocker blocker(TrackBarSize);
        TrackBarSize->setValue(Session.ArtWidth());
    }
    CopyPicture();
    ApplySize();
    return true;
}

bool TForm1::AcceptWorkSize(const std::function<void()>& change) {
    try {
        change();
    } catch (const tg::WorkSizeRefused& refusal) {
        StatusBar1->showMessage(refusal.Message());
        return false;
    }
    StatusBar1->clearMessage();
    return true;
}

bool TForm1::ApplySize() {
    if (!AcceptWorkSize([this] { Session.SetWidth(TrackBarSize->value()); })) {
        // The slider goes back to the width in use; nothing else changes.
        const QSignalBlocker blocker(TrackBarSize);
        TrackBarSize->setValue(ArtWidth);
        return false;
    }
    ArtWidth = Session.ArtWidth();
    EditImageSize->setText(QString::number(ArtWidth));
    CopyWorkImage();
    return true;
}

void TForm1::CopyPicture() {
    Picture = Session.Picture();
    if (!Picture.IsEmpty())
        ImageOrg->SetBitmap(Picture.Picture());
    ShowPreview();
    CopyWorkImage();
}

void TForm1::ShowPreview() {
    // The view shows a stored level close to its own size, adjusted; the
    // full picture is never adjusted as a whole.
    if (Session.HasPicture())
        ImageOrg->SetDisplay(Session.Preview(ImageOrg->size()));
}

void TForm1::CopyWorkImage() {
    WorkSize = Session.WorkSize();
    if (Session.HasPicture())
        WorkView = Session.WorkImage();
}

void TForm1::TrackBarSizeChange() {
    if (ApplySize())
        RenderArt();
}

tg::SymbolChoice TForm1::SymbolControls() const {
    tg::SymbolChoice choice;
    choice.Custom = CheckBoxCustom->isChecked();
    choice.Random = CheckBoxRandom->isChecked();
    choice.Sentence = RadioGroupCustomItems->checkedId() == 1;
    choice.CustomText = EditSymbols->text();
    choice.PresetText = ComboBoxSet->currentText();
    choice.SingleSymbol = EditSymbol->text();
    return choice;
}

void TForm1::RenderArt() {
    ArtLines.clear();
    ImageOrg->SetBackground(BackColor);
    ImageASCII->SetBackground(BackColor);

    Session.SetSymbols(SymbolControls());
    SymbolString = Session.Symbols().SymbolString();
    const tg::ArtText art = Session.Render();
    // Without pixels no symbol was chosen and the last one stays.
    StorePickState(art.Last, !art.Cells.empty());
    ArtLines = art.Lines;
    RichEdit1->setPlainText(ArtLines.join(QLatin1Char('\n')));

    if (Glyphs == nullptr || Glyphs->Font() != tg::RenderingPixelFont(ArtFont))
        Glyphs = std::make_unique<tg::GlyphCache>(ArtFont);
    // The bitmap is as large as the visible view and shows the cells from the
    // scrolled position on; at position 0 these are the cells from the first.
    const double pitch = tg::CellPitch(FontSize);
    ScrollBoxASCII->SetContentSize(tg::ArtExtent(art.Width, art.Height, pitch, *Glyphs));
    QImage bitmap(std::max(1, ImageASCII->width()), std::max(1, ImageASCII->height()),
                  QImage::Format_RGB32);
    tg::DrawArt(bitmap, WorkView, art, *Glyphs, pitch, BackColor, ScrollBoxASCII->Origin());
    ImageASCII->SetBitmap(std::move(bitmap));
    ImageASCII->repaint();
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
