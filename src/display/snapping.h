#pragma once

#include <QList>
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

// Moves a window whose client area would start at `position` so that its title bar (the strip of
// `titleHeight` above the client area) lies wholly on one of the screens: a position saved on a monitor
// that is gone, or hand-edited, never loses the window. A position already on a screen stays. The main
// window and the separate display come back by this one rule.
QPoint keepTitleOnScreen(QPoint position, QSize window, const QList<QRect>& screens, int titleHeight);

} // namespace tavrok
