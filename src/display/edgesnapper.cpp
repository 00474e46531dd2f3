#include "display/edgesnapper.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tavrok {

SnapEdges snapEdgesFor(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!screen || !primary) {
        return {};
    }
    return {screen->availableGeometry(), primary->geometry().size(), screen->virtualGeometry()};
}

EdgeSnapper::EdgeSnapper(QWidget* window, std::function<bool()> enabled)
    : QObject(window), window_(window), enabled_(std::move(enabled)) {
    rest_.setSingleShot(true);
    rest_.setInterval(300); // the move has come to rest
    connect(&rest_, &QTimer::timeout, this, &EdgeSnapper::snap);
    window->installEventFilter(this);
}

bool EdgeSnapper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Move && window_->isVisible() && enabled_()) {
        rest_.start();
    }
    return QObject::eventFilter(watched, event);
}

void EdgeSnapper::snap() {
    if (!window_->isVisible() || window_->isMaximized() || window_->isMinimized() || !enabled_()) {
        return;
    }
    const QRect frame = window_->frameGeometry();
    const QPoint to = spocitejMagnety(frame.topLeft(), frame.size(), frame.size(), snapEdgesFor(window_));
    if (to != frame.topLeft()) {
        window_->move(to); // a top-level window's position is its frame's
    }
}

} // namespace tavrok
