#include "common/AppFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tg {

namespace {

QString WithSeparator(QString folder) {
    folder = QDir::toNativeSeparators(folder);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

QString DataFolder(const QString& baseFolder) {
    if (QFileInfo(baseFolder + QStringLiteral("language")).isDir())
        return baseFolder;
    const QString installed = QDir::cleanPath(baseFolder + QStringLiteral("../share/tessaglyph"));
    if (QFileInfo(installed).isDir())
        return WithSeparator(installed);
    return baseFolder;
}

QString WritablePlace(const QString& baseFolder, const QString& name) {
    const QString beside = baseFolder + name;
    const QFileInfo file(beside);
    if (file.exists() ? file.isWritable() : QFileInfo(baseFolder).isWritable())
        return beside;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        return beside;
    const QString folder = config + QStringLiteral("/tessaglyph");
    QDir().mkpath(folder);
    return WithSeparator(folder) + name;
}

} // namespace tg
