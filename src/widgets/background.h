#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace tavrok {

// Gives a control that fills its background this colour; nothing is repainted when it has it already.
inline void setBackground(QWidget* w, const QColor& colour) {
    if (w->palette().color(QPalette::Window) == colour) {
        return;
    }
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
}

} // namespace tavrok
