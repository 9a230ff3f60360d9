#include "output/RtfWriter.h"

#include "common/Codepage.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

namespace tg {

namespace {

void AppendText(QByteArray& out, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch == '\\' || ch == '{' || ch == '}') {
            out += '\\';
            out += char(ch);
        } else if (ch == '\t') {
            out += "\\tab ";
        } else if (ch >= 0x20 && ch < 0x7F) {
            out += char(ch);
        } else if (ch < 0x20 || ch == 0x7F) {
            out += "\\'";
            out += QByteArray::number(int(ch), 16).rightJustified(2, '0');
        } else {
            // \u takes a signed 16-bit value; characters beyond the first
            // plane go as their two surrogates.
            out += "\\u";
            out += QByteArray::number(int(qint16(ch)));
            unsigned char byte = 0;
            if (ToCp1252Char(text[i], byte)) {
                out += "\\'";
                out += QByteArray::number(int(byte), 16).rightJustified(2, '0');
            } else {
                out += '?';
            }
        }
    }
}

} // namespace

QByteArray BuildRtf(const QStringList& rows, const QFont& font, QColor color) {
    double points = font.pointSizeF();
    if (points <= 0)
        points = font.pixelSize() * 72.0 / 96.0;
    const int halfPoints = std::max(1, int(std::lround(points * 2)));

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1";
    out += "{\\fonttbl{\\f0\\fmodern\\fcharset0 ";
    AppendText(out, font.family());
    out += ";}}";
    out += "{\\colortbl;\\red" + QByteArray::number(color.red()) + "\\green" +
           QByteArray::number(color.green()) + "\\blue" + QByteArray::number(color.blue()) + ";}";
    out += "\r\n\\pard\\plain\\f0\\fs" + QByteArray::number(halfPoints) + "\\cf1";
    if (font.bold())
        out += "\\b";
    if (font.italic())
        out += "\\i";
    if (font.underline())
        out += "\\ul";
    if (font.strikeOut())
        out += "\\strike";
    out += ' ';
    for (const QString& row : rows) {
        AppendText(out, row);
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}

QStringList DocumentRows(const QTextDocument& document) {
    // The blocks' own text: the plain text view would turn no-break spaces
    // into blanks.
    QStringList rows;
    if (!document.isEmpty())
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            rows.append(block.text());
    return rows;
}

QByteArray RichTextRows(const QTextDocument& document, const QFont& font, QColor color) {
    return BuildRtf(DocumentRows(document), font, color);
}

} // namespace tg
