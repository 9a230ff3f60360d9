#pragma once
// A small rich text (RTF) writer: rows of text as paragraphs in one font and
// colour.

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QStringList>

class QTextDocument;

namespace tg {

// The document with one paragraph per row in the font's face, size, weight,
// slant, underline and strike-out, and in the colour. "\", "{" and "}" are
// escaped; every character above 127 is written as a Unicode escape followed
// by its Windows-1252 byte (or "?") for readers without Unicode.
QByteArray BuildRtf(const QStringList& rows, const QFont& font, QColor color);

// The rows of a text box's document: the text of each block as it stands
// (no-break spaces stay); none for an empty document.
QStringList DocumentRows(const QTextDocument& document);
// A text box as rich text: the rows of its document in its font and colour.
QByteArray RichTextRows(const QTextDocument& document, const QFont& font, QColor color);

} // namespace tg
