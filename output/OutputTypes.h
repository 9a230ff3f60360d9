#pragma once
// Every type a converted picture can be written as, listed once: its name for
// the converter's -f, its entry in the save dialog, its extensions and its
// writer. The save dialog, the window's Save, the converter's -f and -o and
// its help all read this table; BuildOutput makes the bytes for both.

#include "output/ArtDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <span>

namespace tg {

// A written document: its lines where the type is made of lines (the window
// keeps them in OutputLines), and its bytes.
struct OutputDocument {
    QStringList Lines;
    QByteArray Bytes;
};

struct OutputType {
    const char* Name;       // for -f
    const char* Filter;     // the save dialog's description; null when it does not offer it
    int SaveType;           // the dialog's filter number from 1; 0 when it does not offer it
    const char* Extensions; // ";"-separated, the dialog's first; empty for none
    bool Image;             // drawn with the rendering font: needs a GUI application
    OutputDocument (*Write)(const OutputType& type, const ArtDocument& document);

    // The first extension (".htm"); empty for none.
    QString Extension() const;
};

// The table, in the order of the save dialog, then the types it does not offer.
std::span<const OutputType> OutputTypes();
// The type of a -f name in any case; null for none.
const OutputType* OutputTypeNamed(const QString& name);
// The type whose extensions hold the path's, in any case; null for none.
const OutputType* OutputTypeForPath(const QString& path);
// The type of a save dialog number; null for none.
const OutputType* OutputTypeOfSave(int saveType);
// The -f names, in order, joined by separator.
QString OutputTypeNames(const QString& separator);

// The save dialog's filter: "description|pattern" of every type it offers.
QString SaveFilter();
// The extension of a save type from 1 to 7 (".htm", ".txt", ...); ".htm" for
// any other number.
QString SaveTypeExtension(int type);

// The document of the type. Throws AppError "Cannot save image: unknown file
// type" for an image encoding no encoder knows, and when the encoder fails.
OutputDocument BuildOutput(const OutputType& type, const ArtDocument& document);

// The name with its extension replaced: the extension is the part from the
// last "." that stands after the last "\", "/" and ":"; a name without one
// gets the extension appended.
QString ReplaceExtension(const QString& name, const QString& extension);
// The file name of path without folder, cut before its first "."; empty when
// the name has no "." before which to cut, or starts with one.
QString TitleOf(const QString& path);

} // namespace tg
