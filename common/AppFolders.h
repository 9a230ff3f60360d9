#pragma once
// Where the application finds its data files and keeps the files it writes,
// whether it runs from its build folder or installed.

#include <QString>

namespace tg {

// The folder, with trailing separator, that holds the "language" folder and
// the sample "images": baseFolder itself where they lie beside the
// executable, else the installed share/tessaglyph beside its bin folder;
// baseFolder when neither exists.
QString DataFolder(const QString& baseFolder);

// Where a file that belongs beside the executable (the settings file, the
// wallpaper) is written: baseFolder + name where that file may be written or
// created, else the user's configuration folder "tessaglyph" (created when
// needed).
QString WritablePlace(const QString& baseFolder, const QString& name);

} // namespace tg
