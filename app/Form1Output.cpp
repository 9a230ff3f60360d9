// Saving, printing, the wallpaper and the rendering font of the main window.
#include "app/TForm1.h"

#include "app/CharGrid.h"
#include "app/DialogSeam.h"
#include "app/FontDialog.h"
#include "app/FormAbout.h"
#include "common/AppError.h"
#include "common/AppFolders.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"
#include "output/OutputTypes.h"
#include "output/PrintPage.h"
#include "output/RtfWriter.h"
#include "output/Wallpaper.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcessEnvironment>
#include <QTextEdit>

void TForm1::ButtonSaveClick() {
    OutputLines.clear();
    SaveDialog1->setDirectory(BaseFolder + QStringLiteral("saves"));
    const int proposedType = SelectedFilterIndex(*SaveDialog1) + 1;
    // Without a picture name a bare extension would name a hidden file.
    const QString proposedName = ImageFileName.isEmpty() ? QStringLiteral("ascii") : ImageFileName;
    SaveDialog1->selectFile(
        tg::ReplaceExtension(proposedName, tg::SaveTypeExtension(proposedType)));
    if (ExecModal(*SaveDialog1) != QDialog::Accepted) {
        // The dialog keeps the type last confirmed, not one chosen and cancelled.
        SaveDialog1->selectNameFilter(SaveDialog1->nameFilters().value(proposedType - 1));
        return;
    }
    const QString path = SaveDialog1->selectedFiles().value(0);
    if (path.isEmpty())
        return;
    const tg::OutputType* type = tg::OutputTypeOfSave(SelectedFilterIndex(*SaveDialog1) + 1);
    if (type == nullptr)
        return;
    ArtTitle = tg::TitleOf(path);
    if (QLatin1String(type->Name) == QLatin1String("html")) {
        SaveAsHtml(path);
    } else if (QLatin1String(type->Name) == QLatin1String("txt")) {
        SaveAsText(path);
    } else {
        tg::ArtDocument document = SaveDocument();
        if (type->Image) {
            // The type only decides that an image is written; the extension
            // decides its encoding.
            document.Encoder = tg::ImageFormatFor(path);
            if (document.Encoder.isEmpty())
                throw tg::AppError(QStringLiteral("Cannot save image: unknown file type"));
        }
        tg::WriteFileAtomic(path, tg::BuildOutput(*type, document).Bytes);
    }
}

void TForm1::SaveDialog1TypeChange() {
    auto* nameBox = SaveDialog1->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString name = nameBox != nullptr
                             ? nameBox->text()
                             : QFileInfo(SaveDialog1->selectedFiles().value(0)).fileName();
    const QString renamed =
        tg::ReplaceExtension(name, tg::SaveTypeExtension(SelectedFilterIndex(*SaveDialog1) + 1));
    if (nameBox != nullptr)
        nameBox->setText(renamed);
    else
        SaveDialog1->selectFile(renamed);
}

tg::ArtDocument TForm1::SaveDocument() {
    tg::ArtDocument document;
    document.Work = WorkView;
    document.Lines = ArtLines;
    document.Back = BackColor;
    document.Font = RenderingFont();
    document.Title = ArtTitle;
    document.Caption = windowTitle();
    document.Site = FormAbout->LabelSite->text();
    document.RichRows = tg::DocumentRows(*RichEdit1->document());
    // One paragraph per row: a single empty row leaves the box looking empty.
    if (document.RichRows.isEmpty() && !ArtLines.isEmpty())
        document.RichRows = QStringList{QString()};
    document.RichFont = RichEdit1->font();
    document.RichColor = RichEdit1->palette().color(QPalette::Text);
    // The picture as the result view shows it.
    document.Bitmap = ImageASCII->Bitmap();
    return document;
}

void TForm1::SaveAsHtml(const QString& fileName) {
    ColorToHtml(BackColor);
    tg::OutputDocument html =
        tg::BuildOutput(*tg::OutputTypeNamed(QStringLiteral("html")), SaveDocument());
    OutputLines = std::move(html.Lines);
    tg::WriteFileAtomic(fileName, html.Bytes);
}

void TForm1::SaveAsText(const QString& fileName) {
    tg::OutputDocument text =
        tg::BuildOutput(*tg::OutputTypeNamed(QStringLiteral("txt")), SaveDocument());
    OutputLines = std::move(text.Lines);
    tg::WriteFileAtomic(fileName, text.Bytes);
}

QString TForm1::ColorToHtml(QColor color) {
    HtmlColor = tg::ColorToHtml(color);
    return HtmlColor;
}

void TForm1::MPrintClick() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Print Images"));
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Images"));
    const QImage picture = ImageASCII->Bitmap();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&picture](QPrinter* target) {
        QPainter painter(target);
        tg::PaintPicturePage(painter, QRect(0, 0, target->width(), target->height()), picture);
    });
    ExecModal(dialog);
}

void TForm1::MWallpaperClick() {
    const QString path = QFileInfo(tg::WritablePlace(BaseFolder, QStringLiteral("wallpaper.bmp")))
                             .absoluteFilePath();
    tg::SaveImage(ImageASCII->Bitmap(), path);
    tg::SetDesktopWallpaper(path, tg::DetectDesktop(QProcessEnvironment::systemEnvironment()));
}

QFont TForm1::RenderingFont() const {
    return FontDialog1->Font();
}

QColor TForm1::RenderingColor() const {
    return FontDialog1->Color();
}

// Settings, "Set Font": the dialog offers the rendering font; the choice goes
// to every holder, and the keyboard, the picture and the banner are drawn
// again, also when nothing changed. Cancel changes nothing.
void TForm1::MSetFontClick() {
    if (ExecModal(*FontDialog1) != QDialog::Accepted)
        return;
    const QFont font = RenderingFont();
    const QColor color = RenderingColor();
    // The picture's cells carry their pixels' colours and the banner draws
    // in black: the colour goes to the grid, the keys and RichEdit1 only.
    ArtFont = font;
    Banner.Font = font;
    StringGrid1->SetCellFont(tg::RenderingPixelFont(font));
    SetTextColor(*StringGrid1, QPalette::Text, color);
    RichEdit1->setFont(font);
    SetTextColor(*RichEdit1, QPalette::Text, color);
    FontSize = tg::FontPoints(font);
    LayoutKeyboard();
    RenderArt();
    RenderBanner();
}
