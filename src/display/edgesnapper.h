#pragma once

#include "display/snapping.h"

#include <QObject>
#include <QTimer>
#include <functional>

class QWidget;

namespace tavrok {

// The edges for a window on its screen: the screen's work area, the primary screen, the desktop.
SnapEdges snapEdgesFor(const QWidget* window);

// Draws a window that the window manager moved (by its title bar) to the screen edges near it, once
// the move has come to rest: the window manager owns the window while it drags it.
class EdgeSnapper : public QObject {
public:
    EdgeSnapper(QWidget* window, std::function<bool()> enabled);

    // Snaps the window now (the timer's work).
    void snap();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<bool()> enabled_;
    QTimer rest_;
};

} // namespace tavrok
