#include "output/HtmlWriter.h"

#include "common/Codepage.h"

#include <algorithm>

namespace tg {

QString ColorToHtml(int red, int green, int blue) {
    static const char digits[] = "0123456789ABCDEF";
    QString text(QLatin1Char('#'));
    for (int value : {red, green, blue}) {
        value = std::clamp(value, 0, 255);
        text += QLatin1Char(digits[value / 16]);
        text += QLatin1Char(digits[value % 16]);
    }
    return text;
}

QString HtmlEscape(const QString& text) {
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        unsigned char byte = 0;
        switch (ch.unicode()) {
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        case '"':
            escaped += QLatin1String("&quot;");
            break;
        default:
            if (ToCp1252Char(ch, byte)) {
                escaped += ch;
            } else {
                char32_t code = ch.unicode();
                if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                    code = QChar::surrogateToUcs4(ch, text[++i]);
                escaped += QStringLiteral("&#%1;").arg(uint(code));
            }
        }
    }
    return escaped;
}

QStringList BuildHtml(const HtmlPage& page) {
    const QString title = HtmlEscape(page.Title);
    const QString caption = HtmlEscape(page.Caption);
    const QString size = QString::number(page.FontSize);
    QStringList lines;
    lines << QStringLiteral("<HTML>") << QStringLiteral("<HEAD><META charset=\"windows-1252\">")
          << QStringLiteral("<TITLE>ASCII Art - ") + title + QStringLiteral("</TITLE>")
          << QStringLiteral("<META name=\"keywords\" content=\"ascii,") + title +
                 QStringLiteral(",ascii ") + title +
                 QStringLiteral(",graphics,ascii graphics,ascii text\">")
          << QStringLiteral("<META name=\"description\" content=\"ASCII Art - HTML file created "
                            "from the picture\">")
          << QStringLiteral("<META name=\"generator\" content=\"") + caption + QStringLiteral("\">")
          << QStringLiteral("</HEAD>") << QStringLiteral("<BODY>\n")
          << QStringLiteral("<p align=center><b>ASCII Art - ") + title + QStringLiteral("</b>")
          << QStringLiteral("<p align=center>\n<table align=center style=\"font-size:") + size +
                 QStringLiteral("pt;background-color:") + ColorToHtml(page.Back) +
                 QStringLiteral("\" cellpadding=0 cellspacing=0 border=0>")
          << QStringLiteral("<tr><td align=center>")
          << QStringLiteral("<pre><font style=\"font-size:") + size + QStringLiteral("pt\">");

    const QImage work = page.Work.convertToFormat(QImage::Format_RGB888);
    for (int y = 0; y < work.height(); ++y) {
        const uchar* pixel = work.constScanLine(y);
        const QString line = page.Lines.value(y);
        QString row;
        row.reserve(work.width() * 28);
        for (int x = 0; x < work.width(); ++x, pixel += 3) {
            row += QLatin1String("<font color=");
            row += ColorToHtml(pixel[0], pixel[1], pixel[2]);
            row += QLatin1Char('>');
            row += HtmlEscape(line.mid(2 * x, 2));
            row += QLatin1String("</font>");
        }
        lines << row;
    }

    lines << QStringLiteral("</font></pre></td></tr></table>\n")
          << QStringLiteral("<p align=center>Created with <a href=") + HtmlEscape(page.Site) +
                 QStringLiteral("><font size=2><b>") + caption + QStringLiteral("</b></font></a>\n")
          << QStringLiteral("</BODY>") << QStringLiteral("</HTML>");
    return lines;
}

} // namespace tg
