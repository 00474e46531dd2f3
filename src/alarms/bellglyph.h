#pragma once

#include <QVector>

namespace tavrok {

// The alarm state glyph, 21 x 21 pixels, row by row, drawn by the program itself:
// 3 green bell (on, will ring), 2 green bell crossed out (off, would ring),
// 1 orange bell upside down (on, no future ring), 0 the orange one crossed out.
inline constexpr int BellSize = 21;
// Pixels as 0xAARRGGBB.
QVector<quint32> kresliZvonek(int stav, quint32 background);

} // namespace tavrok
