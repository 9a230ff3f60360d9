#include "common/Codepage.h"

#include <array>

namespace tg {

namespace {

// Unicode values of the bytes 0x80 to 0x9F; the rest equal their byte.
constexpr std::array<char16_t, 32> HighTable = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

QChar FromCp1252Char(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighTable[byte - 0x80]);
    return QChar(char16_t(byte));
}

bool ToCp1252Char(QChar ch, unsigned char& byte) {
    const char16_t u = ch.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        byte = static_cast<unsigned char>(u);
        return true;
    }
    for (size_t i = 0; i < HighTable.size(); ++i) {
        if (HighTable[i] == u) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

QString FromCp1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = FromCp1252Char(static_cast<unsigned char>(bytes[i]));
    return text;
}

QByteArray ToCp1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        unsigned char byte = '?';
        // A surrogate pair is one character outside the code page: one '?'.
        if (ch.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (!ToCp1252Char(ch, byte))
            byte = '?';
        bytes[n++] = static_cast<char>(byte);
    }
    bytes.truncate(n);
    return bytes;
}

QString Cp1252Sanitize(const QString& text) {
    return FromCp1252(ToCp1252(text));
}

QByteArray LinesToBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += ToCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace tg
