#include "output/AnsiWriter.h"

namespace tg {

namespace {

void AppendNumber(QByteArray& out, int value) {
    if (value >= 100)
        out += char('0' + value / 100);
    if (value >= 10)
        out += char('0' + value / 10 % 10);
    out += char('0' + value % 10);
}

void AppendColour(QByteArray& out, char plane, int r, int g, int b) {
    out += "\x1b[";
    out += plane;
    out += "8;2;";
    AppendNumber(out, r);
    out += ';';
    AppendNumber(out, g);
    out += ';';
    AppendNumber(out, b);
    out += 'm';
}

void AppendUtf8(QByteArray& out, QChar ch) {
    const char16_t c = ch.unicode();
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

QByteArray BuildAnsi(const QImage& work, const ArtText& art, std::optional<QColor> back) {
    QByteArray out;
    if (art.Cells.empty())
        return out;
    const QImage image =
        work.format() == QImage::Format_RGB888 ? work : work.convertToFormat(QImage::Format_RGB888);
    // A colour sequence is about 19 bytes; most cells of a photo change colour.
    out.reserve(qsizetype(art.Height) * (art.Width * 22 + 24));
    for (int y = 0; y < art.Height; ++y) {
        if (back)
            AppendColour(out, '4', back->red(), back->green(), back->blue());
        const uchar* row = image.constScanLine(y);
        int last = -1;
        for (int x = 0; x < art.Width; ++x) {
            const ArtCell& cell = art.Cells[size_t(y) * art.Width + x];
            if (cell.Length == 0)
                continue;
            const int colour = row[3 * x] << 16 | row[3 * x + 1] << 8 | row[3 * x + 2];
            if (colour != last) {
                AppendColour(out, '3', row[3 * x], row[3 * x + 1], row[3 * x + 2]);
                last = colour;
            }
            AppendUtf8(out, cell.First);
            if (cell.Length > 1)
                AppendUtf8(out, cell.Second);
        }
        out += "\x1b[0m\n";
    }
    return out;
}

} // namespace tg
