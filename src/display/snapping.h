#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tavrok {

// The edges a moved window is drawn to: the work area of its screen, the primary screen and the whole
// virtual desktop.
struct SnapEdges {
    QRect workArea;
    QSize primaryScreen;
    QRect virtualScreen;
};

inline constexpr int SnapDistance = 10;

// The position a window proposed at `position` with `size` takes: unchanged unless it is being moved
// (its size is `current`), else drawn to every edge within SnapDistance, a later rule overriding an
// earlier one.
QPoint spocitejMagnety(QPoint position, QSize size, QSize current, const SnapEdges& edges);

} // namespace tavrok
