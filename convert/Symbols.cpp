#include "convert/Symbols.h"

namespace tg {

QStringList PresetSymbolSets() {
    return {QStringLiteral("#MHOKLwaso*,. "), QStringLiteral("Xx+=-;,. "),
            QStringLiteral("@%#*+=-:. "), QStringLiteral("01  "), QStringLiteral("XY  ")};
}

QString DefaultCustomSymbols() {
    return QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz ");
}

QString DefaultSentence() {
    return QStringLiteral("ASCII ");
}

QString FormSymbolString(bool custom, bool random, const QString& customText,
                         const QString& presetText, const QString& singleSymbol) {
    if (custom)
        return customText;
    if (random)
        return presetText;
    return singleSymbol + QLatin1Char(' ');
}

} // namespace tg
