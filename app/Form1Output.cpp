// Saving, printing, the wallpaper and the rendering font of the main window.
#include "app/TForm1.h"

#include "app/DialogSeam.h"
#include "app/FormAbout.h"
#include "common/Codepage.h"
#include "common/SafeFile.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"
#include "output/PrintPage.h"
#include "output/RtfWriter.h"
#include "output/SaveFormats.h"
#include "output/TextWriter.h"
#include "output/Wallpaper.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcessEnvironment>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

void TForm1::ButtonSaveClick() {
    OutputLines.clear();
    SaveDialog1->setDirectory(BaseFolder + QStringLiteral("saves"));
    const int proposedType = SelectedFilterIndex(*SaveDialog1) + 1;
    SaveDialog1->selectFile(
        tg::ReplaceExtension(ImageFileName, tg::SaveTypeExtension(proposedType)));
    if (ExecModal(*SaveDialog1) != QDialog::Accepted)
        return;
    const QString path = SaveDialog1->selectedFiles().value(0);
    if (path.isEmpty())
        return;
    const int type = SelectedFilterIndex(*SaveDialog1) + 1;
    ArtTitle = tg::TitleOf(path);
    switch (tg::SaveType(type)) {
    case tg::SaveType::Html:
        SaveAsHtml(path);
        break;
    case tg::SaveType::Text:
        SaveAsText(path);
        break;
    case tg::SaveType::RichText: {
        // The blocks' own text: the plain text view would turn no-break
        // spaces into blanks.
        QStringList rows;
        const QTextDocument* document = RichEdit1->document();
        if (!document->isEmpty())
            for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
                rows.append(block.text());
        tg::WriteFileAtomic(path, tg::BuildRtf(rows, RichEdit1->font(),
                                               RichEdit1->palette().color(QPalette::Text)));
        break;
    }
    default:
        // The type only decides that an image is written; the extension
        // decides its encoding.
        tg::SaveImage(ImageASCII->Bitmap(), path);
        break;
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

void TForm1::SaveAsHtml(const QString& fileName) {
    tg::HtmlPage page;
    page.Work = WorkView;
    page.Lines = ArtLines;
    page.Back = BackColor;
    page.FontSize = FontSize;
    page.Title = ArtTitle;
    page.Caption = windowTitle();
    page.Site = FormAbout->LabelSite->text();
    ColorToHtml(BackColor);
    OutputLines = tg::BuildHtml(page);
    tg::WriteFileAtomic(fileName, tg::LinesToBytes(OutputLines));
}

void TForm1::SaveAsText(const QString& fileName) {
    OutLine.clear();
    OutputLines = tg::BuildText(ArtLines, windowTitle(), FormAbout->LabelSite->text());
    tg::WriteFileAtomic(fileName, tg::LinesToBytes(OutputLines));
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
    const QString path = QFileInfo(BaseFolder + QStringLiteral("wallpaper.bmp")).absoluteFilePath();
    tg::SaveImage(ImageASCII->Bitmap(), path);
    tg::SetDesktopWallpaper(path, tg::DetectDesktop(QProcessEnvironment::systemEnvironment()));
}

void TForm1::MSetFontClick() {}
