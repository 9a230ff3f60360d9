#include "output/OutputTypes.h"

#include "common/AppError.h"
#include "common/Codepage.h"
#include "output/AnsiWriter.h"
#include "output/HtmlWriter.h"
#include "output/ImageWriter.h"
#include "output/RtfWriter.h"
#include "output/TextWriter.h"

#include <algorithm>
#include <array>

namespace tg {

namespace {

OutputDocument Lines(QStringList lines) {
    OutputDocument out;
    out.Bytes = LinesToBytes(lines);
    out.Lines = std::move(lines);
    return out;
}

OutputDocument WriteHtml(const OutputType&, const ArtDocument& document) {
    HtmlPage page;
    page.Work = document.Work;
    page.Lines = document.Lines;
    page.Back = document.Back;
    page.FontSize = std::max(1, document.Font.pointSize());
    page.Title = document.Title;
    page.Caption = document.Caption;
    page.Site = document.Site;
    return Lines(BuildHtml(page));
}

OutputDocument WriteText(const OutputType&, const ArtDocument& document) {
    return Lines(BuildText(document.Lines, document.Caption, document.Site));
}

OutputDocument WriteRichText(const OutputType&, const ArtDocument& document) {
    return {{}, BuildRtf(document.RichRows, document.RichFont, document.RichColor)};
}

OutputDocument WriteImage(const OutputType& type, const ArtDocument& document) {
    const QByteArray encoder = !document.Encoder.isEmpty()
                                   ? document.Encoder
                                   : ImageFormatFor(QStringLiteral("x") + type.Extension());
    if (encoder.isEmpty())
        throw AppError(QStringLiteral("Cannot save image: unknown file type"));
    const QImage bitmap = document.Bitmap.isNull() ? ArtBitmap(document) : document.Bitmap;
    QByteArray bytes = EncodeImage(bitmap, encoder);
    if (bytes.isEmpty())
        throw AppError(QStringLiteral("Cannot save image: the %1 encoder failed")
                           .arg(QString::fromLatin1(encoder)));
    return {{}, std::move(bytes)};
}

OutputDocument WriteAnsi(const OutputType&, const ArtDocument& document) {
    if (document.Art == nullptr)
        return {};
    return {{},
            BuildAnsi(document.Work, *document.Art,
                      document.BackGiven ? std::optional<QColor>(document.Back) : std::nullopt)};
}

const std::array<OutputType, 8> Table{{
    {"html", "HTML Files (*.htm)", 1, ".htm;.html", false, WriteHtml},
    {"txt", "TXT Files (*.txt)", 2, ".txt", false, WriteText},
    {"rtf", "Rich Text (*.rtf)", 3, ".rtf", false, WriteRichText},
    {"bmp", "BMP Image (*.bmp)", 4, ".bmp", true, WriteImage},
    {"jpg", "JPG Image (*.jpg)", 5, ".jpg;.jpeg;.jpe;.jif", true, WriteImage},
    {"gif", "GIF Image (*.gif)", 6, ".gif", true, WriteImage},
    {"png", "PNG Image (*.png)", 7, ".png", true, WriteImage},
    {"ansi", nullptr, 0, "", false, WriteAnsi},
}};

// Index of the first character of the file name within a path.
qsizetype NameStart(const QString& path) {
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')),
                  path.lastIndexOf(QLatin1Char(':'))});
    return separator + 1;
}

} // namespace

QString OutputType::Extension() const {
    return QString::fromLatin1(Extensions).section(QLatin1Char(';'), 0, 0);
}

std::span<const OutputType> OutputTypes() {
    return Table;
}

const OutputType* OutputTypeNamed(const QString& name) {
    for (const OutputType& type : Table)
        if (name.compare(QLatin1String(type.Name), Qt::CaseInsensitive) == 0)
            return &type;
    return nullptr;
}

const OutputType* OutputTypeForPath(const QString& path) {
    const QString extension = path.mid(ReplaceExtension(path, QString()).size()).toLower();
    if (extension.isEmpty())
        return nullptr;
    for (const OutputType& type : Table)
        if (QString::fromLatin1(type.Extensions).split(QLatin1Char(';')).contains(extension))
            return &type;
    return nullptr;
}

const OutputType* OutputTypeOfSave(int saveType) {
    for (const OutputType& type : Table)
        if (type.SaveType != 0 && type.SaveType == saveType)
            return &type;
    return nullptr;
}

QString OutputTypeNames(const QString& separator) {
    QStringList names;
    for (const OutputType& type : Table)
        names << QString::fromLatin1(type.Name);
    return names.join(separator);
}

QString SaveFilter() {
    QStringList entries;
    for (const OutputType& type : Table)
        if (type.Filter != nullptr)
            entries << QString::fromLatin1(type.Filter) + QLatin1Char('|') + QLatin1Char('*') +
                           type.Extension();
    return entries.join(QLatin1Char('|'));
}

QString SaveTypeExtension(int type) {
    const OutputType* found = OutputTypeOfSave(type);
    return (found != nullptr ? *found : Table.front()).Extension();
}

OutputDocument BuildOutput(const OutputType& type, const ArtDocument& document) {
    return type.Write(type, document);
}

QString ReplaceExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= NameStart(name))
        return name.left(dot) + extension;
    return name + extension;
}

QString TitleOf(const QString& path) {
    const QString name = path.mid(NameStart(path));
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

} // namespace tg
