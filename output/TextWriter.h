#pragma once
// The plain text of a converted picture: its rows and a closing credit.

#include <QString>
#include <QStringList>

namespace tg {

// The rows as they stand, then one entry with the credit: two empty lines,
// "Created with " and the caption, and the web address.
QStringList BuildText(const QStringList& rows, const QString& caption, const QString& site);

} // namespace tg
