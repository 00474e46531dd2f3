#pragma once

#include <QGuiApplication>
#include <QList>
#include <QRect>
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

// The work areas of the screens, the primary first: where a window that no screen shows goes.
inline QList<QRect> screenWorkAreas() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        screens.insert(screen == primary ? 0 : screens.size(), screen->availableGeometry());
    }
    return screens;
}

// The frame is not known before a window is mapped: a generous guess of its title bar's height.
inline constexpr int GuessedTitleHeight = 32;

} // namespace tavrok
