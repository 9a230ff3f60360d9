#pragma once
// The product's own name, version, maker and addresses, defined once.

#include <QString>

namespace tg::Product {
inline const QString Name = QStringLiteral("Tessaglyph");
inline const QString Version = QStringLiteral("1.72");
inline const QString Caption = QStringLiteral("Tessaglyph 1.72");
inline const QString Description = QStringLiteral("creates ascii graphics from images and text");
inline const QString Maker = QStringLiteral("The Tessaglyph Project");
inline const QString Contact = QStringLiteral("hello@tessaglyph.org");
inline const QString Site = QStringLiteral("https://tessaglyph.org");
} // namespace tg::Product
