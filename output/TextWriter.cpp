#include "output/TextWriter.h"

namespace tg {

QStringList BuildText(const QStringList& rows, const QString& caption, const QString& site) {
    QStringList lines = rows;
    lines << QStringLiteral("\r\n\r\nCreated with ") + caption + QStringLiteral("\r\n") + site +
                 QStringLiteral("\r\n");
    return lines;
}

} // namespace tg
