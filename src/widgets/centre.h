#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tavrok {

// Places a window in the middle of the primary screen: (screen size - window size) / 2.
inline void centreOnScreen(QWidget* w) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->geometry().size();
        w->move((size.width() - w->width()) / 2, (size.height() - w->height()) / 2);
    }
}

} // namespace tavrok
