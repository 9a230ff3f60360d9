#pragma once
// The keys of a language file's section "Interface", in the order in which
// ApplyLanguage applies them. A key names its target: the component, "->" and
// the property ("Caption", "Hint" or "Items->Strings[n]"), with "FormAbout->"
// in front for the About dialog's components.

#include <QStringList>

const QStringList& LanguageKeys();
