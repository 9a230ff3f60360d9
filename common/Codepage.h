#pragma once
// The 8-bit text of the system is Windows-1252, byte for byte. Inside the
// program text is Unicode; these functions convert where text becomes bytes.
// The five bytes that Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) map to the control characters of the same value, so every byte
// round-trips.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

namespace tg {

// The Unicode character of one Windows-1252 byte.
QChar FromCp1252Char(unsigned char byte);
// The Windows-1252 byte of a character; false when the code page lacks it.
bool ToCp1252Char(QChar ch, unsigned char& byte);
// Bytes to text.
QString FromCp1252(const QByteArray& bytes);
// Text to bytes; a character the code page cannot hold becomes '?'.
QByteArray ToCp1252(const QString& text);
// The text as the code page can hold it: every other character becomes '?'.
QString Cp1252Sanitize(const QString& text);
// The lines as Windows-1252 bytes, each followed by CR LF.
QByteArray LinesToBytes(const QStringList& lines);

} // namespace tg
