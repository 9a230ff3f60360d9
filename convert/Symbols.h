#pragma once
// The symbol sets the renderer picks from.

#include <QString>
#include <QStringList>

namespace tg {

// The preset sets, darkest symbol first.
QStringList PresetSymbolSets();
// The custom symbols offered for the "symbols" choice: digits, capitals,
// small letters and a blank.
QString DefaultCustomSymbols();
// The text offered for the "sentence" choice.
QString DefaultSentence();

// The symbol string of a render from the symbol controls: the custom text
// when custom is on, else the preset text when random is on, else the single
// symbol followed by a blank.
QString FormSymbolString(bool custom, bool random, const QString& customText,
                         const QString& presetText, const QString& singleSymbol);

} // namespace tg
