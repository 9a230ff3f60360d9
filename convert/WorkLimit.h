#pragma once
// The largest working image. Every place that decides a new working size (a
// size change, a new picture, a flip or turn) asks WorkSizeFits first and
// refuses the step with WorkSizeRefusal's message when it does not: the
// rendering, the text and the documents all grow with the cells.

#include <QSize>
#include <QString>

namespace tg {

// At most this many rows and this many columns (a quarter turn swaps them)...
inline constexpr int MaxWorkSide = 3000;
// ...and at most this many cells.
inline constexpr qint64 MaxWorkCells = 1'000'000;

bool WorkSizeFits(QSize size);

// Empty when the size fits; else the message that refuses it.
QString WorkSizeRefusal(QSize size);

} // namespace tg
