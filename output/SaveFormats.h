#pragma once
// The seven file types of the Save command and the naming rules around them.

#include <QString>

namespace tg {

// The save dialog's filter: description and pattern of every type, in order.
extern const char* const SaveFilter;

// The save types, numbered as the dialog's filter entries from 1.
enum class SaveType { Html = 1, Text, RichText, Bmp, Jpeg, Gif, Png };
constexpr int SaveTypeCount = 7;

// The extension of a save type from 1 to 7 (".htm", ".txt", ...); ".htm" for
// any other number.
QString SaveTypeExtension(int type);
// True for the image types 4 to 7.
bool IsImageType(int type);

// The name with its extension replaced: the extension is the part from the
// last "." that stands after the last "\", "/" and ":"; a name without one
// gets the extension appended.
QString ReplaceExtension(const QString& name, const QString& extension);
// The file name of path without folder, cut before its first "."; empty when
// the name has no "." before which to cut, or starts with one.
QString TitleOf(const QString& path);

} // namespace tg
