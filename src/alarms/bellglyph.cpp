#include "alarms/bellglyph.h"

#include <cmath>

namespace tavrok {

namespace {

// The bell, upright, as horizontal spans [from, to] per row: ring, crown, body, rim and clapper.
struct Span {
    int row, from, to;
};
constexpr Span Bell[] = {
    {2, 9, 11},  {3, 8, 8},   {3, 12, 12}, {4, 7, 13},  {5, 6, 14},  {6, 6, 14},  {7, 6, 14},  {8, 5, 15},
    {9, 5, 15},  {10, 5, 15}, {11, 4, 16}, {12, 4, 16}, {13, 3, 17}, {14, 2, 18}, {15, 2, 18}, {16, 9, 11},
    {17, 9, 11},
};

constexpr quint32 rgb(quint32 r, quint32 g, quint32 b) {
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}
constexpr quint32 Green = rgb(0, 178, 0);
constexpr quint32 Orange = rgb(255, 128, 0);
constexpr quint32 Red = rgb(255, 0, 0);

} // namespace

QVector<quint32> kresliZvonek(int stav, quint32 background) {
    QVector<quint32> px(BellSize * BellSize, background);
    const auto set = [&](int x, int y, quint32 c) {
        if (x >= 0 && x < BellSize && y >= 0 && y < BellSize) {
            px[y * BellSize + x] = c;
        }
    };
    const bool willRing = stav >= 2;
    const quint32 colour = willRing ? Green : Orange;
    for (const Span& s : Bell) {
        // A bell with no future ring hangs upside down.
        const int row = willRing ? s.row : BellSize - 1 - s.row;
        for (int x = s.from; x <= s.to; ++x) {
            set(x, row, colour);
        }
    }
    const bool off = stav == 0 || stav == 2;
    if (off) {
        // A red ring around the bell and a stroke from lower left to upper right.
        for (int y = 0; y < BellSize; ++y) {
            for (int x = 0; x < BellSize; ++x) {
                const double d = std::hypot(x - 10.0, y - 10.0);
                if (d >= 8.6 && d <= 10.4) {
                    set(x, y, Red);
                }
            }
        }
        for (int i = 3; i <= 17; ++i) {
            set(i, 20 - i, Red);
            set(i + 1, 20 - i, Red);
        }
    }
    return px;
}

} // namespace tavrok
