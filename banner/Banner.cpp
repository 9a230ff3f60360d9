#include "banner/Banner.h"

#include "common/AppError.h"
#include "common/Codepage.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace tg {

namespace {

// The printable Windows-1252 codes in code order (see StepChar).
const std::vector<unsigned char>& PrintableCodes() {
    static const std::vector<unsigned char> codes = [] {
        std::vector<unsigned char> list;
        for (int code = 0x21; code <= 0xFF; ++code) {
            const bool unprintable = code == 0x7F || code == 0x81 || code == 0x8D || code == 0x8F ||
                                     code == 0x90 || code == 0x9D || code == 0xA0 || code == 0xAD;
            if (!unprintable)
                list.push_back(static_cast<unsigned char>(code));
        }
        return list;
    }();
    return codes;
}

// Position of code in the printable sequence; an unprintable code counts as
// the printable code after it.
int PrintablePosition(int code) {
    const auto& codes = PrintableCodes();
    const auto at = std::lower_bound(codes.begin(), codes.end(), code);
    return at == codes.end() ? 0 : int(at - codes.begin());
}

} // namespace

BannerMode BannerModeAt(int index) {
    return index >= 0 && index <= 3 ? BannerMode(index) : BannerMode::OneChar;
}

QFont BannerBoxFont() {
    QFont font = DefaultRenderingFont();
    // Rows of a thousand characters and more are laid out at every
    // keystroke; where the text needs no shaping (Latin text in a monospaced
    // font), skipping it halves the cost.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

const std::array<QChar, 70>& RandomChars() {
    static const std::array<QChar, 70> table = [] {
        const QString text = QStringLiteral("!@#$%^&*()~_|?") + QStringLiteral("1234567890") +
                             QStringLiteral("-+=\\") +
                             QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ") + QStringLiteral("\"") +
                             QStringLiteral("[];{};':[],./<>");
        std::array<QChar, 70> chars{};
        for (int i = 0; i < 70; ++i)
            chars[size_t(i)] = text.at(i);
        return chars;
    }();
    return table;
}

QChar StepChar(int start, int steps) {
    const auto& codes = PrintableCodes();
    const auto count = static_cast<long long>(codes.size());
    long long position = (PrintablePosition(start) + static_cast<long long>(steps)) % count;
    if (position < 0)
        position += count;
    return FromCp1252Char(codes[size_t(position)]);
}

QChar RowStepChar(int y) {
    return StepChar(61, y);
}

QChar ColStepChar(int x) {
    return StepChar(65, x);
}

QFont BannerPixelFont(const QFont& font) {
    QFont pixelFont = font;
    if (font.pointSizeF() > 0)
        pixelFont.setPixelSize(std::max(1, qRound(font.pointSizeF() * 96.0 / 72.0)));
    pixelFont.setStyleStrategy(
        QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    pixelFont.setHintingPreference(QFont::PreferFullHinting);
    return pixelFont;
}

QSize BannerExtent(const QString& text, const QFont& font) {
    const QFontMetrics metrics(BannerPixelFont(font));
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

QImage DrawBannerBitmap(const QString& text, const QFont& font) {
    const QFont pixelFont = BannerPixelFont(font);
    const QFontMetrics metrics(pixelFont);
    const QSize extent = BannerExtent(text, font);
    if (extent.isEmpty())
        return QImage();
    QImage bitmap(extent, QImage::Format_RGB888);
    if (bitmap.isNull())
        return bitmap;
    bitmap.fill(Qt::white);
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setFont(pixelFont);
    painter.setPen(Qt::black);
    painter.drawText(0, metrics.ascent(), text);
    painter.end();
    return bitmap;
}

QStringList BannerRows(const QImage& bitmap, BannerMode mode, const QString& letter,
                       const QString& background, BannerRandom& random) {
    QStringList rows;
    if (bitmap.isNull())
        return rows;
    const QImage image = bitmap.format() == QImage::Format_RGB888
                             ? bitmap
                             : bitmap.convertToFormat(QImage::Format_RGB888);
    const QString back = background.isEmpty() ? QStringLiteral(" ") : background;
    const QString backPair = back + back;
    const int width = image.width();
    const auto& randomChars = RandomChars();
    QString line;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* pixel = image.constScanLine(y);
        line.clear();
        line.reserve(2 * width * std::max<qsizetype>(1, back.size()));
        bool ink = false;
        const QChar rowChar = RowStepChar(y);
        for (int x = 0; x < width; ++x, pixel += 3) {
            const int gray = (pixel[0] + pixel[1] + pixel[2]) / 3;
            if (gray != 0) {
                line += backPair;
                continue;
            }
            ink = true;
            switch (mode) {
            case BannerMode::OneChar:
                line += letter;
                break;
            case BannerMode::RowStep:
                line += rowChar;
                break;
            case BannerMode::ColStep:
                line += ColStepChar(x);
                break;
            case BannerMode::Random:
                line += randomChars[size_t(random.Next() % 70)];
                break;
            }
            line += QLatin1Char(' ');
        }
        if (ink)
            rows.append(line);
    }
    return rows;
}

BannerSession::BannerSession() {
    Random.Next();
}

void BannerSession::Render() {
    Bitmap = DrawBannerBitmap(Text, Font);
    if (Bitmap.isNull() && !BannerExtent(Text, Font).isEmpty()) {
        Rows.clear();
        throw AppError(QStringLiteral("The banner is too large to draw"));
    }
    Rows = BannerRows(Bitmap, Mode, Letter, Background, Random);
}

} // namespace tg
