#pragma once
// Putting the texts of a language file into a window's components by key.
// A key names its target: the component (found by objectName), "->" and the
// property ("Caption", "Hint" or "Items->Strings[n]"); a key that starts with
// a dialog's name and "->" names a component of that dialog, and a key of the
// property alone names the window or dialog itself.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <utility>

class IniFile;

// For each key in order, the target's text becomes the file's value in
// section, or stays as it is where the file lacks the key; a missing
// component or a property the component does not have is passed over.
// Dialogs that window owns are left out of its components.
void ApplyTexts(const IniFile& file, const QString& section, const QStringList& keys,
                QObject* window, const QList<std::pair<QString, QObject*>>& dialogs);
