#include "output/ArtDocument.h"

#include "common/AppError.h"
#include "common/Codepage.h"
#include "common/Product.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"
#include "output/RtfWriter.h"
#include "output/SaveFormats.h"
#include "output/TextWriter.h"

#include <cmath>

namespace tg {

const QStringList& ArtFormats() {
    static const QStringList formats{
        QStringLiteral("html"), QStringLiteral("txt"), QStringLiteral("rtf"), QStringLiteral("bmp"),
        QStringLiteral("jpg"),  QStringLiteral("gif"), QStringLiteral("png")};
    return formats;
}

QString ArtFormatForPath(const QString& path) {
    const QString stem = ReplaceExtension(path, QString());
    const QString extension = path.mid(stem.size()).toLower();
    if (extension == QLatin1String(".htm") || extension == QLatin1String(".html"))
        return QStringLiteral("html");
    if (extension == QLatin1String(".txt"))
        return QStringLiteral("txt");
    if (extension == QLatin1String(".rtf"))
        return QStringLiteral("rtf");
    const QByteArray encoder = ImageFormatFor(path);
    return encoder == "jpeg" ? QStringLiteral("jpg") : QString::fromLatin1(encoder);
}

QImage ArtBitmap(const ArtDocument& document) {
    const int fontSize = std::max(1, document.Font.pointSize());
    const double pitch = CellPitch(fontSize);
    const int width = std::max(1, int(std::ceil(pitch * document.Work.width())));
    const int height = std::max(1, int(std::ceil(pitch * document.Work.height())));
    QImage bitmap(width, height, QImage::Format_RGB32);
    GlyphCache glyphs(document.Font);
    DrawArt(bitmap, document.Work, *document.Art, glyphs, pitch, document.Back);
    return bitmap;
}

QByteArray BuildArtDocument(const QString& format, const ArtDocument& document) {
    const QStringList& lines = document.Art->Lines;
    if (format == QLatin1String("html")) {
        HtmlPage page;
        page.Work = document.Work;
        page.Lines = lines;
        page.Back = document.Back;
        page.FontSize = std::max(1, document.Font.pointSize());
        page.Title = document.Title;
        page.Caption = Product::Caption;
        page.Site = Product::Site;
        return LinesToBytes(BuildHtml(page));
    }
    if (format == QLatin1String("txt"))
        return LinesToBytes(BuildText(lines, Product::Caption, Product::Site));
    if (format == QLatin1String("rtf"))
        return BuildRtf(lines, document.Font, Qt::black);
    const QByteArray encoder =
        format == QLatin1String("jpg") ? QByteArray("jpeg") : format.toLatin1();
    if (ImageFormatFor(QStringLiteral("x.") + format).isEmpty())
        throw AppError(QStringLiteral("Cannot save image: unknown file type"));
    const QByteArray bytes = EncodeImage(ArtBitmap(document), encoder);
    if (bytes.isEmpty())
        throw AppError(QStringLiteral("Cannot save image: the %1 encoder failed").arg(format));
    return bytes;
}

} // namespace tg
