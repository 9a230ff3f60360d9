#include "common/SafeFile.h"

#include "common/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <sys/stat.h>

namespace tg {

void WriteFileAtomic(const QString& path, const QByteArray& data, const QString& failureMessage) {
    const QFileInfo info(path);
    const auto fail = [&] { throw AppError(FormatMessage(failureMessage, path)); };
    if (path.isEmpty())
        fail();
    // A link that leads to no end (a loop, or a chain too long to follow)
    // names no file to replace: writing would put a file in the link's place.
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 && errno == ELOOP)
        fail();
    const auto writeInPlace = [&] {
        QFile direct(path);
        if (!direct.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
            fail();
        if (direct.write(data) != data.size())
            fail();
        direct.close();
        if (direct.error() != QFileDevice::NoError)
            fail();
    };
    if (info.exists() && !info.isFile()) {
        if (info.isDir())
            fail();
        writeInPlace();
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        // No temporary file beside the target (a folder the user may not
        // write to): an existing file the user may write is written in place.
        if (info.exists())
            writeInPlace();
        else
            fail();
        return;
    }
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        fail();
    }
    if (!file.commit())
        fail();
}

} // namespace tg
