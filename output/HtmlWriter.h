#pragma once
// The HTML page of a converted picture: one coloured element per pixel of the
// working image, holding that pixel's cell of the text rows.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

namespace tg {

// "#RRGGBB" in upper-case hexadecimal digits.
QString ColorToHtml(int red, int green, int blue);
inline QString ColorToHtml(QColor color) {
    return ColorToHtml(color.red(), color.green(), color.blue());
}

// Text made safe for an HTML page in Windows-1252: "&", "<", ">" and the
// double quote become entities, and so does every character that the code
// page cannot hold (as a numeric reference).
QString HtmlEscape(const QString& text);

struct HtmlPage {
    QImage Work;       // the working image, one element per pixel
    QStringList Lines; // the text rows, two characters per pixel
    QColor Back = Qt::white;
    int FontSize = 8;
    QString Title;   // the page's title
    QString Caption; // the product's caption, for the generator and the credit
    QString Site;    // the product's web address, for the credit link
};

// The document, one entry per line as it is written; an entry may end in a
// line feed of its own.
QStringList BuildHtml(const HtmlPage& page);

} // namespace tg
