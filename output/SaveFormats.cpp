#include "output/SaveFormats.h"

#include <algorithm>

namespace tg {

const char* const SaveFilter =
    "HTML Files (*.htm)|*.htm|TXT Files (*.txt)|*.txt|Rich Text (*.rtf)|*.rtf|"
    "BMP Image (*.bmp)|*.bmp|JPG Image (*.jpg)|*.jpg|GIF Image (*.gif)|*.gif|"
    "PNG Image (*.png)|*.png";

QString SaveTypeExtension(int type) {
    static const char* const extensions[SaveTypeCount] = {".htm", ".txt", ".rtf", ".bmp",
                                                          ".jpg", ".gif", ".png"};
    if (type < 1 || type > SaveTypeCount)
        type = 1;
    return QString::fromLatin1(extensions[type - 1]);
}

bool IsImageType(int type) {
    return type >= int(SaveType::Bmp) && type <= int(SaveType::Png);
}

namespace {
// Index of the first character of the file name within a path.
qsizetype NameStart(const QString& path) {
    const qsizetype separator =
        std::max({path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')),
                  path.lastIndexOf(QLatin1Char(':'))});
    return separator + 1;
}
} // namespace

QString ReplaceExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= NameStart(name))
        return name.left(dot) + extension;
    return name + extension;
}

QString TitleOf(const QString& path) {
    const QString name = path.mid(NameStart(path));
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

} // namespace tg
