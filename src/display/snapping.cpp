#include "display/snapping.h"

#include <algorithm>
#include <cstdlib>

namespace tavrok {

namespace {

bool near(int value, int edge) {
    return std::abs(value - edge) <= SnapDistance;
}

} // namespace

QPoint spocitejMagnety(QPoint position, QSize size, QSize current, const SnapEdges& e) {
    if (size != current) {
        return position; // resized, not moved
    }
    int x = position.x();
    int y = position.y();
    const int cx = size.width();
    const int cy = size.height();
    // Right and bottom edges are one past the last pixel, as Windows counts them.
    const int workRight = e.workArea.x() + e.workArea.width();
    const int workBottom = e.workArea.y() + e.workArea.height();
    const int virtualRight = e.virtualScreen.x() + e.virtualScreen.width();
    const int virtualBottom = e.virtualScreen.y() + e.virtualScreen.height();
    // Each rule sees what the rules before it made of the position.
    if (near(x, e.workArea.x())) {
        x = e.workArea.x();
    }
    if (near(x + cx, workRight)) {
        x = workRight - cx;
    }
    if (near(y, e.workArea.y())) {
        y = e.workArea.y();
    }
    if (near(y + cy, workBottom)) {
        y = workBottom - cy;
    }
    if (near(x, 0)) {
        x = 0;
    }
    if (near(x + cx, e.primaryScreen.width())) {
        x = e.primaryScreen.width() - cx;
    }
    if (near(y, 0)) {
        y = 0;
    }
    if (near(y + cy, e.primaryScreen.height())) {
        y = e.primaryScreen.height() - cy;
    }
    if (near(x, e.virtualScreen.x())) {
        x = e.virtualScreen.x();
    }
    if (near(x + cx, virtualRight)) {
        x = virtualRight - cx;
    }
    if (near(y, e.virtualScreen.y())) {
        y = e.virtualScreen.y();
    }
    if (near(y + cy, virtualBottom)) {
        y = virtualBottom - cy;
    }
    return {x, y};
}

QPoint keepTitleOnScreen(QPoint position, QSize window, const QList<QRect>& screens, int titleHeight) {
    if (screens.isEmpty()) {
        return position;
    }
    const QRect title(position.x(), position.y() - titleHeight, window.width(), titleHeight);
    const QRect whole(title.topLeft(), QSize(window.width(), window.height() + titleHeight));
    const QRect* best = &screens.front();
    qint64 bestArea = -1;
    for (const QRect& screen : screens) {
        if (screen.contains(title)) {
            return position;
        }
        const QRect common = screen.intersected(whole);
        const qint64 area = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
        if (area > bestArea) {
            best = &screen;
            bestArea = area;
        }
    }
    // Onto the screen that shows most of it (the first one when none does), as near as it can stay.
    const int x = std::clamp(position.x(), best->left(), std::max(best->left(), best->right() + 1 - window.width()));
    const int y = std::clamp(position.y(), best->top() + titleHeight,
                             std::max(best->top() + titleHeight, best->bottom() + 1 - window.height()));
    return {x, y};
}

} // namespace tavrok
