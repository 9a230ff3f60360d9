#pragma once
// Converted pictures for terminals: the rows in the pixels' colours as 24-bit
// colour sequences, UTF-8 text.

#include "convert/Render.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <optional>

namespace tg {

// Each row of the art: its cells' characters, each cell in the colour of its
// pixel of work (ESC[38;2;R;G;Bm, written where the colour changes), on back
// (ESC[48;2;R;G;Bm) when one is given, ending in a reset (ESC[0m) and a line
// feed.
QByteArray BuildAnsi(const QImage& work, const ArtText& art, std::optional<QColor> back);

} // namespace tg
