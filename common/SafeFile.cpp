#include "common/SafeFile.h"

#include "common/AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tg {

void WriteFileAtomic(const QString& path, const QByteArray& data, const QString& failureMessage) {
    const QFileInfo info(path);
    const auto fail = [&] { throw AppError(FormatMessage(failureMessage, path)); };
    if (path.isEmpty())
        fail();
    if (info.exists() && !info.isFile()) {
        if (info.isDir())
            fail();
        QFile direct(path);
        if (!direct.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            fail();
        if (direct.write(data) != data.size())
            fail();
        return;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        fail();
    }
    if (!file.commit())
        fail();
}

} // namespace tg
