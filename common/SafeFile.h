#pragma once
// Writing whole files without ever leaving a half-written one behind.

#include <QByteArray>
#include <QString>

namespace tg {

// Replaces the file at path with data atomically: the data is written beside
// it and renamed over it, so a failure leaves the old file as it was. A target
// that exists and is no regular file (a device, a pipe) is written directly,
// and so is an existing file whose folder admits no new file beside it (hard
// links to it then see the new content); a symbolic link is followed, and
// one that loops is refused.
// Throws AppError with FormatMessage(failureMessage, path) on any failure.
void WriteFileAtomic(const QString& path, const QByteArray& data,
                     const QString& failureMessage = QStringLiteral("Cannot create file %s"));

} // namespace tg
