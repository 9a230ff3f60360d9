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

// The symbol controls of the Image page: which mode and the texts of each.
struct SymbolChoice {
    bool Custom = false;   // the custom text counts
    bool Random = true;    // else the preset text counts, else the single symbol
    bool Sentence = false; // the custom text is spelled out, not picked from
    QString CustomText = DefaultCustomSymbols();
    QString PresetText = PresetSymbolSets().front();
    QString SingleSymbol = QStringLiteral("@");

    QString SymbolString() const {
        return FormSymbolString(Custom, Random, CustomText, PresetText, SingleSymbol);
    }
    // Whether the render spells the symbol string out instead of picking.
    bool SentenceStep() const { return Custom && Sentence; }
};

} // namespace tg
